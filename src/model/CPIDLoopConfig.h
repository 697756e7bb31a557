#pragma once
// The record of one PID loop: where its tables lie in V memory, its flags,
// timer and tuning values. Not part of the project file.

#include "platform/WinTypes.h"

struct CPIDLoopConfig {
    int VWBase = 0;        // first byte of the loop's V word block (PV_H, PV_L, XOUTP_H ...)
    int VWLength = 0;      // its length in bytes
    int VRBase = 0;        // address of the TD register; TR at +4, KP at +8
    int VRLength = 0;
    int VBBase = 0;        // first byte of the auto-tune table
    int VBLength = 0;
    int AutoFlagByte = 0;  // M byte and bit of the AUTO flag
    int AutoFlagBit = 0;
    int SecondFlagByte = 0;
    int SecondFlagBit = 0;
    int TimerNumber = 0;
    int TimerSpare = 0;
    float KP = 0.0f;
    float TR = 0.0f;
    float TD = 0.0f;
    int CYCLE = 0;         // sample period in ms
    int PV_H = 0;
    int PV_L = 0;
    int XOUTP_H = 0;
    int XOUTP_L = 0;
    int OutputSpare = 0;
    int DutyPeriod = 0;    // in 0.01 s
    int AnalogOutput = 0;
    BYTE TuneControl = 0;
    int PVFIL = 0;
    float HYS = 0.0f;
    float DEV = 0.0f;
    float STEP = 0.0f;
    float WDG = 0.0f;

    // The defaults of loop n (0..7).
    void SetDefaults(int n);
};
