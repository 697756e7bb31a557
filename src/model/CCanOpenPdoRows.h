#pragma once
// The 64 mapping rows of one CANopen PDO. A project has 2016 PDOs and most
// of them never map a row, so the rows are stored only once a row is
// written: until then every row reads as a free row, and a reset gives the
// storage up again. Reading through a const reference never stores.

#include "CCanOpenMappedObject.h"

#include <cstddef>
#include <memory>

constexpr int CANOPEN_PDO_ROWS = 64;

// The sub-index a free row carries: none for receive PDOs, 0 for transmit
// PDOs of a reset slave.
enum class CanOpenFreeSub { none, zero };

class CCanOpenPdoRows {
public:
    explicit CCanOpenPdoRows(CanOpenFreeSub freeSub = CanOpenFreeSub::none) : m_freeSub(freeSub) {}
    CCanOpenPdoRows(const CCanOpenPdoRows& other);
    CCanOpenPdoRows& operator=(const CCanOpenPdoRows& other);
    CCanOpenPdoRows(CCanOpenPdoRows&&) noexcept = default;
    CCanOpenPdoRows& operator=(CCanOpenPdoRows&&) noexcept = default;

    // A row to change: the rows are stored from here on.
    CCanOpenMappedObject& operator[](std::size_t row);
    const CCanOpenMappedObject& operator[](std::size_t row) const { return begin()[row]; }

    CCanOpenMappedObject* begin();
    CCanOpenMappedObject* end() { return begin() + CANOPEN_PDO_ROWS; }
    const CCanOpenMappedObject* begin() const;
    const CCanOpenMappedObject* end() const { return begin() + CANOPEN_PDO_ROWS; }

    // Every row becomes free, carrying the given sub-index.
    void Reset(CanOpenFreeSub freeSub);

private:
    std::unique_ptr<CCanOpenMappedObject[]> m_rows;
    CanOpenFreeSub m_freeSub;
};
