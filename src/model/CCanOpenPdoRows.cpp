#include "CCanOpenPdoRows.h"

#include <algorithm>
#include <array>

namespace {

constexpr int kNoSub = -1;

int SubOf(CanOpenFreeSub freeSub)
{
    return freeSub == CanOpenFreeSub::zero ? 0 : kNoSub;
}

using FreeRows = std::array<CCanOpenMappedObject, CANOPEN_PDO_ROWS>;

FreeRows MakeFreeRows(CanOpenFreeSub freeSub)
{
    FreeRows rows;
    for (CCanOpenMappedObject& row : rows)
        row.Sub = SubOf(freeSub);
    return rows;
}

// What the rows of a PDO that never stored any read as.
const CCanOpenMappedObject* FreeRowsOf(CanOpenFreeSub freeSub)
{
    static const FreeRows kNone = MakeFreeRows(CanOpenFreeSub::none);
    static const FreeRows kZero = MakeFreeRows(CanOpenFreeSub::zero);
    return freeSub == CanOpenFreeSub::zero ? kZero.data() : kNone.data();
}

} // namespace

CCanOpenPdoRows::CCanOpenPdoRows(const CCanOpenPdoRows& other) : m_freeSub(other.m_freeSub)
{
    if (!other.m_rows)
        return;
    m_rows = std::make_unique<CCanOpenMappedObject[]>(CANOPEN_PDO_ROWS);
    std::copy(other.begin(), other.end(), m_rows.get());
}

CCanOpenPdoRows& CCanOpenPdoRows::operator=(const CCanOpenPdoRows& other)
{
    if (this == &other)
        return *this;
    m_freeSub = other.m_freeSub;
    if (!other.m_rows) {
        m_rows.reset();
        return *this;
    }
    std::copy(other.begin(), other.end(), begin());
    return *this;
}

CCanOpenMappedObject& CCanOpenPdoRows::operator[](std::size_t row)
{
    return begin()[row];
}

CCanOpenMappedObject* CCanOpenPdoRows::begin()
{
    if (!m_rows) {
        m_rows = std::make_unique<CCanOpenMappedObject[]>(CANOPEN_PDO_ROWS);
        std::copy_n(FreeRowsOf(m_freeSub), CANOPEN_PDO_ROWS, m_rows.get());
    }
    return m_rows.get();
}

const CCanOpenMappedObject* CCanOpenPdoRows::begin() const
{
    return m_rows ? m_rows.get() : FreeRowsOf(m_freeSub);
}

void CCanOpenPdoRows::Reset(CanOpenFreeSub freeSub)
{
    m_freeSub = freeSub;
    m_rows.reset();
}
