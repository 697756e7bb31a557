#include "UploadRestore.h"

#include "CUploadImageParser.h"

#include "model/CZULAppData.h"
#include "platform/CUserInterface.h"

namespace {

constexpr size_t VARIANT_BYTE = 5;

} // namespace

BOOL ReadUploadFormat(const std::vector<BYTE>& image, int& format)
{
    if (image.size() <= VARIANT_BYTE)
        return FALSE;
    const BYTE variant = image[VARIANT_BYTE];
    const BYTE topBits = variant & 0xC0;
    if (topBits == 0x80 || topBits == 0x40)
        return FALSE;
    format = variant & 0x3F;
    return TRUE;
}

BOOL CheckUploadedImage(CZULAppData& app)
{
    int format = 0;
    if (!ReadUploadFormat(app.Project.TransferBuffer, format)) {
        ShowMessage("Error", "Unknown project in the PLC.", MB_OK | MB_ICONERROR);
        return FALSE;
    }
    app.UploadFormat = format;
    return TRUE;
}

BOOL RestoreUploadedProject(CZULAppData& app)
{
    if (ParseUploadImage(app))
        return TRUE;
    ShowMessage("Error", "Failed to restore the project.", MB_OK | MB_ICONERROR);
    return FALSE;
}
