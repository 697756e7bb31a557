// Reads an electronic data sheet into the import state, as the import does
// with a chosen sheet before it asks for the category and saves the type.

#include "FuzzSession.h"
#include "hardware/canopen/CEdsImport.h"
#include "hardware/canopen/IEdsImportHost.h"

namespace {

// The import only reads here: no sheet is chosen and nothing is saved.
class CIdleEdsHost : public IEdsImportHost {
public:
    std::string ChooseEdsFile() override { return ""; }
    std::string ChooseCategory() override { return ""; }
    void InsertSlaveTypeItem(const std::string&, const std::string&) override {}
    void SetRebuildNeeded() override {}
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzSession session;
    CIdleEdsHost host;
    CEdsImport import(session.App(), host, session.Folder().Path());
    import.ResetImport();
    import.ReadEdsText(FuzzText(data, size));
    for (const auto& entry : import.ObjectMap())
        FuzzCheck(entry.second != nullptr);
    return 0;
}
