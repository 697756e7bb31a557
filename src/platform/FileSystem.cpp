#include "FileSystem.h"

#include "ByteString.h"
#include "Gbk.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace FileSystem {

std::string ToNative(const std::string& path)
{
    return GbkToUtf8(path);
}

std::string FromNative(const std::string& native)
{
    return Utf8ToGbk(native);
}

namespace {

bool NativeExists(const std::string& native)
{
    struct stat st;
    return ::stat(native.c_str(), &st) == 0;
}

// The entry of a folder whose name equals name ignoring case; "" when none.
std::string MatchNoCase(const std::string& nativeFolder, const std::string& nativeName)
{
    DIR* dir = ::opendir(nativeFolder.empty() ? "." : nativeFolder.c_str());
    if (!dir)
        return "";
    std::string found;
    const std::string wanted = ByteString::Upper(nativeName);
    while (dirent* e = ::readdir(dir)) {
        if (ByteString::Upper(e->d_name) == wanted) {
            found = e->d_name;
            break;
        }
    }
    ::closedir(dir);
    return found;
}

// Exact native path first, then the components matched without case.
std::string ResolveNative(const std::string& path)
{
    const std::string native = ToNative(path);
    if (native.empty())
        return "";
    if (NativeExists(native))
        return native;
    // A folder that exists by its exact name leaves only the last name to
    // match without case: no walk through every folder above it.
    const size_t lastSeparator = native.find_last_of('/');
    const bool folderExists = lastSeparator != std::string::npos && lastSeparator + 1 < native.size() &&
                              lastSeparator > 0 && NativeExists(native.substr(0, lastSeparator));
    std::string resolved = folderExists ? native.substr(0, lastSeparator + 1) : native[0] == '/' ? "/" : "";
    size_t start = folderExists ? lastSeparator + 1 : native[0] == '/' ? 1 : 0;
    while (start <= native.size()) {
        size_t end = native.find('/', start);
        if (end == std::string::npos)
            end = native.size();
        const std::string part = native.substr(start, end - start);
        start = end + 1;
        if (part.empty())
            continue;
        std::string candidate = resolved + part;
        if (!NativeExists(candidate)) {
            const std::string match = MatchNoCase(resolved.empty() ? "." : resolved, part);
            if (match.empty())
                return "";
            candidate = resolved + match;
        }
        resolved = candidate + (end < native.size() ? "/" : "");
    }
    if (!resolved.empty() && resolved.back() == '/' && resolved.size() > 1)
        resolved.pop_back();
    return NativeExists(resolved) ? resolved : "";
}

// The native path to use for a file that may exist under another case.
std::string NativeFor(const std::string& path)
{
    const std::string existing = ResolveNative(path);
    return existing.empty() ? ToNative(path) : existing;
}

DWORD AttributesOf(const struct stat& st, const std::string& name)
{
    DWORD attributes = 0;
    if (S_ISDIR(st.st_mode))
        attributes |= FILE_ATTRIBUTE_DIRECTORY;
    if (!(st.st_mode & S_IWUSR))
        attributes |= FILE_ATTRIBUTE_READONLY;
    if (!name.empty() && name[0] == '.')
        attributes |= FILE_ATTRIBUTE_HIDDEN;
    if (attributes == 0)
        attributes = FILE_ATTRIBUTE_NORMAL;
    return attributes;
}

// Room beyond the expected size, so that the end of the file is seen by the
// second read without growing the buffer.
constexpr size_t kReadReserve = 1;

bool WriteAll(int fd, const BYTE* data, size_t size)
{
    while (size > 0) {
        ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

// Reads from fd to its end; the size the file has now sizes the buffer.
bool ReadAll(int fd, std::vector<BYTE>& bytes)
{
    struct stat st;
    const size_t expected = ::fstat(fd, &st) == 0 && st.st_size > 0 ? static_cast<size_t>(st.st_size) : 0;
    bytes.resize(expected + kReadReserve);
    size_t filled = 0;
    for (;;) {
        if (filled == bytes.size())
            bytes.resize(bytes.size() * 2);
        const ssize_t n = ::read(fd, bytes.data() + filled, bytes.size() - filled);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            bytes.resize(filled);
            return n == 0;
        }
        filled += static_cast<size_t>(n);
    }
}

} // namespace

std::string FindExisting(const std::string& path)
{
    const std::string native = ResolveNative(path);
    return native.empty() ? "" : FromNative(native);
}

BOOL FileExists(const std::string& path)
{
    const std::string native = ResolveNative(path);
    struct stat st;
    return !native.empty() && ::stat(native.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

BOOL FolderExists(const std::string& path)
{
    const std::string native = ResolveNative(path);
    struct stat st;
    return !native.empty() && ::stat(native.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

BOOL CreateFolder(const std::string& path)
{
    if (FolderExists(path))
        return TRUE;
    std::error_code ec;
    fs::create_directories(ToNative(path), ec);
    return FolderExists(path);
}

BOOL DeleteFile(const std::string& path)
{
    const std::string native = ResolveNative(path);
    return !native.empty() && ::unlink(native.c_str()) == 0;
}

BOOL DeleteTree(const std::string& path)
{
    const std::string native = ResolveNative(path);
    if (native.empty())
        return TRUE;
    std::error_code ec;
    fs::remove_all(native, ec);
    return !ec && !NativeExists(native);
}

BOOL CopyFile(const std::string& from, const std::string& to, BOOL failIfExists)
{
    const std::string source = ResolveNative(from);
    if (source.empty())
        return FALSE;
    const std::string target = NativeFor(to);
    if (failIfExists && NativeExists(target))
        return FALSE;
    std::error_code ec;
    fs::copy_file(source, target, fs::copy_options::overwrite_existing, ec);
    return !ec;
}

BOOL CopyTree(const std::string& from, const std::string& to)
{
    const std::string source = ResolveNative(from);
    if (source.empty())
        return FALSE;
    std::error_code ec;
    fs::create_directories(ToNative(to), ec);
    fs::copy(source, NativeFor(to), fs::copy_options::recursive | fs::copy_options::overwrite_existing, ec);
    return !ec;
}

BOOL MoveFile(const std::string& from, const std::string& to)
{
    const std::string source = ResolveNative(from);
    return !source.empty() && ::rename(source.c_str(), ToNative(to).c_str()) == 0;
}

BOOL LinkFile(const std::string& from, const std::string& to)
{
    const std::string source = ResolveNative(from);
    return !source.empty() && ::link(source.c_str(), ToNative(to).c_str()) == 0;
}

BOOL IsSameFile(const std::string& first, const std::string& second)
{
    const std::string a = ResolveNative(first);
    const std::string b = ResolveNative(second);
    struct stat statA {};
    struct stat statB {};
    if (a.empty() || b.empty() || ::stat(a.c_str(), &statA) != 0 || ::stat(b.c_str(), &statB) != 0)
        return FALSE;
    return statA.st_dev == statB.st_dev && statA.st_ino == statB.st_ino;
}

std::vector<CFileEntry> ListFolder(const std::string& path)
{
    std::vector<CFileEntry> entries;
    const std::string native = ResolveNative(path);
    DIR* dir = native.empty() ? nullptr : ::opendir(native.c_str());
    if (!dir)
        return entries;
    while (dirent* e = ::readdir(dir)) {
        const std::string name = e->d_name;
        if (name == "." || name == "..")
            continue;
        const std::string full = native + "/" + name;
        CFileEntry entry;
        entry.name = FromNative(name);
        struct stat st;
        if (::stat(full.c_str(), &st) == 0) {
            entry.attributes = AttributesOf(st, name);
            entry.size = static_cast<unsigned long long>(st.st_size);
        } else {
            entry.attributes = 0xFFFFFFFF;
        }
        entries.push_back(entry);
    }
    ::closedir(dir);
    std::sort(entries.begin(), entries.end(), [](const CFileEntry& a, const CFileEntry& b) { return a.name < b.name; });
    return entries;
}

std::vector<std::string> ListFileNames(const std::string& path)
{
    std::vector<std::string> names;
    const std::string native = ResolveNative(path);
    DIR* dir = native.empty() ? nullptr : ::opendir(native.c_str());
    if (!dir)
        return names;
    while (dirent* e = ::readdir(dir)) {
        const std::string name = e->d_name;
        if (name == "." || name == "..")
            continue;
        // A link counts as what it leads to; one that leads nowhere is left out.
        struct stat st;
        const bool lookedAt = e->d_type == DT_UNKNOWN || e->d_type == DT_LNK;
        if (lookedAt && (::stat((native + "/" + name).c_str(), &st) != 0 || S_ISDIR(st.st_mode)))
            continue;
        if (e->d_type != DT_DIR)
            names.push_back(FromNative(name));
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

DWORD GetAttributes(const std::string& path)
{
    const std::string native = ResolveNative(path);
    if (native.empty())
        return 0xFFFFFFFF;
    struct stat st;
    if (::stat(native.c_str(), &st) != 0)
        return 0xFFFFFFFF;
    return AttributesOf(st, ToNative(FileNameOf(path)));
}

BOOL SetAttributes(const std::string& path, DWORD attributes)
{
    const std::string native = ResolveNative(path);
    struct stat st;
    if (native.empty() || ::stat(native.c_str(), &st) != 0)
        return FALSE;
    mode_t mode = st.st_mode & 07777;
    mode = (attributes & FILE_ATTRIBUTE_READONLY) ? (mode & ~S_IWUSR) : (mode | S_IWUSR);
    return ::chmod(native.c_str(), mode) == 0;
}

BOOL ReadFileBytes(const std::string& path, std::vector<BYTE>& bytes)
{
    bytes.clear();
    // The exact name is opened straight away; only a name that is not there
    // as written is looked for without case.
    const std::string native = ToNative(path);
    int fd = native.empty() ? -1 : ::open(native.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 && !native.empty() && errno == ENOENT) {
        const std::string resolved = ResolveNative(path);
        if (!resolved.empty())
            fd = ::open(resolved.c_str(), O_RDONLY | O_CLOEXEC);
    }
    if (fd < 0)
        return FALSE;
    const bool ok = ReadAll(fd, bytes);
    ::close(fd);
    return ok;
}

BOOL ReadFileText(const std::string& path, std::string& text)
{
    std::vector<BYTE> bytes;
    const BOOL ok = ReadFileBytes(path, bytes);
    text.assign(bytes.begin(), bytes.end());
    return ok;
}

namespace {

const std::string kTempSuffix = ".XXXXXX";
const std::string kShortTempName = ".save.XXXXXX";
constexpr size_t kNameMax = 255;
constexpr mode_t kNewFileMode = 0644;

// The pattern of the temporary file beside a target. A name too long to
// take the suffix gets a short one, so every name the folder allows saves.
std::string TemporaryNameBeside(const std::string& target)
{
    const size_t slash = target.rfind('/');
    const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    if (target.size() - nameStart + kTempSuffix.size() <= kNameMax)
        return target + kTempSuffix;
    return target.substr(0, nameStart) + kShortTempName;
}

} // namespace

BOOL SafeSave(const std::string& path, const std::vector<BYTE>& bytes)
{
    const std::string target = NativeFor(path);
    std::string temp = TemporaryNameBeside(target);
    int fd = ::mkstemp(temp.data());
    if (fd < 0)
        return FALSE;
    struct stat st;
    const mode_t mode = ::stat(target.c_str(), &st) == 0 ? (st.st_mode & 07777) : kNewFileMode;
    bool ok = WriteAll(fd, bytes.data(), bytes.size()) && ::fsync(fd) == 0;
    ok = ::fchmod(fd, mode) == 0 && ok;
    ok = ::close(fd) == 0 && ok;
    if (ok && ::rename(temp.c_str(), target.c_str()) == 0)
        return TRUE;
    ::unlink(temp.c_str());
    return FALSE;
}

BOOL SafeSave(const std::string& path, const std::string& text)
{
    return SafeSave(path, std::vector<BYTE>(text.begin(), text.end()));
}

BOOL WriteInPlace(const std::string& path, const std::string& text)
{
    const std::string folder = FolderOf(path);
    const std::string nativeFolder = folder.empty() ? "." : ResolveNative(folder);
    if (nativeFolder.empty() || FileNameOf(path).empty())
        return FALSE;
    const std::string target = JoinPath(nativeFolder, ToNative(FileNameOf(path)));
    const int fd = ::open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, kNewFileMode);
    if (fd < 0)
        return FALSE;
    const bool ok = WriteAll(fd, reinterpret_cast<const BYTE*>(text.data()), text.size());
    return ::close(fd) == 0 && ok;
}

std::string GetCurrentFolder()
{
    std::error_code ec;
    return FromNative(fs::current_path(ec).string());
}

BOOL SetCurrentFolder(const std::string& path)
{
    const std::string native = ResolveNative(path);
    return !native.empty() && ::chdir(native.c_str()) == 0;
}

std::string JoinPath(const std::string& folder, const std::string& name)
{
    if (folder.empty())
        return name;
    if (folder.back() == '/')
        return folder + name;
    return folder + "/" + name;
}

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return "";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string FileNameOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FileTitleOf(const std::string& path)
{
    const std::string name = FileNameOf(path);
    const size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string ExtensionOf(const std::string& path)
{
    const std::string name = FileNameOf(path);
    const size_t dot = name.rfind('.');
    return dot == std::string::npos ? "" : name.substr(dot);
}

std::string FromStoredPath(const std::string& path)
{
    std::string out;
    out.reserve(path.size());
    for (size_t i = 0; i < path.size(); ++i) {
        // The trail byte of a double-byte character may be '\' (0x5C).
        if (GbkCharLength(path, i) == 2) {
            out += path[i];
            out += path[++i];
            continue;
        }
        out += path[i] == '\\' ? '/' : path[i];
    }
    return out;
}

} // namespace FileSystem
