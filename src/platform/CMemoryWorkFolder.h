#pragma once
// A private folder (mode 0700) for the work files of one run: on a memory
// file system where the machine has one ($XDG_RUNTIME_DIR, else /dev/shm),
// otherwise inside the process's temporary folder. The folder and all it
// holds are removed with the object.

#include <string>

class CMemoryWorkFolder {
public:
    CMemoryWorkFolder();
    ~CMemoryWorkFolder();
    CMemoryWorkFolder(const CMemoryWorkFolder&) = delete;
    CMemoryWorkFolder& operator=(const CMemoryWorkFolder&) = delete;

    // The folder; "" when none could be made.
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};
