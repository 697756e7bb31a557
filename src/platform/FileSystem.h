#pragma once
// Files and folders. Paths are text like every other text of the system
// (GBK bytes, '/' separators); names on disk are UTF-8, converted here.
// An existing file is found by its exact name first, then by a name that
// differs only in case; new files get the name as given.

#include "WinTypes.h"

#include <string>
#include <vector>

// Attribute bits reported for a directory entry, mapped from POSIX: read-only
// when the owner may not write, hidden for names that start with '.'.
constexpr DWORD FILE_ATTRIBUTE_READONLY = 0x01;
constexpr DWORD FILE_ATTRIBUTE_HIDDEN = 0x02;
constexpr DWORD FILE_ATTRIBUTE_SYSTEM = 0x04;
constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x10;
constexpr DWORD FILE_ATTRIBUTE_ARCHIVE = 0x20;
constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;

struct CFileEntry {
    std::string name;   // without the folder
    DWORD attributes = 0;
    unsigned long long size = 0;
    bool IsFolder() const { return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
};

namespace FileSystem {

// The path on disk (UTF-8) of a text path, and back.
std::string ToNative(const std::string& path);
std::string FromNative(const std::string& native);

// The existing path that names this file: exact first, then case-insensitive
// per component; "" when there is none.
std::string FindExisting(const std::string& path);

BOOL FileExists(const std::string& path);
BOOL FolderExists(const std::string& path);

// Creates the folder and its missing parents; TRUE when it exists afterwards.
BOOL CreateFolder(const std::string& path);
BOOL DeleteFile(const std::string& path);
// Deletes a folder with everything in it; TRUE when it is gone.
BOOL DeleteTree(const std::string& path);
// Copies a file; with failIfExists an existing target is left alone and FALSE returned.
BOOL CopyFile(const std::string& from, const std::string& to, BOOL failIfExists);
// Copies a folder with everything in it into to (created when missing).
BOOL CopyTree(const std::string& from, const std::string& to);
BOOL MoveFile(const std::string& from, const std::string& to);
// Gives an existing file a second name (a hard link); FALSE when the target exists.
BOOL LinkFile(const std::string& from, const std::string& to);
// Whether both paths name one and the same file on disk.
BOOL IsSameFile(const std::string& first, const std::string& second);

// Entries of a folder, "." and ".." left out, sorted by name.
std::vector<CFileEntry> ListFolder(const std::string& path);
// Names of the entries of a folder that are not folders, sorted; an entry is
// looked at only when the folder does not tell its kind.
std::vector<std::string> ListFileNames(const std::string& path);
// Attributes of one path; 0xFFFFFFFF when it does not exist.
DWORD GetAttributes(const std::string& path);
// Only read-only is kept on disk (the owner's write permission).
BOOL SetAttributes(const std::string& path, DWORD attributes);

BOOL ReadFileBytes(const std::string& path, std::vector<BYTE>& bytes);
BOOL ReadFileText(const std::string& path, std::string& text);
// Writes a temporary file beside the target and renames it over the target,
// so the old file stays whole until the new one is complete.
BOOL SafeSave(const std::string& path, const std::vector<BYTE>& bytes);
BOOL SafeSave(const std::string& path, const std::string& text);
// Writes a private temporary file in place, without the safe save's
// temporary file and flush. The folder is found as usual; the name is used
// exactly as given, so a new file needs no search of its folder.
BOOL WriteInPlace(const std::string& path, const std::string& text);

std::string GetCurrentFolder();
BOOL SetCurrentFolder(const std::string& path);

// Path pieces: "a/b/c.txt" -> folder "a/b", name "c.txt", title "c", extension ".txt".
std::string JoinPath(const std::string& folder, const std::string& name);
std::string FolderOf(const std::string& path);
std::string FileNameOf(const std::string& path);
std::string FileTitleOf(const std::string& path);
std::string ExtensionOf(const std::string& path);
// Stored paths written with '\' separators, in the '/' form.
std::string FromStoredPath(const std::string& path);

} // namespace FileSystem
