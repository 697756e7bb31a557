#include "CArchive.h"

#include "FileSystem.h"
#include "Gbk.h"

#include <bit>
#include <cstring>

namespace {

constexpr WORD kNullTag = 0;
constexpr WORD kNewClassTag = 0xFFFF;
constexpr WORD kClassTag = 0x8000;
constexpr DWORD kBigClassTag = 0x80000000;
constexpr WORD kBigObjectTag = 0x7FFF;
constexpr DWORD kMaxMapCount = 0x3FFFFFFE;
constexpr size_t kMaxClassNameLength = 64;
// A schema with this bit is versionable: stored without the bit, and any
// stored number loads; the class checks the number it is given.
constexpr UINT kVersionableSchema = 0x80000000;

// UTF-16LE code units to UTF-8, unpaired surrogates as U+FFFD.
std::string Utf16ToUtf8(const std::vector<WORD>& units)
{
    std::string out;
    auto put = [&out](DWORD cp) {
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    };
    for (size_t i = 0; i < units.size(); ++i) {
        DWORD u = units[i];
        if (u >= 0xD800 && u < 0xDC00 && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] < 0xE000) {
            put(0x10000 + ((u - 0xD800) << 10) + (units[i + 1] - 0xDC00));
            ++i;
        } else if (u >= 0xD800 && u < 0xE000) {
            put(0xFFFD);
        } else {
            put(u);
        }
    }
    return out;
}

} // namespace

CArchive::CArchive() : m_loading(false)
{
}

CArchive::CArchive(std::vector<BYTE> bytes) : m_loading(true), m_bytes(std::move(bytes))
{
    m_loadArray.push_back({});
}

CArchive::~CArchive() = default;

CArchive CArchive::FromFile(const std::string& path)
{
    std::vector<BYTE> bytes;
    const bool read = FileSystem::ReadFileBytes(path, bytes) != FALSE;
    CArchive ar(std::move(bytes));
    if (!read)
        ar.SetError(fileError);
    return ar;
}

BOOL CArchive::SaveToFile(const std::string& path)
{
    if (m_loading || !IsOK())
        return FALSE;
    if (!FileSystem::SafeSave(path, m_bytes)) {
        SetError(fileError);
        return FALSE;
    }
    return TRUE;
}

