// Opens a project file; one that opens is saved, opened again and saved
// again, and the two saved files must be the same bytes.

#include "FuzzSession.h"
#include "model/CProjTreeDOC.h"
#include "support/FileBytes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzSession session;
    const std::string input = session.Folder() / "input.qpj";
    WriteFileBytes(input, std::vector<unsigned char>(data, data + size));
    CProjTreeDOC doc;
    if (!doc.OpenProject(input))
        return 0;
    const std::string first = session.Folder() / "first.qpj";
    const std::string second = session.Folder() / "second.qpj";
    FuzzCheck(doc.OnSaveDocument(first));
    session.App().Project.ClearProject();
    session.App().ClearProjectBlobs();
    FuzzCheck(doc.OpenProject(first));
    FuzzCheck(doc.OnSaveDocument(second));
    FuzzCheck(ReadFileBytes(first) == ReadFileBytes(second));
    return 0;
}
