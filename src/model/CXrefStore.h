#pragma once
// The cross references of the last compilation, one table per memory area:
// a slot per byte (or timer, counter, flip-flop number) with a byte list and
// eight bit lists. The slot is found from the address number directly, so
// adding never searches. Emptied before each compilation and when the
// project is closed. The store remembers which slots it handed out, so
// emptying it walks those only and not every slot of the large V table.

#include "CXrefEntry.h"
#include "platform/WinTypes.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

constexpr int XREF_AREA_COUNT = 12;

constexpr int XREF_POSITION_LADDER_NETWORK = 1;
constexpr int XREF_POSITION_IL_ROW = 2;

// Area tables in the order they are collected.
enum XrefArea {
    XREF_AI, XREF_AQ, XREF_I, XREF_M, XREF_Q, XREF_SM, XREF_V, XREF_HC, XREF_T, XREF_C, XREF_RS, XREF_SR
};

struct XrefSlot {
    CXrefEntry* byteList = nullptr;
    std::array<CXrefEntry*, 8> bitLists {};
    // The last entry of each list, so that a program that refers to one
    // address thousands of times does not walk its list per reference.
    CXrefEntry* byteTail = nullptr;
    std::array<CXrefEntry*, 8> bitTails {};
    // Handed out since the store was last emptied (listed in its touched slots).
    bool touched = false;
};

// Where the compiler is when it adds a reference: kind 1 with the network of
// an LD program, kind 2 with the row of an IL program, and the POU label.
struct XrefPosition {
    int kind = XREF_POSITION_IL_ROW;
    int number = 0;
    std::string pou;
};

class CXrefStore {
public:
    CXrefStore();
    ~CXrefStore();
    CXrefStore(const CXrefStore&) = delete;
    CXrefStore& operator=(const CXrefStore&) = delete;

    void Clear();
    // The slot of an area, null when the number is outside the table. A slot
    // handed out is emptied by Clear, whatever was added to it.
    XrefSlot* Slot(XrefArea area, int number);
    static int SlotCount(XrefArea area);
    static DWORD AreaFilterBit(XrefArea area);

    BOOL AddAddressXref(int access, const std::string& address);
    BOOL AddInstanceXref(int access, const std::string& operand);

    // Copies the references that filter selects (area bits, type bits,
    // 0x80 pointer and 0x100 address-of references) into array. typesOfArea
    // is the type setting of the cross-reference window. count gives the
    // capacity; when the array fills, FALSE and count stays, else count
    // becomes the number copied.
    BOOL Collect(DWORD filter, DWORD typesOfArea, int& count, CXrefEntry* array) const;
    BOOL CollectArea(XrefArea area, DWORD filter, DWORD typesOfArea, int capacity, int& count,
                     CXrefEntry* array) const;

    // Where the compiler is, for every reference it adds; without a source
    // a reference records row 0 of no POU.
    void SetPositionSource(std::function<XrefPosition()> source);
    XrefPosition CurrentPosition() const;

private:
    std::array<std::vector<XrefSlot>, XREF_AREA_COUNT> m_tables;
    std::vector<XrefSlot*> m_touched;
    std::function<XrefPosition()> m_positionSource;
};

// The store of the program.
extern CXrefStore g_XrefStore;

// The compiler installs the source of its current position; without one a
// reference records row 0 of no POU.
void SetXrefPositionSource(std::function<XrefPosition()> source);

// Appends a reference at the end of a list with the compiler's current
// position (see SetXrefPositionSource); an empty address adds nothing and gives FALSE.
BOOL AddBitXref(const std::string& address, CXrefEntry** listHead, int access);
BOOL AddXref(const std::string& address, CXrefEntry** listHead, int access, int type);
// On the program's store.
BOOL AddAddressXref(int access, const std::string& address);
BOOL AddInstanceXref(int access, const std::string& operand);
void ClearXrefTables();
void FreeXrefSlot(XrefSlot& slot);
void FreeXrefTable(std::vector<XrefSlot>& table);
// With the application's "TypesOfArea" setting as the further filter.
BOOL CollectXrefEntries(DWORD filter, int& count, CXrefEntry* array);