void CArchive::ReadLines(std::vector<std::string>& lines)
{
    std::string rest(GetRemaining(), '\0');
    Read(rest.data(), rest.size());
    size_t start = 0;
    while (start < rest.size()) {
        size_t end = rest.find('\n', start);
        if (end == std::string::npos)
            end = rest.size();
        std::string line = rest.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
}

std::string CArchive::GetErrorText() const
{
    switch (m_error) {
    case none: return "";
    case endOfFile: return "The file ends unexpectedly.";
    case badClass: return "The file holds an object of an unknown or unexpected class.";
    case badSchema: return "The file holds an object of an unsupported version.";
    case badIndex: return "The file refers to an object that it does not hold.";
    case badCount: return "The file holds a count larger than its contents.";
    case fileError: return "The file cannot be read or written.";
    }
    return "";
}

void CArchive::SetError(Error error)
{
    if (m_error == none)
        m_error = error;
}

void CArchive::Write(const void* data, size_t size)
{
    const BYTE* p = static_cast<const BYTE*>(data);
    m_bytes.insert(m_bytes.end(), p, p + size);
}

bool CArchive::Need(size_t size)
{
    if (m_error == none && size <= GetRemaining())
        return true;
    SetError(endOfFile);
    return false;
}

size_t CArchive::Read(void* data, size_t size)
{
    // An empty buffer may hand a null pointer, which memset and memcpy must not see.
    if (size == 0)
        return 0;
    if (!Need(size)) {
        std::memset(data, 0, size);
        return 0;
    }
    std::memcpy(data, m_bytes.data() + m_pos, size);
    m_pos += size;
    return size;
}

namespace {

template <typename T>
void PutLittleEndian(CArchive& ar, T value)
{
    BYTE bytes[sizeof(T)];
    std::memcpy(bytes, &value, sizeof(T)); // the host is little-endian, like the files
    ar.Write(bytes, sizeof(T));
}

template <typename T>
void GetLittleEndian(CArchive& ar, T& value)
{
    BYTE bytes[sizeof(T)];
    ar.Read(bytes, sizeof(T));
    std::memcpy(&value, bytes, sizeof(T));
}

} // namespace

static_assert(std::endian::native == std::endian::little, "the archive format is little-endian");

CArchive& CArchive::operator<<(BYTE v) { PutLittleEndian(*this, v); return *this; }
CArchive& CArchive::operator<<(char v) { PutLittleEndian(*this, v); return *this; }
CArchive& CArchive::operator<<(WORD v) { PutLittleEndian(*this, v); return *this; }
CArchive& CArchive::operator<<(short v) { PutLittleEndian(*this, v); return *this; }
CArchive& CArchive::operator<<(DWORD v) { PutLittleEndian(*this, v); return *this; }
CArchive& CArchive::operator<<(int v) { PutLittleEndian(*this, v); return *this; }
CArchive& CArchive::operator<<(float v) { PutLittleEndian(*this, v); return *this; }
CArchive& CArchive::operator<<(double v) { PutLittleEndian(*this, v); return *this; }

CArchive& CArchive::operator>>(BYTE& v) { GetLittleEndian(*this, v); return *this; }
CArchive& CArchive::operator>>(char& v) { GetLittleEndian(*this, v); return *this; }
CArchive& CArchive::operator>>(WORD& v) { GetLittleEndian(*this, v); return *this; }
CArchive& CArchive::operator>>(short& v) { GetLittleEndian(*this, v); return *this; }
CArchive& CArchive::operator>>(DWORD& v) { GetLittleEndian(*this, v); return *this; }
CArchive& CArchive::operator>>(int& v) { GetLittleEndian(*this, v); return *this; }
CArchive& CArchive::operator>>(float& v) { GetLittleEndian(*this, v); return *this; }
CArchive& CArchive::operator>>(double& v) { GetLittleEndian(*this, v); return *this; }

CArchive& CArchive::operator<<(const std::string& v)
{
    const size_t length = v.size();
    if (length < 0xFF) {
        *this << static_cast<BYTE>(length);
    } else if (length < 0xFFFE) {
        *this << static_cast<BYTE>(0xFF) << static_cast<WORD>(length);
    } else {
        *this << static_cast<BYTE>(0xFF) << static_cast<WORD>(0xFFFF) << static_cast<DWORD>(length);
    }
    Write(v.data(), length);
    return *this;
}

CArchive& CArchive::operator>>(std::string& v)
{
    v.clear();
    bool wide = false;
    DWORD length = 0;
    for (int round = 0; round < 2; ++round) {
        BYTE b = 0;
        *this >> b;
        if (b < 0xFF) {
            length = b;
            break;
        }
        WORD w = 0;
        *this >> w;
        if (w == 0xFFFE && !wide) {
            wide = true; // the length follows again
            continue;
        }
        if (w == 0xFFFF)
            *this >> length;
        else
            length = w;
        break;
    }
    const size_t bytes = wide ? static_cast<size_t>(length) * 2 : length;
    if (!Need(bytes))
        return *this;
    if (!wide) {
        v.assign(reinterpret_cast<const char*>(m_bytes.data() + m_pos), bytes);
        m_pos += bytes;
        return *this;
    }
    std::vector<WORD> units(length);
    for (WORD& u : units)
        *this >> u;
    v = Utf8ToGbk(Utf16ToUtf8(units));
    return *this;
}

void CArchive::WriteCount(DWORD count)
{
    if (count < 0xFFFF) {
        *this << static_cast<WORD>(count);
        return;
    }
    *this << static_cast<WORD>(0xFFFF) << count;
}

DWORD CArchive::ReadCount(size_t minElementSize)
{
    WORD w = 0;
    *this >> w;
    DWORD count = w;
    if (w == 0xFFFF)
        *this >> count;
    if (!IsOK())
        return 0;
    if (minElementSize > 0 && count > GetRemaining() / minElementSize) {
        SetError(badCount);
        return 0;
    }
    return count;
}

DWORD CArchive::NextMapIndex()
{
    if (m_mapCount >= kMaxMapCount) {
        SetError(badIndex);
        return m_mapCount;
    }
    return m_mapCount++;
}

void CArchive::WriteClass(const CRuntimeClass* cls)
{
    auto it = m_storeMap.find(cls);
    if (it != m_storeMap.end()) {
        const DWORD index = it->second;
        if (index < kBigObjectTag)
            *this << static_cast<WORD>(kClassTag | index);
        else
            *this << kBigObjectTag << static_cast<DWORD>(kBigClassTag | index);
        return;
    }
    const std::string name = cls->m_lpszClassName;
    *this << kNewClassTag << static_cast<WORD>(cls->m_wSchema & ~kVersionableSchema) << static_cast<WORD>(name.size());
    Write(name.data(), name.size());
    m_storeMap[cls] = NextMapIndex();
}

void CArchive::WriteObject(const CObject* object)
{
    if (!object) {
        *this << kNullTag;
        return;
    }
    auto it = m_storeMap.find(object);
    if (it != m_storeMap.end()) {
        const DWORD index = it->second;
        if (index < kBigObjectTag)
            *this << static_cast<WORD>(index);
        else
            *this << kBigObjectTag << index;
        return;
    }
    WriteClass(object->GetRuntimeClass());
    m_storeMap[object] = NextMapIndex();
    const_cast<CObject*>(object)->Serialize(*this);
}

const CRuntimeClass* CArchive::ReadClassOrTag(const CRuntimeClass* expected, UINT& schema, DWORD& objectTag,
                                              bool& isClass)
{
    WORD tag = 0;
    *this >> tag;
    DWORD fullTag = 0;
    if (tag == kBigObjectTag)
        *this >> fullTag;
    else
        fullTag = (static_cast<DWORD>(tag & kClassTag) << 16) | (tag & ~kClassTag);
    isClass = (fullTag & kBigClassTag) != 0;
    objectTag = fullTag;
    if (!IsOK() || !isClass)
        return nullptr;

    const CRuntimeClass* cls = nullptr;
    if (tag == kNewClassTag) {
        WORD storedSchema = 0, length = 0;
        *this >> storedSchema >> length;
        if (!IsOK())
            return nullptr;
        if (length == 0 || length > kMaxClassNameLength || !Need(length)) {
            SetError(length > kMaxClassNameLength || length == 0 ? badClass : endOfFile);
            return nullptr;
        }
        std::string name(reinterpret_cast<const char*>(m_bytes.data() + m_pos), length);
        m_pos += length;
        cls = CRuntimeClass::FromName(name);
        if (!cls || !cls->m_pfnCreateObject) {
            SetError(badClass);
            return nullptr;
        }
        // A versionable class reads every stored schema and checks it itself.
        if ((cls->m_wSchema & kVersionableSchema) == 0 && storedSchema != cls->m_wSchema) {
            SetError(badSchema);
            return nullptr;
        }
        schema = storedSchema;
        m_loadArray.push_back({cls, nullptr});
        NextMapIndex();
    } else {
        const DWORD index = fullTag & ~kBigClassTag;
        if (index == 0 || index >= m_loadArray.size() || !m_loadArray[index].cls) {
            SetError(badIndex);
            return nullptr;
        }
        cls = m_loadArray[index].cls;
        schema = cls->m_wSchema & ~kVersionableSchema;
    }
    if (expected && !cls->IsDerivedFrom(expected)) {
        SetError(badClass);
        return nullptr;
    }
    return cls;
}

const CRuntimeClass* CArchive::ReadClass(const CRuntimeClass* expected)
{
    UINT schema = 0;
    DWORD tag = 0;
    bool isClass = false;
    const CRuntimeClass* cls = ReadClassOrTag(expected, schema, tag, isClass);
    if (!cls && IsOK())
        SetError(badClass);
    return cls;
}

CObject* CArchive::ReadObject(const CRuntimeClass* expected)
{
    UINT schema = 0;
    DWORD tag = 0;
    bool isClass = false;
    const CRuntimeClass* cls = ReadClassOrTag(expected, schema, tag, isClass);
    if (!IsOK())
        return nullptr;
    if (!isClass) {
        if (tag == 0)
            return nullptr;
        if (tag >= m_loadArray.size() || !m_loadArray[tag].object) {
            SetError(badIndex);
            return nullptr;
        }
        if (!m_allowObjectReferences) {
            SetError(badIndex);
            return nullptr;
        }
        CObject* object = m_loadArray[tag].object;
        if (expected && !object->IsKindOf(expected)) {
            SetError(badClass);
            return nullptr;
        }
        return object;
    }
    CObject* object = cls->CreateObject();
    m_loadArray.push_back({nullptr, object});
    NextMapIndex();
    const UINT previousSchema = m_objectSchema;
    m_objectSchema = schema;
    object->Serialize(*this);
    m_objectSchema = previousSchema;
    return object;
}
