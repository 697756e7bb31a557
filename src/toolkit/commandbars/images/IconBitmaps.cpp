#include "toolkit/commandbars/images/IconBitmaps.h"

#include "platform/CImageList.h"
#include "platform/FileSystem.h"
#include "platform/MulDiv.h"

#include <cstddef>

namespace {

constexpr std::size_t kIconDirSize = 6;
constexpr std::size_t kIconEntrySize = 16;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::size_t kFileHeaderSize = 14;
constexpr WORD kIconType = 1;
constexpr WORD kAlphaBits = 32;

WORD Word(const std::vector<BYTE>& b, std::size_t at)
{
    return static_cast<WORD>(b[at] | (b[at + 1] << 8));
}

DWORD Dword(const std::vector<BYTE>& b, std::size_t at)
{
    return static_cast<DWORD>(b[at]) | (static_cast<DWORD>(b[at + 1]) << 8) | (static_cast<DWORD>(b[at + 2]) << 16)
        | (static_cast<DWORD>(b[at + 3]) << 24);
}

// The colour rows of a 32-bit icon image (header, then bottom-up BGRA rows).
BOOL ReadIconImage(const std::vector<BYTE>& file, std::size_t offset, std::size_t length, int width,
                   CIconImage* icon)
{
    if (length < kInfoHeaderSize || Dword(file, offset) != kInfoHeaderSize)
        return FALSE;
    const LONG headerWidth = static_cast<LONG>(Dword(file, offset + 4));
    const LONG headerHeight = static_cast<LONG>(Dword(file, offset + 8));
    if (headerWidth != width || Word(file, offset + 14) != kAlphaBits)
        return FALSE;
    // The height counts the colour rows and the mask rows.
    const int height = headerHeight / 2;
    if (height <= 0 || height > kMaxIconSide)
        return FALSE;
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 4;
    if (length - kInfoHeaderSize < rowBytes * static_cast<std::size_t>(height))
        return FALSE;
    CIconImage image(width, height);
    const std::size_t pixels = offset + kInfoHeaderSize;
    for (int row = 0; row < height; ++row) {
        const std::size_t at = pixels + static_cast<std::size_t>(row) * rowBytes;
        for (int x = 0; x < width; ++x)
            image.SetPixel(x, height - 1 - row, Dword(file, at + static_cast<std::size_t>(x) * 4));
    }
    *icon = CreateAlphaIcon(image);
    return TRUE;
}

} // namespace

CSize GetIconSize(const CIconImage& icon)
{
    return icon.GetSize();
}

CIconImage ScaleIcon(const CIconImage& icon, int cx, int cy, int newCx)
{
    if (newCx <= 0 || (cx == 0 && cy == 0) || icon.IsEmpty())
        return CIconImage();
    if (newCx == cx)
        return icon;
    const int newCy = MulDiv(cy, newCx, cx);
    if (newCx > kMaxIconSide || newCy <= 0 || newCy > kMaxIconSide)
        return CIconImage();
    CImageList list;
    if (!list.Create(newCx, newCy, ILC_COLOR32 | ILC_MASK) || list.Add(icon) < 0)
        return CIconImage();
    return list.GetIcon(0);
}

CIconImage CreateAlphaIcon(const CIconImage& bitmap)
{
    CIconImage icon = bitmap;
    icon.SetAlpha(TRUE);
    return icon;
}

BOOL ParseAlphaIcon(const std::vector<BYTE>& file, int width, CIconImage* icon)
{
    if (file.size() < kIconDirSize || Word(file, 0) != 0 || Word(file, 2) != kIconType)
        return FALSE;
    const std::size_t count = Word(file, 4);
    if (file.size() < kIconDirSize + count * kIconEntrySize)
        return FALSE;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t entry = kIconDirSize + i * kIconEntrySize;
        // A width byte of 0 stands for 256.
        const int entryWidth = file[entry] == 0 ? kMaxIconSide : file[entry];
        if (Word(file, entry + 6) != kAlphaBits || entryWidth != width)
            continue;
        const std::size_t length = Dword(file, entry + 8);
        const std::size_t offset = Dword(file, entry + 12);
        if (offset > file.size() || length > file.size() - offset)
            return FALSE;
        return ReadIconImage(file, offset, length, width, icon);
    }
    return FALSE;
}

CIconImage LoadAlphaIcon(const std::string& path, int width)
{
    std::vector<BYTE> file;
    CIconImage icon;
    if (!FileSystem::ReadFileBytes(path, file) || !ParseAlphaIcon(file, width, &icon))
        return CIconImage();
    return icon;
}

BOOL IsAlphaBitmapFile(const std::string& path)
{
    std::vector<BYTE> file;
    if (!FileSystem::ReadFileBytes(path, file) || file.size() < kFileHeaderSize + kInfoHeaderSize)
        return FALSE;
    return Word(file, kFileHeaderSize + 14) == kAlphaBits;
}
