#include "toolkit/commandbars/images/CTKCommandIcon.h"

#include "platform/CArchive.h"
#include "platform/CDC.h"
#include "toolkit/commandbars/draw/CTKDrawingServices.h"
#include "toolkit/commandbars/draw/CTKSystemColors.h"
#include "toolkit/commandbars/images/CTKImageManagerIcons.h"
#include "toolkit/commandbars/images/IconBitmaps.h"

#include <cmath>
#include <cstddef>

namespace {

constexpr double kFadeAmount = 0.3;
constexpr double kShadowFactor = 0.75;
constexpr UINT kShadowBaseIndex = 31;
constexpr double kRedLuminance = 0.299;
constexpr double kGreenLuminance = 0.587;
constexpr double kBlueLuminance = 0.114;

// The stored bitmap header: a 40-byte info header and 12 bytes of masks or colour table.
constexpr DWORD kDibHeaderBlock = 52;
constexpr DWORD kInfoHeaderSize = 40;
constexpr WORD kColorBits = 32;
constexpr WORD kMaskBits = 1;
constexpr DWORD kMaskWhite = 0x00FFFFFF;

DWORD RowBytes(int width, WORD bits)
{
    return static_cast<DWORD>((width * bits + 31) / 32 * 4);
}

bool IsOpaque(DWORD argb)
{
    return CIconImage::AlphaOf(argb) != 0;
}

DWORD WithColor(DWORD argb, COLORREF color)
{
    return CIconImage::ArgbFromColor(color, CIconImage::AlphaOf(argb));
}

// Applies the rule to every pixel of an alpha icon, or to the opaque pixels of a plain one.
template <class Rule>
CIconImage MapPixels(const CIconImage& source, BOOL alpha, Rule rule)
{
    CIconImage result = source;
    for (int y = 0; y < source.Height(); ++y) {
        for (int x = 0; x < source.Width(); ++x) {
            const DWORD pixel = source.GetPixel(x, y);
            if (alpha || IsOpaque(pixel))
                result.SetPixel(x, y, WithColor(pixel, rule(CIconImage::ColorFromArgb(pixel))));
        }
    }
    return result;
}

void WriteHeader(CArchive& ar, int width, int height, WORD bits, DWORD imageSize)
{
    ar.WriteCount(kDibHeaderBlock);
    ar << kInfoHeaderSize << static_cast<DWORD>(width) << static_cast<DWORD>(height) << static_cast<WORD>(1) << bits
       << static_cast<DWORD>(0) << imageSize << static_cast<DWORD>(0) << static_cast<DWORD>(0)
       << static_cast<DWORD>(0) << static_cast<DWORD>(0);
    // Black and white for the mask's two colours; nothing for 32 bits.
    const DWORD second = bits == kMaskBits ? kMaskWhite : 0;
    ar << static_cast<DWORD>(0) << second << static_cast<DWORD>(0);
}

// Bottom-up rows of BGRA; a plain icon's colour rows carry no alpha and are
// black where the mask is transparent.
void WriteColorDib(CArchive& ar, const CIconImage& icon, BOOL alpha)
{
    const DWORD size = RowBytes(icon.Width(), kColorBits) * static_cast<DWORD>(icon.Height());
    WriteHeader(ar, icon.Width(), icon.Height(), kColorBits, size);
    ar.WriteCount(size);
    for (int row = icon.Height() - 1; row >= 0; --row) {
        for (int x = 0; x < icon.Width(); ++x) {
            const DWORD pixel = icon.GetPixel(x, row);
            ar << (alpha ? pixel : (IsOpaque(pixel) ? pixel & 0x00FFFFFF : 0));
        }
    }
}

// Bottom-up rows of bits, the leftmost pixel in bit 7; 1 is transparent.
void WriteMaskDib(CArchive& ar, const CIconImage& icon)
{
    const DWORD rowBytes = RowBytes(icon.Width(), kMaskBits);
    const DWORD size = rowBytes * static_cast<DWORD>(icon.Height());
    WriteHeader(ar, icon.Width(), icon.Height(), kMaskBits, size);
    ar.WriteCount(size);
    for (int row = icon.Height() - 1; row >= 0; --row) {
        for (DWORD byte = 0; byte < rowBytes; ++byte) {
            BYTE bits = 0;
            for (int bit = 0; bit < 8; ++bit) {
                const int x = static_cast<int>(byte) * 8 + bit;
                if (x < icon.Width() && !IsOpaque(icon.GetPixel(x, row)))
                    bits = static_cast<BYTE>(bits | (0x80 >> bit));
            }
            ar << bits;
        }
    }
}

void WriteImage(CArchive& ar, const CTKIconHandle& image, BOOL alpha)
{
    if (!image.HasIcon()) {
        ar.WriteCount(0);
        ar.WriteCount(0);
        return;
    }
    WriteColorDib(ar, image.GetIcon(), alpha);
    if (alpha)
        ar.WriteCount(0);
    else
        WriteMaskDib(ar, image.GetIcon());
}

// A stored bitmap as rows of 32-bit values (1-bit masks as 0 or 1), top row
// first. FALSE with the archive's error set when it does not fit its header.
struct Dib {
    int width = 0;
    int height = 0;
    std::vector<DWORD> pixels;
};

BOOL ReadDib(CArchive& ar, WORD bits, Dib* dib, BOOL* present)
{
    *present = FALSE;
    const DWORD headerSize = ar.ReadCount();
    if (!ar.IsOK())
        return FALSE;
    if (headerSize == 0)
        return TRUE;
    DWORD infoSize = 0;
    DWORD width = 0;
    DWORD height = 0;
    WORD planes = 0;
    WORD bitCount = 0;
    DWORD compression = 0;
    DWORD imageSize = 0;
    DWORD unused = 0;
    ar >> infoSize >> width >> height >> planes >> bitCount >> compression >> imageSize;
    for (int i = 0; i < 7; ++i)
        ar >> unused;
    const LONG signedHeight = static_cast<LONG>(height);
    const LONG rows = signedHeight < 0 ? -signedHeight : signedHeight;
    if (!ar.IsOK() || headerSize != kDibHeaderBlock || infoSize != kInfoHeaderSize || planes != 1
        || bitCount != bits || compression != 0 || width == 0 || width > static_cast<DWORD>(kMaxIconSide)
        || rows == 0 || rows > kMaxIconSide) {
        ar.SetError(CArchive::badClass);
        return FALSE;
    }
    dib->width = static_cast<int>(width);
    dib->height = static_cast<int>(rows);
    const DWORD rowBytes = RowBytes(dib->width, bits);
    const DWORD size = ar.ReadCount();
    if (!ar.IsOK() || size != rowBytes * static_cast<DWORD>(rows)) {
        ar.SetError(CArchive::badCount);
        return FALSE;
    }
    std::vector<BYTE> data(size);
    if (ar.Read(data.data(), size) != size)
        return FALSE;
    dib->pixels.assign(static_cast<std::size_t>(dib->width) * static_cast<std::size_t>(rows), 0);
    for (LONG r = 0; r < rows; ++r) {
        // Positive heights are stored bottom-up.
        const LONG y = signedHeight > 0 ? rows - 1 - r : r;
        const BYTE* row = data.data() + static_cast<std::size_t>(r) * rowBytes;
        for (int x = 0; x < dib->width; ++x) {
            DWORD value = 0;
            if (bits == kColorBits) {
                const BYTE* p = row + static_cast<std::size_t>(x) * 4;
                value = static_cast<DWORD>(p[0]) | (static_cast<DWORD>(p[1]) << 8) | (static_cast<DWORD>(p[2]) << 16)
                    | (static_cast<DWORD>(p[3]) << 24);
            } else {
                value = (row[x / 8] >> (7 - x % 8)) & 1;
            }
            dib->pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(dib->width) + static_cast<std::size_t>(x)] =
                value;
        }
    }
    *present = TRUE;
    return TRUE;
}

