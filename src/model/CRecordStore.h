#pragma once
// The one owner of the records of a kind. Lookup maps beside it hold plain
// pointers; a record leaves them before it is destroyed here.

#include <memory>
#include <unordered_map>

template <typename Record>
class CRecordStore {
public:
    // Takes ownership; a record the store holds already stays once.
    Record* Adopt(Record* record)
    {
        if (record && !Owns(record))
            m_records.emplace(record, std::unique_ptr<Record>(record));
        return record;
    }

    bool Owns(const Record* record) const { return m_records.count(record) != 0; }
    void Destroy(const Record* record) { m_records.erase(record); }
    void Clear() { m_records.clear(); }

private:
    std::unordered_map<const Record*, std::unique_ptr<Record>> m_records;
};
