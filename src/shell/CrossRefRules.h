#pragma once
// The rules of the cross-reference list that need no window: the filter
// boxes and the masks they give, the rows shown for the collected
// references and the POU that a row leads to.

#include "platform/WinTypes.h"

#include <string>
#include <vector>

class CZULAppData;
class CZULProject;
struct CXrefEntry;

// One check box of the filter page: its text, control id and mask bit.
struct CXrefFilterBox {
    const char* text;
    UINT controlId;
    DWORD bit;
};

constexpr int XREF_AREA_BOX_COUNT = 15;
constexpr int XREF_TYPE_BOX_COUNT = 7;
extern const CXrefFilterBox XREF_AREA_BOXES[XREF_AREA_BOX_COUNT];
extern const CXrefFilterBox XREF_TYPE_BOXES[XREF_TYPE_BOX_COUNT];

// The area and type masks of the box states (non-zero: ticked).
DWORD XrefAreaMask(const int* selArea);
DWORD XrefTypeMask(const int* selType);
// Stores both masks of the application data's box states and marks the
// project modified.
void ApplyXrefFilter(CZULAppData& app);

// The texts of one list row, column by column.
struct CXrefRow {
    std::string index;
    std::string address;
    std::string symbol;
    std::string pou;
    std::string position;
    std::string access;
};

// The rows of the references that pass the application data's masks, at
// most the profile's capacity of them; cutShort when more were there.
struct CXrefRows {
    std::vector<CXrefRow> rows;
    BOOL cutShort = FALSE;
};

CXrefRow FormatXrefRow(const CZULAppData& app, int index, const CXrefEntry& entry);
CXrefRows CollectXrefRows(const CZULAppData& app, int capacity);
// The note that ends a list cut short at capacity rows.
std::string XrefCutShortNote(int capacity);

// The row or network number of a Position text; 0 when it names neither.
int XrefPositionNumber(const std::string& position);

// Where a POU text of the list leads: the text that the POU's tree label
// contains and its program file, empty when the POU has no IL or LD program.
struct CXrefTarget {
    std::string label;
    std::string file;
};
CXrefTarget XrefTargetOfPOU(const CZULProject& project, const std::string& pouText);
