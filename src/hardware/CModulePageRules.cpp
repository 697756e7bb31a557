#include "CModulePageRules.h"

#include "model/CMemAreaInfo.h"
#include "model/CModuleCatalogEntry.h"
#include "model/CZULProject.h"
#include "model/CZUL_Q7_PLC.h"
#include "model/ProjectModified.h"
#include "model/SharedStrings.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <climits>

namespace {

constexpr int DIGITAL_CHANNELS_PER_BYTE = 8;
constexpr int ANALOG_BYTES_PER_CHANNEL = 2;
constexpr int ANALOG_START_STEP = 2;

struct CAreaFields {
    ModuleArea area;
    MemAreaRow row;
    BYTE CZUL_Q7_PLC::*start;
    BYTE CZUL_Q7_PLC::*end;
    int (CZULProject::*allocate)(CZUL_Q7_PLC*);
};

// By ModuleArea.
const CAreaFields kAreaFields[] = {
    {ModuleArea::I, MEM_ROW_I, &CZUL_Q7_PLC::iStart, &CZUL_Q7_PLC::iEnd, &CZULProject::AllocInputBytes},
    {ModuleArea::Q, MEM_ROW_Q, &CZUL_Q7_PLC::qStart, &CZUL_Q7_PLC::qEnd, &CZULProject::AllocOutputBytes},
    {ModuleArea::AI, MEM_ROW_AI, &CZUL_Q7_PLC::aiStart, &CZUL_Q7_PLC::aiEnd, &CZULProject::AllocAnalogInputWords},
    {ModuleArea::AQ, MEM_ROW_AQ, &CZUL_Q7_PLC::aoStart, &CZUL_Q7_PLC::aoEnd, &CZULProject::AllocAnalogOutputWords},
};

const CAreaFields& FieldsOf(ModuleArea area)
{
    return kAreaFields[static_cast<int>(area)];
}

bool IsAnalog(ModuleArea area)
{
    return area == ModuleArea::AI || area == ModuleArea::AQ;
}

const CAiFunctionChoice kAiFunctionChoices[] = {
    {MODULE_KIND_AI, 0, {kAnalogRanges[0], kAnalogRanges[1], kAnalogRanges[2], kAnalogRanges[3]}, false},
    {MODULE_KIND_AIO_2, 0, {kAnalogRanges[0], kAnalogRanges[1], kAnalogRanges[2], kAnalogRanges[3]}, false},
    {MODULE_KIND_AI_NTC, 4, {kSingleRangeName}, true},
    {MODULE_KIND_AI_RTD, 5, {kRtdTypes[0], kRtdTypes[1]}, false},
    {MODULE_KIND_AI_THERMOCOUPLE, 7,
     {kThermocoupleTypes[0], kThermocoupleTypes[1], kThermocoupleTypes[2], kThermocoupleTypes[3]}, false},
};

// Digits only; a number too long for the field's byte range is just "large".
long long DigitsValue(const std::string& text)
{
    long long value = 0;
    for (char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c)))
            continue;
        value = std::min<long long>(value * 10 + (c - '0'), INT_MAX);
    }
    return value;
}

} // namespace

const CFreezeSpan FreezeSpans[AO_FUNCTION_COUNT] = {
    {4000, 4000, 20000},
    {0, 0, 20000},
    {1000, 1000, 5000},
    {-10000, -10000, 10000},
};

int ModuleRangeLength(const CZUL_Q7_PLC& record, ModuleArea area)
{
    switch (area) {
    case ModuleArea::I:
        return (record.diCount + DIGITAL_CHANNELS_PER_BYTE - 1) / DIGITAL_CHANNELS_PER_BYTE;
    case ModuleArea::Q:
        return (record.doCount + DIGITAL_CHANNELS_PER_BYTE - 1) / DIGITAL_CHANNELS_PER_BYTE;
    case ModuleArea::AI:
        return ANALOG_BYTES_PER_CHANNEL * record.aiCount;
    case ModuleArea::AQ:
        return ANALOG_BYTES_PER_CHANNEL * record.aoCount;
    }
    return 0;
}

