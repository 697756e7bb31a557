#pragma once
// What the EDS import needs of the CANopen network page: the file and
// category choosers and the page's tree.

#include <string>

class IEdsImportHost {
public:
    virtual ~IEdsImportHost() = default;
    // The sheet chosen in the open-file dialog "导入EDS文件"; "" when cancelled.
    virtual std::string ChooseEdsFile() = 0;
    // The category key chosen for the new type ("CANOPENIO", "CANOPENDRIVE", "CANOPENROOT").
    virtual std::string ChooseCategory() = 0;
    // A new type joins the tree under the branch of its category and that branch is expanded.
    virtual void InsertSlaveTypeItem(const std::string& typeName, const std::string& category) = 0;
    // An existing type was replaced: the mapping page rebuilds its tree.
    virtual void SetRebuildNeeded() = 0;
};
