#include "PIDAutoTune.h"

#include "platform/ByteString.h"

using ByteString::Format;

namespace {

constexpr BYTE RESPONSE_MASK = 0xC0;
constexpr BYTE TYPE_MASK = 0x30;
constexpr BYTE AUTO_MASK = 0x0C;
constexpr BYTE RESERVED_MASK = 0x03;
constexpr int RESPONSE_SHIFT = 6;
constexpr int TYPE_SHIFT = 4;
constexpr int CONTROL_BITS = 8;

// The one checked radio of a group, or the group's default.
int SingleChoice(const BOOL (&radios)[TUNE_CHOICES], int fallback)
{
    int chosen = -1;
    for (int i = 0; i < TUNE_CHOICES; ++i) {
        if (!radios[i])
            continue;
        if (chosen >= 0)
            return fallback;
        chosen = i;
    }
    return chosen < 0 ? fallback : chosen;
}

enum class TableValue { None, Control, Filter, Hysteresis, Deviation, Step, Watchdog };

struct AutoTuneRowDef {
    const char* Label;
    const char* AddressFormat;
    int Offset;
    BOOL Input;
    TableValue Value;
};

const AutoTuneRowDef AUTO_TUNE_ROWS[] = {
    {"\xC5\xE4\xD6\xC3\xBF\xD8\xD6\xC6\xD7\xD6\xBD\xDA", "%%VB%d", 0, TRUE, TableValue::Control},
    {"\xD7\xB4\xCC\xAC\xB9\xFD\xB3\xCC\xD7\xD6\xBD\xDA", "%%VB%d", 1, FALSE, TableValue::None},
    {"\xBD\xE1\xB9\xFB\xD7\xB4\xCC\xAC\xD7\xD6\xBD\xDA", "%%VB%d", 2, FALSE, TableValue::None},
    {"\xC2\xCB\xB2\xA8\xCA\xB1\xBC\xE4", "%%VB%d", 3, TRUE, TableValue::Filter},
    {"\xD3\xC3\xBB\xA7\xD6\xB8\xB6\xA8\xB5\xC4\xD6\xCD\xBA\xF3\xD6\xB5(HYS)", "%%VR%d", 4, TRUE, TableValue::Hysteresis},
    {"\xD3\xC3\xBB\xA7\xD6\xB8\xB6\xA8\xB5\xC4\xD7\xEE\xB4\xF3\xD4\xCA\xD0\xED\xC6\xAB\xB2\xEE\xD6\xB5(DEV)", "%%VR%d", 8, TRUE, TableValue::Deviation},
    {"\xD3\xC3\xBB\xA7\xD6\xB8\xB6\xA8\xB5\xC4\xCA\xE4\xB3\xF6\xBD\xD7\xD4\xBE\xD6\xB5(STEP)", "%%VR%d", 12, TRUE, TableValue::Step},
    {"\xD3\xC3\xBB\xA7\xD6\xB8\xB6\xA8\xB5\xC4\xD7\xD4\xD5\xFB\xB6\xA8\xBF\xB4\xC3\xC5\xB9\xB7\xCA\xB1\xBC\xE4\xA3\xA8\xC3\xEB\xA3\xA9", "%%VR%d", 16, TRUE, TableValue::Watchdog},
    {"\xD7\xD4\xD5\xFB\xB6\xA8\xCD\xEA\xB3\xC9\xBA\xF3\xB5\xC3\xB5\xBD\xB5\xC4\xCD\xC6\xBC\xF6\xB1\xC8\xC0\xFD\xD6\xB5", "%%VR%d", 20, FALSE, TableValue::None},
    {"\xD7\xD4\xD5\xFB\xB6\xA8\xCD\xEA\xB3\xC9\xBA\xF3\xB5\xC3\xB5\xBD\xB5\xC4\xCD\xC6\xBC\xF6\xBB\xFD\xB7\xD6\xCA\xB1\xBC\xE4", "%%VR%d", 24, FALSE, TableValue::None},
    {"\xD7\xD4\xD5\xFB\xB6\xA8\xCD\xEA\xB3\xC9\xBA\xF3\xB5\xC3\xB5\xBD\xB5\xC4\xCD\xC6\xBC\xF6\xCE\xA2\xB7\xD6\xCA\xB1\xBC\xE4", "%%VR%d", 28, FALSE, TableValue::None},
    {"\xD7\xD4\xB6\xAF\xBC\xC6\xCB\xE3\xB5\xC3\xB5\xBD\xB5\xC4\xD6\xCD\xBA\xF3\xD6\xB5(HYS)", "%%VR%d", 32, FALSE, TableValue::None},
    {"\xD7\xD4\xB6\xAF\xBC\xC6\xCB\xE3\xB5\xC3\xB5\xBD\xB5\xC4\xC6\xAB\xB2\xEE\xD6\xB5(DEV)", "%%VR%d", 36, FALSE, TableValue::None},
    {"\xD7\xD4\xB6\xAF\xBC\xC6\xCB\xE3\xB5\xC3\xB5\xBD\xB5\xC4\xCA\xE4\xB3\xF6\xBD\xD7\xD4\xBE\xD6\xB5(STEP)", "%%VR%d", 40, FALSE, TableValue::None},
};

std::string RowValue(TableValue value, const CPIDLoopConfig& loop)
{
    switch (value) {
    case TableValue::Control:
        return TuneControlBinaryText(loop.TuneControl);
    case TableValue::Filter:
        return Format("b#%d", loop.PVFIL);
    case TableValue::Hysteresis:
        return Format("%f", static_cast<double>(loop.HYS));
    case TableValue::Deviation:
        return Format("%f", static_cast<double>(loop.DEV));
    case TableValue::Step:
        return Format("%f", static_cast<double>(loop.STEP));
    case TableValue::Watchdog:
        return Format("%d", static_cast<int>(loop.WDG));
    case TableValue::None:
        break;
    }
    return {};
}

} // namespace

