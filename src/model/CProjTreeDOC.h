#pragma once
// The project document: reads and writes the project file (".qpj") around
// the project container and the project blobs of the application data. It
// holds no project data of its own; every open, create, save and save-as
// goes through the one instance.

#include "platform/CObject.h"
#include "platform/WinTypes.h"

#include <string>
#include <vector>

// A POU file renamed since the project file was last written: the name that
// the project file on disk still uses and the name the project uses now,
// both file names in the project folder. Until the next save both names
// stay on disk.
struct CPOUFileRename {
    std::string savedName;
    std::string currentName;
};

class CProjTreeDOC : public CObject {
    DECLARE_DYNAMIC(CProjTreeDOC)
public:
    // Header, project body and blob table. Loading reads the blob table when
    // the header just read says it is there; the version rules of the body
    // come from the header copy in the application data.
    void Serialize(CArchive& ar) override;

    // Opens a project file: checks header, version and path length, reads
    // the file, then applies the CPU profile and prepares the force buffers.
    // A refused file leaves the project as it was; a file that fails while
    // it is read leaves an empty project.
    BOOL OpenProject(const std::string& path);
    // Saves a new, empty project to the path and makes its folder empty.
    BOOL CreateProject(const std::string& path);
    // Stores the folder and longest POU path lengths; fails for a path too long.
    BOOL CheckPathLength(const std::string& path);

    BOOL OnNewDocument();
    BOOL OnOpenDocument(const std::string& path);
    BOOL OnSaveDocument(const std::string& path);

    BOOL IsModified() const { return m_modified ? TRUE : FALSE; }
    void SetModifiedFlag(BOOL modified = TRUE) { m_modified = modified != FALSE; }
    const std::string& GetPathName() const { return m_pathName; }

    // The POU files renamed since the project file was last written.
    std::vector<CPOUFileRename>& PendingFileRenames() { return m_pendingFileRenames; }

    // The path without its extension (the project folder).
    static std::string StripExtension(const std::string& path);

private:
    BOOL LoadBytes(const std::vector<BYTE>& bytes);
    void LoadBlobTable(CArchive& ar);
    void ClearFailedProject();

    bool m_modified = false;
    std::string m_pathName;
    std::vector<CPOUFileRename> m_pendingFileRenames;
};
