#pragma once
// The text files of one Compile All, each read from disk once: the FB scan,
// the work copies and both passes of the compiler read the same POU files
// again and again. A work copy is kept as it is written, so the compiler
// reads it without the disk. The cache belongs to one run and is dropped
// with it; a file that cannot be read is remembered as such.
//
// Given a work folder, the cache writes the work copies there under their
// own file names instead of beside their sources, and serves them by the
// names they were written under.

#include "platform/WinTypes.h"

#include <string>
#include <unordered_map>

class CSourceFileCache {
public:
    CSourceFileCache() = default;
    explicit CSourceFileCache(std::string workFolder);

    // The file's text; null when it cannot be read.
    const std::string* Text(const std::string& path);
    // Writes a private work file in place and keeps its text; FALSE when the
    // write failed (nothing is kept then).
    BOOL WriteWorkFile(const std::string& path, const std::string& text);
    // Deletes a work file written through the cache; the run reads it as gone.
    void DropWorkFile(const std::string& path);

private:
    struct CEntry {
        bool readable = false;
        std::string text;
    };
    // Where a work copy of path goes on disk.
    std::string WorkFileLocation(const std::string& path) const;

    std::string m_workFolder;
    std::unordered_map<std::string, CEntry> m_files;
};

// The text of a file through the run's cache when there is one, straight
// from the disk otherwise; FALSE when it cannot be read.
BOOL ReadSourceText(CSourceFileCache* cache, const std::string& path, std::string& text);
