// Reads the CANopen configuration text from blob 0 of a project, as opening
// a project does; the text written back from what was read must read into
// the same text again.

#include "FuzzSession.h"
#include "model/CanOpenConfigText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzSession session;
    CZULAppData& app = session.App();
    CZULProject& project = app.Project;
    app.Blobs[0] = FuzzBytes(data, size);
    app.BlobLengths[0] = static_cast<DWORD>(size);
    project.ReadCanOpenConfig();
    project.WriteCanOpenConfig();
    const std::vector<BYTE> written = app.Blobs[0];
    project.ReadCanOpenConfig();
    project.WriteCanOpenConfig();
    FuzzCheck(app.Blobs[0] == written);
    return 0;
}
