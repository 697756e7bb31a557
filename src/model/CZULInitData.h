#pragma once
// One row of the initial-data table: its address and value texts, per-column
// values and codes, and two row-state words. The initial-data view gives
// them their meaning; this record keeps and stores them.

#include "platform/CObject.h"

#include <string>
#include <utility>
#include <vector>

class CZULInitData : public CObject {
    DECLARE_SERIAL(CZULInitData)
public:
    void Serialize(CArchive& ar) override;

    // The codes keyed by a 32-bit value; setting an existing key replaces its value.
    void SetCode(DWORD key, DWORD value);
    BOOL LookupCode(DWORD key, DWORD& value) const;
    void RemoveCode(DWORD key);
    int GetCodeCount() const { return static_cast<int>(m_codes.size()); }
    void RemoveAllCodes() { m_codes.clear(); }
    // Key and value pairs in the stored order: by bucket (key / 16 mod 20)
    // ascending, the newest entry of a bucket first.
    std::vector<std::pair<DWORD, DWORD>> GetCodesInStoredOrder() const;
    // TRUE when at least one text is not empty (only such rows are stored).
    BOOL HasText() const;

    std::vector<std::string> texts;
    std::vector<DWORD> values;
    DWORD rowState1 = 0;
    DWORD rowState2 = 0;

private:
    std::vector<std::pair<DWORD, DWORD>> m_codes; // in the order the keys were added
};
