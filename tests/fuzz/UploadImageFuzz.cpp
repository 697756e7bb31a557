// Restores a project from an uploaded image, as the Upload command does:
// the format from the image's variant byte, the layout and checksum check,
// then the restore with its decompiled POU files in the project folder.

#include "FuzzSession.h"
#include "model/POULanguageTable.h"
#include "plclink/UploadRestore.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzSession session;
    CZULAppData& app = session.App();
    app.Project.ProjectFolder = session.Folder().Path();
    std::memset(g_POULanguageTable, 0, sizeof g_POULanguageTable);
    app.Project.TransferBuffer = FuzzBytes(data, size);
    if (CheckUploadedImage(app))
        RestoreUploadedProject(app);
    std::memset(g_POULanguageTable, 0, sizeof g_POULanguageTable);
    return 0;
}
