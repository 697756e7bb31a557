#include "CPIDLoopConfig.h"

void CPIDLoopConfig::SetDefaults(int n)
{
    VWBase = 2900 - 100 * n;
    VWLength = 40;
    VRBase = 3890 - 12 * n;
    VRLength = 12;
    VBBase = 2940 - 100 * n;
    VBLength = 60;
    AutoFlagByte = 30;
    AutoFlagBit = n;
    SecondFlagByte = 31;
    SecondFlagBit = n;
    TimerNumber = 19 - 2 * n;
    TimerSpare = 2;
    KP = 0.0f;
    TR = 0.0f;
    TD = 0.0f;
    CYCLE = 0;
    PV_H = 0;
    PV_L = 0;
    XOUTP_H = 0;
    XOUTP_L = 0;
    OutputSpare = 0;
    DutyPeriod = 100 + 7 * n;
    AnalogOutput = 1;
    TuneControl = 0x8C;
    PVFIL = 1;
    HYS = 0.02f;
    DEV = 0.08f;
    STEP = 0.1f;
    WDG = 7200.0f;
}
