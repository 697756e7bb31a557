// Restores a project from an uploaded image, as the Upload command does:
// the format from the image's variant byte, the layout and checksum check,
// then the restore with its decompiled POU files in the project folder.
// When the first byte of the input is odd, the checksum of the image that
// follows is put right first, so that mutations reach past the check.

#include "FuzzSession.h"
#include "model/POULanguageTable.h"
#include "plclink/UploadRestore.h"

#include "model/Crc16Modbus.h"

#include <cstring>

namespace {

// Block 3 starts with its own size; the sizes of blocks 4 to 7 follow from
// byte 6 on, and its last two bytes are the checksum over those blocks.
constexpr size_t kFirstBlockSizeOffset = 6;
constexpr int kCheckedBlocks = 4;

size_t Word(const std::vector<BYTE>& image, size_t offset)
{
    return image[offset] | (image[offset + 1] << 8);
}

void PutChecksumRight(std::vector<BYTE>& image)
{
    if (image.size() < kFirstBlockSizeOffset + 2 * kCheckedBlocks)
        return;
    const size_t start = Word(image, 0);
    size_t total = 0;
    for (int block = 0; block < kCheckedBlocks; ++block)
        total += Word(image, kFirstBlockSizeOffset + 2 * block);
    total &= 0xFFFF;
    if (start < 2 || start + total > image.size())
        return;
    const WORD crc = CRC16Modbus(image.data() + start, static_cast<DWORD>(total));
    image[start - 2] = static_cast<BYTE>(crc & 0xFF);
    image[start - 1] = static_cast<BYTE>(crc >> 8);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    std::vector<BYTE> image = FuzzBytes(data + 1, size - 1);
    if (data[0] & 1)
        PutChecksumRight(image);
    FuzzSession session;
    CZULAppData& app = session.App();
    app.Project.ProjectFolder = session.Folder().Path();
    std::memset(g_POULanguageTable, 0, sizeof g_POULanguageTable);
    app.Project.TransferBuffer = image;
    if (CheckUploadedImage(app))
        RestoreUploadedProject(app);
    std::memset(g_POULanguageTable, 0, sizeof g_POULanguageTable);
    return 0;
}
