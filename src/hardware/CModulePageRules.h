#pragma once
// What every module page of the hardware window shares: the start-address
// fields that write through to the record, the bounds their up-downs keep,
// the channel lists of the analog kinds and the spans of the freeze values,
// and Default's new placement of a module's ranges.

#include "platform/WinTypes.h"

#include <string>
#include <vector>

class CZULProject;
class CZUL_Q7_PLC;

enum class ModuleArea { I, Q, AI, AQ };

// The up-down range of a start field: from the area's first byte to the last
// start at which the module's range still fits; analog starts step by 2.
struct CStartBounds {
    int minimum = 0;
    int maximum = 0;
    int step = 1;
};

// Bytes of the module's range in an area: a byte per started eight digital
// channels, two bytes per analog channel.
int ModuleRangeLength(const CZUL_Q7_PLC& record, ModuleArea area);
CStartBounds StartBoundsOf(ModuleArea area, int length);
int ModuleRangeStart(const CZUL_Q7_PLC& record, ModuleArea area);
// The start and the end start + length - 1 of the record's range.
void SetModuleRange(CZUL_Q7_PLC& record, ModuleArea area, int start, int length);

// One start field of a page. The page reports every text change; the first,
// caused by the page's own initial fill, is passed over.
class CStartAddressField {
public:
    CStartAddressField() = default;
    CStartAddressField(CZUL_Q7_PLC* record, ModuleArea area);

    struct Change {
        bool written = false; // the record took a new start
        int value = 0;
        bool cut = false;     // the typed value was above the bound
    };
    // Empty text is 0, a value above the bound becomes the bound; the
    // record's range follows and the project is marked modified.
    Change OnTextChanged(const std::string& text);
    // Back to the start of the moment the page opened.
    void RestoreStart();

    int Length() const { return m_length; }
    int RememberedStart() const { return m_remembered; }
    CStartBounds Bounds() const { return StartBoundsOf(m_area, m_length); }
    ModuleArea Area() const { return m_area; }

private:
    CZUL_Q7_PLC* m_record = nullptr;
    ModuleArea m_area = ModuleArea::I;
    int m_length = 0;
    int m_remembered = 0;
    bool m_filled = false;
};

// The channel functions an analog input kind offers: stored code = list
// index + offset. The NTC kind's one entry cannot be changed.
struct CAiFunctionChoice {
    DWORD kind;
    int offset;
    std::vector<std::string> names;
    bool locked;
};
const CAiFunctionChoice* AiFunctionChoiceOf(DWORD kind);

// The freeze value of an analog output while STOP, by output function.
struct CFreezeSpan {
    int defaultValue;
    int minimum;
    int maximum;
};
constexpr int AO_FUNCTION_COUNT = 4;
extern const CFreezeSpan FreezeSpans[AO_FUNCTION_COUNT];
// The value brought into the span of the function; an unknown function keeps it.
int ClampFreezeValue(int function, int value);
// The field's text as a whole number: empty or not a number is 0.
int FreezeValueFromText(const std::string& text);

// Default: the module's ranges placed anew, area by area, its own present
// ranges counting as free. All or nothing: when an area has no room every
// range stays where it was. Returns the index of the area without room, or
// -1 when every range moved.
int ReallocateModuleRanges(CZULProject& project, CZUL_Q7_PLC& record, const std::vector<ModuleArea>& areas);