TuneControlPage DecodeTuneControl(BYTE control)
{
    TuneControlPage page;
    page.Response[(control & RESPONSE_MASK) >> RESPONSE_SHIFT] = TRUE;
    page.Type[(control & TYPE_MASK) >> TYPE_SHIFT] = TRUE;
    page.AutoDeviation = (control & AUTO_MASK) != 0 ? TRUE : FALSE;
    return page;
}

BYTE PackAutoTuneControlByte(const TuneControlPage& page, BYTE working)
{
    const int response = SingleChoice(page.Response, TUNE_RESPONSE_SLOW);
    const int type = SingleChoice(page.Type, TUNE_TYPE_PID);
    int control = (response << RESPONSE_SHIFT) | (type << TYPE_SHIFT) | (working & RESERVED_MASK);
    if (page.AutoDeviation)
        control |= AUTO_MASK;
    return static_cast<BYTE>(control);
}

std::string TuneControlBinaryText(BYTE control)
{
    std::string text = "b#2#";
    for (int bit = CONTROL_BITS - 1; bit >= 0; --bit)
        text += Format("%d", (control >> bit) & 1);
    return text;
}

std::vector<AutoTuneTableRow> BuildAutoTuneTable(const CPIDLoopConfig& loop)
{
    std::vector<AutoTuneTableRow> rows;
    for (const AutoTuneRowDef& def : AUTO_TUNE_ROWS) {
        AutoTuneTableRow row;
        row.Label = def.Label;
        row.Address = Format(def.AddressFormat, loop.VBBase + def.Offset);
        row.Direction = def.Input ? "\xCA\xE4\xC8\xEB" : "\xCA\xE4\xB3\xF6";
        row.Value = RowValue(def.Value, loop);
        rows.push_back(row);
    }
    return rows;
}