BOOL ReadImage(CArchive& ar, BOOL alpha, CTKIconHandle* image)
{
    image->Clear();
    Dib color;
    Dib mask;
    BOOL hasColor = FALSE;
    BOOL hasMask = FALSE;
    if (!ReadDib(ar, kColorBits, &color, &hasColor) || !ReadDib(ar, kMaskBits, &mask, &hasMask))
        return FALSE;
    if (!hasColor)
        return TRUE;
    if (hasMask && !alpha && (mask.width != color.width || mask.height != color.height)) {
        ar.SetError(CArchive::badClass);
        return FALSE;
    }
    CIconImage icon(color.width, color.height);
    for (int y = 0; y < color.height; ++y) {
        for (int x = 0; x < color.width; ++x) {
            const std::size_t at = static_cast<std::size_t>(y) * static_cast<std::size_t>(color.width)
                + static_cast<std::size_t>(x);
            DWORD pixel = color.pixels[at];
            if (!alpha)
                pixel = (hasMask && mask.pixels[at]) ? 0 : (pixel | 0xFF000000u);
            icon.SetPixel(x, y, pixel);
        }
    }
    icon.SetAlpha(alpha);
    image->SetIcon(icon);
    return TRUE;
}

} // namespace

CTKCommandIcon::CTKCommandIcon(UINT command, int width, int height, CTKImageManagerIcons* owner)
    : m_command(command), m_width(width), m_height(height), m_owner(owner)
{
}

