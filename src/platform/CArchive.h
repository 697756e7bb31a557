#pragma once
// The archive byte format of the project files and undo snapshots:
// little-endian integers, strings with their length prefixes (a byte, or
// 0xFF and a word, or 0xFF 0xFFFF and a double word; 0xFF 0xFFFE marks a
// UTF-16 string), counts (a word, or 0xFFFF and a double word), and objects
// with class records (0xFFFF, schema, name length, name for a class seen
// the first time; 0x8000 | index for a class seen before; an index for an
// object stored before; 0 for none), both class and object indexes counted
// from 1 in the order they first appear.
//
// Reading never throws and never reads past the end: the first fault is
// kept as the archive's error, every later read yields zeros, and the
// caller checks IsOK() when it is done.

#include "CObject.h"
#include "WinTypes.h"

#include <string>
#include <unordered_map>
#include <vector>

class CArchive {
public:
    enum Error {
        none = 0,
        endOfFile,   // the stream ended inside a value
        badClass,    // unknown class name, or a class that does not fit
        badSchema,   // stored schema differs from the class's schema
        badIndex,    // a class or object reference that was never stored
        badCount,    // a count larger than what is left of the stream
        fileError,   // the file could not be read or written
    };

    // An archive that stores into memory.
    CArchive();
    // An archive that loads from these bytes.
    explicit CArchive(std::vector<BYTE> bytes);
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;
    CArchive(CArchive&&) = default;
    ~CArchive();

    BOOL IsLoading() const { return m_loading; }
    BOOL IsStoring() const { return !m_loading; }

    // A loading archive over a whole file; IsOK() is false when it cannot be read.
    static CArchive FromFile(const std::string& path);
    // Writes what was stored to the file, replacing it only once the new one is complete.
    BOOL SaveToFile(const std::string& path);

    const std::vector<BYTE>& GetBuffer() const { return m_bytes; }
    size_t GetPosition() const { return m_pos; }
    size_t GetRemaining() const { return m_bytes.size() - m_pos; }

    BOOL IsOK() const { return m_error == none; }
    Error GetError() const { return m_error; }
    std::string GetErrorText() const;
    // Records a fault; the first one is kept.
    void SetError(Error error);

    void Write(const void* data, size_t size);
    // Reads size bytes; a short stream fills zeros, sets endOfFile and returns 0.
    // Reading 0 bytes touches neither the buffer nor the archive.
    size_t Read(void* data, size_t size);
    // Appends every remaining line of a text, its LF or CR LF line end removed.
    void ReadLines(std::vector<std::string>& lines);

    CArchive& operator<<(BYTE v);
    CArchive& operator<<(char v);
    CArchive& operator<<(WORD v);
    CArchive& operator<<(short v);
    CArchive& operator<<(DWORD v);
    CArchive& operator<<(int v);
    CArchive& operator<<(float v);
    CArchive& operator<<(double v);
    CArchive& operator<<(const std::string& v);

    CArchive& operator>>(BYTE& v);
    CArchive& operator>>(char& v);
    CArchive& operator>>(WORD& v);
    CArchive& operator>>(short& v);
    CArchive& operator>>(DWORD& v);
    CArchive& operator>>(int& v);
    CArchive& operator>>(float& v);
    CArchive& operator>>(double& v);
    CArchive& operator>>(std::string& v);

    // Element counts of object lists.
    void WriteCount(DWORD count);
    // A count that cannot fit what is left of the stream (each element takes
    // at least minElementSize bytes) is refused with badCount and read as 0.
    DWORD ReadCount(size_t minElementSize = 1);

    void WriteObject(const CObject* object);
    // Reads an object (or null); when expected is given the object must be
    // of that class or derived from it. The caller owns a new object, also
    // when the archive failed while it was being read.
    CObject* ReadObject(const CRuntimeClass* expected);
    // A stream that refers back to an object stored before hands out that
    // object a second time; such references are refused unless allowed.
    void SetAllowObjectReferences(BOOL allow) { m_allowObjectReferences = allow != FALSE; }
    BOOL GetAllowObjectReferences() const { return m_allowObjectReferences ? TRUE : FALSE; }

    void WriteClass(const CRuntimeClass* cls);
    const CRuntimeClass* ReadClass(const CRuntimeClass* expected = nullptr);
    // Schema number of the class of the object being read.
    UINT GetObjectSchema() const { return m_objectSchema; }

private:
    struct LoadedEntry {
        const CRuntimeClass* cls = nullptr;
        CObject* object = nullptr;
    };

    bool Need(size_t size);
    // Reads a class record or a reference; returns null for an object reference
    // or null tag, whose index is then in objectTag.
    const CRuntimeClass* ReadClassOrTag(const CRuntimeClass* expected, UINT& schema, DWORD& objectTag, bool& isClass);
    DWORD NextMapIndex();

    bool m_loading;
    std::vector<BYTE> m_bytes;
    size_t m_pos = 0;
    Error m_error = none;
    bool m_allowObjectReferences = false;
    UINT m_objectSchema = 0xFFFF;
    DWORD m_mapCount = 1;
    std::unordered_map<const void*, DWORD> m_storeMap;
    std::vector<LoadedEntry> m_loadArray;
};
