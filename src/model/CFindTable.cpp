#include "CFindTable.h"

namespace {

constexpr int kFreeAction = 1;

} // namespace

CFindResult& CFindTable::operator[](std::size_t record)
{
    if (!m_records)
        m_records = std::make_unique<CFindResult[]>(FIND_TABLE_SIZE);
    return m_records[record];
}

const CFindResult* CFindTable::begin() const
{
    if (m_records)
        return m_records.get();
    // What a table never written reads as, built on the first such read.
    static const std::unique_ptr<const CFindResult[]> kFree = std::make_unique<const CFindResult[]>(FIND_TABLE_SIZE);
    return kFree.get();
}

void CFindTable::ResetRecords(int action)
{
    // A table never written holds only free records of the first action.
    if (!m_records && action == kFreeAction)
        return;
    for (int i = 1; i < FIND_TABLE_SIZE; ++i)
        (*this)[i].Reset(action);
}