int CTKCommandIcon::FadeChannel(int channel)
{
    return static_cast<int>(255 * kFadeAmount + (1 - kFadeAmount) * channel);
}

int CTKCommandIcon::GreyLevel(COLORREF color)
{
    const double luminance =
        kRedLuminance * GetRValue(color) + kGreenLuminance * GetGValue(color) + kBlueLuminance * GetBValue(color);
    return static_cast<int>(255 * std::pow(luminance / 255, 0.5));
}

COLORREF CTKCommandIcon::ShadowColor(COLORREF base)
{
    return RGB(static_cast<int>(GetRValue(base) * kShadowFactor), static_cast<int>(GetGValue(base) * kShadowFactor),
               static_cast<int>(GetBValue(base) * kShadowFactor));
}

CTKIconHandle& CTKCommandIcon::GetHotOrNormalImage()
{
    return m_hot.HasIcon() ? m_hot : m_normal;
}

CTKIconHandle& CTKCommandIcon::GetFadedImage()
{
    if (!m_faded.HasIcon())
        MakeFaded();
    return m_faded;
}

CTKIconHandle& CTKCommandIcon::GetShadowImage()
{
    if (!m_shadow.HasIcon())
        MakeShadow();
    return m_shadow;
}

CTKIconHandle& CTKCommandIcon::GetDisabledImage()
{
    if (m_disabled.HasIcon())
        return m_disabled;
    if (!m_grey.HasIcon())
        MakeGrey();
    return m_grey;
}

void CTKCommandIcon::MakeFaded()
{
    if (!m_normal.HasIcon())
        return;
    // A display of 8 bits or fewer cannot show the lighter plain colours.
    if (!m_alpha && IsLowColorDisplay(nullptr)) {
        m_faded.SetIcon(m_normal.GetIcon());
        return;
    }
    m_faded.SetIcon(MapPixels(m_normal.GetIcon(), m_alpha, [](COLORREF c) {
        return RGB(FadeChannel(GetRValue(c)), FadeChannel(GetGValue(c)), FadeChannel(GetBValue(c)));
    }));
}

void CTKCommandIcon::MakeShadow()
{
    const CTKIconHandle& source = GetHotOrNormalImage();
    if (!source.HasIcon())
        return;
    const COLORREF shadow = ShadowColor(CTKSystemColors::Instance().LookupColor(kShadowBaseIndex));
    m_shadow.SetIcon(MapPixels(source.GetIcon(), m_alpha, [shadow](COLORREF) { return shadow; }));
}

