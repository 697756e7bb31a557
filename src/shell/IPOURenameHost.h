#pragma once
// What a POU rename needs of the windows around it: the project tree shows
// the new label on the POU's item, and the instruction catalogue's
// subroutine category shows the new name.

#include <string>

class CProjTreeNode;

class IPOURenameHost {
public:
    virtual ~IPOURenameHost() = default;
    virtual void SetPOUItemText(const CProjTreeNode& node, const std::string& label) = 0;
    virtual void RenameCatalogueSubroutine(const std::string& oldName, const std::string& newName) = 0;
};