CStartBounds StartBoundsOf(ModuleArea area, int length)
{
    const CMemAreaInfo& info = g_LiveAreaTable[FieldsOf(area).row];
    CStartBounds bounds;
    bounds.minimum = static_cast<int>(info.minIndex);
    bounds.maximum = std::max(bounds.minimum, static_cast<int>(info.maxIndex) - length + 1);
    bounds.step = IsAnalog(area) ? ANALOG_START_STEP : 1;
    return bounds;
}

int ModuleRangeStart(const CZUL_Q7_PLC& record, ModuleArea area)
{
    return record.*(FieldsOf(area).start);
}

void SetModuleRange(CZUL_Q7_PLC& record, ModuleArea area, int start, int length)
{
    const CAreaFields& fields = FieldsOf(area);
    record.*(fields.start) = static_cast<BYTE>(start);
    record.*(fields.end) = static_cast<BYTE>(start + length - 1);
}

CStartAddressField::CStartAddressField(CZUL_Q7_PLC* record, ModuleArea area)
    : m_record(record), m_area(area), m_length(record ? ModuleRangeLength(*record, area) : 0),
      m_remembered(record ? ModuleRangeStart(*record, area) : 0)
{
}

CStartAddressField::Change CStartAddressField::OnTextChanged(const std::string& text)
{
    if (!m_filled) {
        m_filled = true;
        return {};
    }
    if (!m_record)
        return {};
    const long long typed = DigitsValue(text);
    const int bound = Bounds().maximum;
    Change change;
    change.written = true;
    change.cut = typed > bound;
    change.value = change.cut ? bound : static_cast<int>(typed);
    SetModuleRange(*m_record, m_area, change.value, m_length);
    SetProjectModified(TRUE);
    return change;
}

void CStartAddressField::RestoreStart()
{
    if (m_record)
        SetModuleRange(*m_record, m_area, m_remembered, m_length);
}

const CAiFunctionChoice* AiFunctionChoiceOf(DWORD kind)
{
    for (const CAiFunctionChoice& choice : kAiFunctionChoices) {
        if (choice.kind == kind)
            return &choice;
    }
    return nullptr;
}

int ClampFreezeValue(int function, int value)
{
    if (function < 0 || function >= AO_FUNCTION_COUNT)
        return value;
    const CFreezeSpan& span = FreezeSpans[function];
    return std::clamp(value, span.minimum, span.maximum);
}

int FreezeValueFromText(const std::string& text)
{
    const char* first = text.data();
    const char* last = first + text.size();
    while (first < last && std::isspace(static_cast<unsigned char>(*first)))
        ++first;
    if (first < last && *first == '+')
        ++first;
    long long value = 0;
    const std::from_chars_result parsed = std::from_chars(first, last, value);
    if (parsed.ec == std::errc::result_out_of_range)
        return *first == '-' ? INT_MIN : INT_MAX;
    if (parsed.ec != std::errc())
        return 0;
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

int ReallocateModuleRanges(CZULProject& project, CZUL_Q7_PLC& record, const std::vector<ModuleArea>& areas)
{
    struct Saved {
        BYTE start;
        BYTE end;
    };
    std::vector<Saved> saved;
    for (ModuleArea area : areas)
        saved.push_back({record.*(FieldsOf(area).start), record.*(FieldsOf(area).end)});
    for (size_t i = 0; i < areas.size(); ++i) {
        const CAreaFields& fields = FieldsOf(areas[i]);
        if ((project.*(fields.allocate))(&record))
            continue;
        for (size_t k = 0; k < areas.size(); ++k) {
            record.*(FieldsOf(areas[k]).start) = saved[k].start;
            record.*(FieldsOf(areas[k]).end) = saved[k].end;
        }
        return static_cast<int>(i);
    }
    return -1;
}