void CTKCommandIcon::MakeGrey()
{
    if (!m_normal.HasIcon())
        return;
    m_grey.SetIcon(MapPixels(m_normal.GetIcon(), m_alpha, [](COLORREF c) {
        const int v = GreyLevel(c);
        return RGB(v, v, v);
    }));
}

void CTKCommandIcon::SetIcon(const CIconImage& icon, BOOL alpha)
{
    Clear(TRUE);
    m_normal.SetIcon(icon);
    m_alpha = alpha;
    const CSize size = GetSize();
    m_width = size.cx;
    m_height = size.cy;
    m_scaledCopy = FALSE;
    if (m_owner != nullptr)
        m_owner->Refresh();
}

void CTKCommandIcon::SetDisabledIcon(const CIconImage& icon)
{
    m_grey.Clear();
    m_disabled.Clear();
    if (!icon.IsEmpty())
        m_disabled.SetIcon(icon);
}

void CTKCommandIcon::SetHotIcon(const CIconImage& icon)
{
    m_hot.Clear();
    if (!icon.IsEmpty())
        m_hot.SetIcon(icon);
}

void CTKCommandIcon::Clear(BOOL all)
{
    ClearGenerated();
    m_hot.Clear();
    m_disabled.Clear();
    if (all)
        m_normal.Clear();
}

void CTKCommandIcon::ClearGenerated()
{
    m_faded.Clear();
    m_shadow.Clear();
    m_grey.Clear();
}

CSize CTKCommandIcon::GetSize() const
{
    return GetIconSize(m_normal.GetIcon());
}

CTKCommandIcon* CTKCommandIcon::Scale(int width) const
{
    if (!m_normal.HasIcon())
        return nullptr;
    const CSize size = GetSize();
    const CIconImage scaled = ScaleIcon(m_normal.GetIcon(), size.cx, size.cy, width);
    if (scaled.IsEmpty())
        return nullptr;
    // Made without an owner, so that setting its image refreshes nothing in the set.
    auto* copy = new CTKCommandIcon(m_command, width, scaled.Height(), nullptr);
    copy->SetIcon(scaled, FALSE);
    copy->m_alpha = m_alpha;
    if (m_disabled.HasIcon())
        copy->SetDisabledIcon(ScaleIcon(m_disabled.GetIcon(), size.cx, size.cy, width));
    if (m_hot.HasIcon())
        copy->SetHotIcon(ScaleIcon(m_hot.GetIcon(), size.cx, size.cy, width));
    copy->m_owner = m_owner;
    return copy;
}

void CTKCommandIcon::DrawImage(CDC* dc, int x, int y, const CTKIconHandle& image, int cx, int cy) const
{
    if (dc == nullptr || !image.HasIcon())
        return;
    if (cx == 0)
        cx = m_width;
    if (cy == 0)
        cy = m_width == 0 ? 0 : cx * m_height / m_width;
    dc->DrawIcon(x, y, image.GetIcon(), cx, cy);
}

void CTKCommandIcon::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << static_cast<DWORD>(m_height) << static_cast<DWORD>(m_alpha ? 1 : 0);
        WriteImage(ar, m_normal, m_alpha);
        WriteImage(ar, m_disabled, m_alpha);
        WriteImage(ar, m_hot, m_alpha);
        return;
    }
    DWORD height = 0;
    DWORD alpha = 0;
    ar >> height >> alpha;
    Clear(TRUE);
    if (!ar.IsOK())
        return;
    if (height > static_cast<DWORD>(kMaxIconSide)) {
        ar.SetError(CArchive::badClass);
        return;
    }
    m_height = static_cast<int>(height);
    m_alpha = alpha != 0;
    if (!ReadImage(ar, m_alpha, &m_normal) || !ReadImage(ar, m_alpha, &m_disabled)
        || !ReadImage(ar, m_alpha, &m_hot))
        Clear(TRUE);
}
