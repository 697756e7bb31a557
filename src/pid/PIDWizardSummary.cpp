#include "PIDWizardSummary.h"

#include "platform/ByteString.h"

using ByteString::Format;

namespace {

// Offsets of the PID block's operands from the loop's V word base.
constexpr int OFFSET_PV_L = 2;
constexpr int OFFSET_OUT_H = 4;
constexpr int OFFSET_OUT_L = 6;
constexpr int OFFSET_CYCLE = 8;
constexpr int OFFSET_PV = 12;
constexpr int OFFSET_SP = 14;
constexpr int OFFSET_X0 = 16;
constexpr int OFFSET_XOUT = 20;
constexpr int OFFSET_XOUTP = 24;
// Offsets of TR and KP from the TD register.
constexpr int OFFSET_TR = 4;
constexpr int OFFSET_KP = 8;

double AsDouble(float value) { return static_cast<double>(value); }

} // namespace

std::string PIDLoopLine(int loop)
{
    return Format("\xB5\xDA %d \xC2\xB7PID", loop);
}

std::vector<PIDSummaryText> BuildPIDSummary(const CPIDLoopConfig& loop, int loopNumber)
{
    const int vw = loop.VWBase;
    const int vr = loop.VRBase;
    const BOOL analog = loop.AnalogOutput != 0 ? TRUE : FALSE;
    return {
        {1358, Format("%d %%VW%d", loop.PV_H, vw)},
        {1359, Format("%d %%VW%d", loop.PV_L, vw + OFFSET_PV_L)},
        {1360, Format("%d %%VW%d", analog ? loop.XOUTP_H : loop.DutyPeriod, vw + OFFSET_OUT_H)},
        {1361, analog ? Format("%d %%VW%d", loop.XOUTP_L, vw + OFFSET_OUT_L) : Format("0 %%VW%d", vw + OFFSET_OUT_L)},
        {1362, Format("%d %%VD%d", loop.CYCLE, vw + OFFSET_CYCLE)},
        {1354, Format("%%VW%d", vw + OFFSET_PV)},
        {1355, Format("%%VW%d", vw + OFFSET_SP)},
        {1356, Format("%%VR%d", vw + OFFSET_X0)},
        {1363, Format("%%VR%d", vw + OFFSET_XOUT)},
        {1364, Format("%%VW%d", vw + OFFSET_XOUTP)},
        {1357, Format("%f %%VR%d", AsDouble(loop.TD), vr)},
        {1352, Format("%f %%VR%d", AsDouble(loop.TR), vr + OFFSET_TR)},
        {1351, Format("%f %%VR%d", AsDouble(loop.KP), vr + OFFSET_KP)},
        {1353, "\xD7\xD4\xB6\xAF\xB1\xE4\xC1\xBF"},
        {1365, Format("\xC5\xE4\xD6\xC3\xC8\xE7\xCD\xBC\xA3\xAC\xCA\xB9\xD3\xC3\xC1\xCB\xD7\xD3\xB3\xCC\xD0\xF2SBR9%d", loopNumber)},
    };
}
