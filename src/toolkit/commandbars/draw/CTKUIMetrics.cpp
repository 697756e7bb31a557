#include "toolkit/commandbars/draw/CTKUIMetrics.h"

#include "platform/CSystemMetrics.h"
#include "platform/CursorShapes.h"
#include "platform/ui/CResourceStore.h"
#include "toolkit/commandbars/draw/CTKSystemColors.h"

#include <algorithm>
#include <strings.h>

namespace {

constexpr int kButtonImageSize = 18;
constexpr int kLightFaceStep = 15;
// Menu fonts smaller than this are raised to it.
constexpr LONG kSmallestFontHeight = -11;
constexpr int kUpward = 900;
constexpr int kDownward = 2700;
constexpr const char* kRotatedFace = "Arial";
constexpr const char* kKeepsRotatedFace = "Tahoma";

struct CursorSource {
    UINT resource;
    UINT standard;   // a system cursor tried first, 0 for none
};

// In field order: resources, the system hand (else resource 9010), the system size-all.
constexpr CursorSource kCursorSources[] = {
    {9008, 0}, {9009, 0}, {9011, 0}, {9010, IDC_HAND}, {9012, 0}, {9970, 0}, {9971, 0}, {0, IDC_SIZEALL},
};

struct FontVariant {
    int weight;
    BYTE underline;
    int angle;
    bool rotated;
};

// In font order.
constexpr FontVariant kFontVariants[] = {
    {FW_NORMAL, 0, 0, false},       {FW_BOLD, 0, 0, false},         {FW_NORMAL, 1, 0, false},
    {FW_NORMAL, 0, 0, false},       {FW_NORMAL, 0, kUpward, true},  {FW_BOLD, 0, kUpward, true},
    {FW_NORMAL, 0, kDownward, true}, {FW_BOLD, 0, kDownward, true},
};

} // namespace

CTKUIMetrics* GetUIMetrics()
{
    static CTKUIMetrics metrics;
    return &metrics;
}

CTKUIMetrics::CTKUIMetrics()
{
    CopyColors();
    ReadMetrics();
    CreateFonts();
    LoadCursors();
    GetComCtlVersion();
}

void CTKUIMetrics::CopyColors()
{
    CTKSystemColors& colors = CTKSystemColors::Instance();
    colors.RefreshColors(TRUE);
    auto c = [&](int index) { return colors.LookupColor(static_cast<UINT>(index)); };
    clrFace = c(COLOR_BTNFACE);
    clrShadow = c(COLOR_BTNSHADOW);
    clrDarkShadow = c(COLOR_3DDKSHADOW);
    clrHighlightEdge = c(COLOR_BTNHIGHLIGHT);
    clrLightFace = RGB(std::min(GetRValue(clrFace) + kLightFaceStep, 255),
                       std::min(GetGValue(clrFace) + kLightFaceStep, 255),
                       std::min(GetBValue(clrFace) + kLightFaceStep, 255));
    clrButtonText = c(COLOR_BTNTEXT);
    clrGrayText = c(COLOR_GRAYTEXT);
    clrSelection = c(COLOR_HIGHLIGHT);
    clrSelectionText = c(COLOR_HIGHLIGHTTEXT);
    clrMenu = c(COLOR_MENU);
    clrMenuText = c(COLOR_MENUTEXT);
    clrWindow = c(COLOR_WINDOW);
    clrWindowFrame = c(COLOR_WINDOWFRAME);
    clrWindowText = c(COLOR_WINDOWTEXT);
    clrActiveCaption = c(COLOR_ACTIVECAPTION);
    clrInactiveCaption = c(COLOR_INACTIVECAPTION);
    clrActiveCaptionGradient = c(COLOR_GRADIENTACTIVECAPTION);
    clrEntry28 = c(28);
    clrCaptionText = c(COLOR_CAPTIONTEXT);
    clrInactiveCaptionText = c(COLOR_INACTIVECAPTIONTEXT);
    for (int i = 0; i < kDerivedCount; ++i)
        clrDerived[i] = c(kDerivedFirst + i);
}

void CTKUIMetrics::ReadMetrics()
{
    smallIconWidth = GetSystemMetrics(SM_CXSMICON);
    smallIconHeight = GetSystemMetrics(SM_CYSMICON);
    buttonImageWidth = kButtonImageSize;
    buttonImageHeight = kButtonImageSize;
    horizontalThumb = GetSystemMetrics(SM_CXHTHUMB);
    verticalThumb = GetSystemMetrics(SM_CYVTHUMB);
    menuHeight = GetSystemMetrics(SM_CYMENU);
}

void CTKUIMetrics::CreateFonts()
{
    for (CFont& font : fonts)
        font.DeleteObject();
    const LOGFONT menuFont = CSystemMetrics::Instance().GetMenuFont();
    LOGFONT base;
    base.lfCharSet = menuFont.lfCharSet;
    base.lfHeight = menuFont.lfHeight;
    if (base.lfHeight < 0 && base.lfHeight > kSmallestFontHeight)
        base.lfHeight = kSmallestFontHeight;
    base.lfItalic = menuFont.lfItalic;
    CFont::SetFaceName(base, menuFont.lfFaceName);

    LOGFONT rotated = base;
    const bool westernCharSet = menuFont.lfCharSet <= SYMBOL_CHARSET;
    if (westernCharSet && strcasecmp(menuFont.lfFaceName, kKeepsRotatedFace) != 0 && FontExists(kRotatedFace))
        CFont::SetFaceName(rotated, kRotatedFace);

    for (int i = 0; i < kFontCount; ++i) {
        const FontVariant& v = kFontVariants[i];
        CreateFontVariant(v.rotated ? &rotated : &base, &fonts[i], v.weight, v.underline, v.angle, v.angle);
    }
}

void CTKUIMetrics::LoadCursors()
{
    const CResourceStore& store = CResourceStore::Instance();
    for (int i = 0; i < kCursorCount; ++i) {
        const CursorSource& source = kCursorSources[i];
        if (source.standard != 0 && store.LoadCursor(source.standard, &cursors[i]))
            continue;
        if (source.resource == 0 || !store.LoadCursor(source.resource, &cursors[i]))
            cursors[i] = QCursor();
    }
}

BOOL CTKUIMetrics::FontExists(const std::string& face)
{
    return CSystemMetrics::Instance().FontExists(face);
}

BOOL CTKUIMetrics::CreateFontVariant(LOGFONT* base, CFont* font, int weight, BYTE underline, int orientation,
                                     int escapement)
{
    base->lfWeight = weight;
    base->lfUnderline = underline;
    base->lfOrientation = orientation;
    base->lfEscapement = escapement;
    return font->CreateFontIndirect(base);
}

DWORD CTKUIMetrics::GetComCtlVersion()
{
    if (m_comCtlVersion == -1)
        m_comCtlVersion = static_cast<LONG>(CSystemMetrics::Instance().GetComCtlVersion());
    return m_comCtlVersion == -1 ? 0 : static_cast<DWORD>(m_comCtlVersion);
}
