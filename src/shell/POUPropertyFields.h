#pragma once
// The texts the POU Property dialog shows for a POU: caption, index,
// language, name, author, comment and the dates of its program file.

#include <string>

class CProjTreeNode;
class CZULProject;

struct CPOUPropertyFields {
    std::string caption;
    std::string index;
    std::string language;
    std::string name;
    std::string author;
    std::string comment;
    std::string created;   // "Created: " and the date, the date empty when unknown
    std::string modified;  // "Modified: " and the date
};

CPOUPropertyFields LoadPOUPropertyFields(const CZULProject& project, const CProjTreeNode& node);
// "%4d-%02d-%02d %02d:%02d:%02d" in local time.
std::string FormatPOUFileTime(long long time);
