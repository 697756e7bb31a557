#include "toolkit/commandbars/draw/CTKBarRenderer.h"

#include "platform/CDC.h"
#include "platform/CSystemMetrics.h"
#include "platform/MulDiv.h"
#include "platform/ui/CQtImageDC.h"
#include "toolkit/commandbars/CTKCommandBar.h"
#include "toolkit/commandbars/CTKControl.h"
#include "toolkit/commandbars/CTKControlButton.h"
#include "toolkit/commandbars/CTKControlComboBox.h"
#include "toolkit/commandbars/CTKControlEdit.h"
#include "toolkit/commandbars/draw/CTKBarRendererClassic.h"
#include "toolkit/commandbars/draw/CTKBarRendererOffice2003.h"
#include "toolkit/commandbars/draw/CTKBarRendererWindowsXP.h"
#include "toolkit/commandbars/draw/CTKDCBrushGuard.h"
#include "toolkit/commandbars/draw/CTKDCPenGuard.h"
#include "toolkit/commandbars/draw/CTKDCSelectGuard.h"
#include "toolkit/commandbars/draw/CTKDrawingServices.h"
#include "toolkit/commandbars/images/CTKCommandIcon.h"

#include <algorithm>
#include <chrono>
#include <memory>
#include <thread>
#include <vector>

CFont CTKBarRenderer::m_fontRegular;
CFont CTKBarRenderer::m_fontBold;
CFont CTKBarRenderer::m_fontStatus;
CFont CTKBarRenderer::m_fontVert;
CFont CTKBarRenderer::m_fontVertBold;
CFont CTKBarRenderer::m_fontSmCaption;
CFont CTKBarRenderer::m_fontIconTitle;
CFont CTKBarRenderer::m_fontMarlett;
CFont CTKBarRenderer::m_fontIconTitleBold;
BOOL CTKBarRenderer::m_bTahomaMenuFont = FALSE;
int CTKBarRenderer::m_nPopupLineHeight = 0;

namespace {

constexpr LONG kSmallestMenuHeight = -11;
constexpr LONG kVerticalEscapement = 2700;
constexpr LONG kVerticalOrientation = 900;
constexpr int kPopupLineExtra = 6;
constexpr int kButtonPadding = 7;
constexpr int kNoIconBox = 23;
constexpr int kSplitArrowWidth = 11;
constexpr int kTriangleRoom = 10;
constexpr int kTriangleWidth = 5;
constexpr UINT kEmbossIndex = COLOR_BTNHIGHLIGHT;

// The one current renderer; released when the process ends.
struct CurrentRenderer {
    CTKBarRenderer* renderer = nullptr;
    ~CurrentRenderer()
    {
        if (renderer)
            renderer->InternalRelease();
    }
};

CurrentRenderer& Current()
{
    static CurrentRenderer current;
    return current;
}

BOOL SameFace(const char* a, const char* b)
{
    return QString::fromLatin1(a).compare(QString::fromLatin1(b), Qt::CaseInsensitive) == 0;
}

BOOL IsPopupType(int type)
{
    return type == kTKControlPopup || type == kTKControlButtonPopup || type == kTKControlSplitButtonPopup;
}

} // namespace

CTKBarRenderer::CTKBarRenderer() = default;

CTKBarRenderer::~CTKBarRenderer() = default;

void CTKBarRenderer::SelectTheme(int theme)
{
    CurrentRenderer& current = Current();
    if (current.renderer && current.renderer->m_nTheme == theme)
        return;
    ReleaseTheme();
    current.renderer = CreateTheme(theme);
}

CTKBarRenderer* CTKBarRenderer::CreateTheme(int theme)
{
    CTKBarRenderer* renderer = nullptr;
    switch (theme) {
    case kTKThemeOfficeXP:
        renderer = new CTKBarRendererOfficeXP;
        break;
    case kTKThemeOffice2003:
        renderer = new CTKBarRendererOffice2003;
        break;
    case kTKThemeWindowsXP:
        renderer = new CTKBarRendererWindowsXP;
        break;
    default:
        renderer = new CTKBarRendererClassic;
        break;
    }
    renderer->m_nTheme = theme;
    return renderer;
}

void CTKBarRenderer::ReleaseTheme()
{
    CurrentRenderer& current = Current();
    if (!current.renderer)
        return;
    current.renderer->InternalRelease();
    current.renderer = nullptr;
}

CTKBarRenderer* CTKBarRenderer::GetCurrent()
{
    return Current().renderer;
}

COLORREF CTKBarRenderer::LookupColor(UINT index) const
{
    if (index < static_cast<UINT>(CTKSystemColors::kColorCount))
        return m_clr[index];
    return index;
}

void CTKBarRenderer::SetColors(int count, const UINT* indices, const COLORREF* values)
{
    for (int i = 0; i < count; ++i) {
        if (indices[i] < static_cast<UINT>(CTKSystemColors::kColorCount))
            m_clr[indices[i]] = values[i];
    }
}

BOOL CTKBarRenderer::FontExists(const std::string& face)
{
    return CSystemMetrics::Instance().FontExists(face);
}

void CTKBarRenderer::DeleteFonts()
{
    CFont* fonts[] = {&m_fontRegular, &m_fontBold, &m_fontStatus, &m_fontVert, &m_fontVertBold,
                      &m_fontSmCaption, &m_fontIconTitle, &m_fontMarlett, &m_fontIconTitleBold};
    for (CFont* font : fonts)
        font->DeleteObject();
}

void CTKBarRenderer::RefreshFonts()
{
    DeleteFonts();
    const CSystemMetrics& system = CSystemMetrics::Instance();
    const LOGFONT menu = system.GetMenuFont();
    LOGFONT lf;
    lf.lfCharSet = ANSI_CHARSET;
    lf.lfHeight = menu.lfHeight;
    if (lf.lfHeight < 0 && lf.lfHeight > kSmallestMenuHeight)
        lf.lfHeight = kSmallestMenuHeight;
    lf.lfWeight = menu.lfWeight;
    lf.lfItalic = menu.lfItalic;
    CFont::SetFaceName(lf, menu.lfFaceName);

    const BOOL tahomaExists = FontExists("Tahoma");
    if (SameFace(menu.lfFaceName, "Tahoma"))
        m_bTahomaMenuFont = TRUE;
    if (menu.lfCharSet <= 2 && m_bTahomaMenuFont && tahomaExists)
        CFont::SetFaceName(lf, "Tahoma");

    m_fontRegular.CreateFontIndirect(&lf);
    lf.lfWeight = FW_BOLD;
    m_fontBold.CreateFontIndirect(&lf);
    const LOGFONT status = system.GetStatusFont();
    m_fontStatus.CreateFontIndirect(&status);

    lf.lfEscapement = kVerticalEscapement;
    lf.lfOrientation = kVerticalOrientation;
    lf.lfWeight = menu.lfWeight;
    lf.lfItalic = menu.lfItalic;
    const char* verticalFace = "Arial";
    if (tahomaExists && (m_bTahomaMenuFont || !SameFace(menu.lfFaceName, "Arial")))
        verticalFace = "Tahoma";
    CFont::SetFaceName(lf, verticalFace);
    m_fontVert.CreateFontIndirect(&lf);
    lf.lfWeight = FW_BOLD;
    m_fontVertBold.CreateFontIndirect(&lf);

    const LOGFONT smallCaption = system.GetSmallCaptionFont();
    m_fontSmCaption.CreateFontIndirect(&smallCaption);
    LOGFONT iconTitle = system.GetIconTitleFont();
    m_fontIconTitle.CreateFontIndirect(&iconTitle);
    LOGFONT marlett;
    marlett.lfHeight = iconTitle.lfHeight;
    marlett.lfCharSet = DEFAULT_CHARSET;
    CFont::SetFaceName(marlett, "Marlett");
    m_fontMarlett.CreateFontIndirect(&marlett);
    iconTitle.lfWeight = FW_BOLD;
    m_fontIconTitleBold.CreateFontIndirect(&iconTitle);

    m_nPopupLineHeight = MeasureText(&m_fontRegular, " ").cy + kPopupLineExtra;
}

BOOL CTKBarRenderer::IsInPopupBar(const CTKControl* control)
{
    const CTKCommandBar* parent = control->GetParent();
    return parent && parent->GetType() == kTKBarPopup;
}

CSize CTKBarRenderer::MeasureBoxControl(CTKControl* control, int fieldWidth, BOOL showLabel, int* labelWidth)
{
    // Room for the icon column in front of a label in a menu.
    constexpr int kPopupLabelExtra = 29;
    constexpr int kLabelExtra = 5;
    constexpr int kBoxHeightExtra = 8;
    std::string caption = control->GetDisplayCaption();
    StripMnemonicAmpersands(caption);
    const int captionWidth = MeasureText(&m_fontIconTitle, caption).cx;
    *labelWidth = 0;
    if (IsInPopupBar(control))
        *labelWidth = captionWidth + kPopupLabelExtra;
    else if (showLabel)
        *labelWidth = captionWidth + kLabelExtra;
    return CSize(fieldWidth + *labelWidth, MeasureText(&m_fontIconTitle, " ").cy + kBoxHeightExtra);
}

CSize CTKBarRenderer::MeasureComboBox(CTKControlComboBox* control)
{
    constexpr int kBoxHeightExtra = 8;
    constexpr int kDropDownExtra = 2;
    int labelWidth = 0;
    const CSize size = MeasureBoxControl(control, control->GetWidth(), control->GetShowLabel(), &labelWidth);
    control->SetLabelWidth(labelWidth);
    control->SetDropDownWidth(size.cy - kBoxHeightExtra + kDropDownExtra);
    return size;
}

CRect CTKBarRenderer::GetBoxField(const CTKControl* control, int labelWidth)
{
    CRect field = control->GetRect();
    field.left += labelWidth;
    field.DeflateRect(1, 1);
    return field;
}

CRect CTKBarRenderer::GetComboButton(const CTKControlComboBox* control)
{
    const CRect field = GetBoxField(control, control->GetLabelWidth());
    return CRect(field.right - control->GetDropDownWidth(), field.top, field.right, field.bottom);
}

void CTKBarRenderer::DrawComboArrow(CDC* dc, const CTKControlComboBox* control, COLORREF color) const
{
    CRect button = GetComboButton(control);
    button.OffsetRect(1, 1);
    CTKDCSelectGuard font(dc, &m_fontMarlett);
    dc->SetTextColor(color);
    dc->DrawText("u", &button, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void CTKBarRenderer::DrawComboText(CDC* dc, CTKControlComboBox* control) const
{
    constexpr int kTextLeft = 3;
    constexpr int kTextInset = 1;
    constexpr int kButtonGap = 2;
    CTKEdit* edit = control->GetEditCtrl();
    if (edit && edit->IsWindow())
        return;
    CRect text = GetBoxField(control, control->GetLabelWidth());
    text.left += kTextLeft;
    text.DeflateRect(0, kTextInset);
    text.right -= control->GetDropDownWidth() + kButtonGap;
    CTKDCSelectGuard font(dc, &m_fontIconTitle);
    dc->SetTextColor(LookupColor(COLOR_WINDOWTEXT));
    dc->DrawText(control->GetEditText(), &text, DT_SINGLELINE | DT_VCENTER);
}

CSize CTKBarRenderer::MeasureText(CFont* font, const std::string& text)
{
    CQtImageDC screen(1, 1);
    CTKDCSelectGuard select(&screen, font);
    return screen.GetTextExtent(text);
}

void CTKBarRenderer::DrawControl(CSize* out, CDC* dc, CTKControl* control, BOOL draw)
{
    *out = CSize();
    if (!control)
        return;
    const int type = control->GetType();
    if (type == kTKControlEdit || type == kTKControlComboBox) {
        auto* edit = dynamic_cast<CTKControlEdit*>(control);
        auto* combo = dynamic_cast<CTKControlComboBox*>(control);
        CTKEdit* window = edit ? edit->GetEditCtrl() : combo ? combo->GetEditCtrl() : nullptr;
        if (window && window->IsWindow()) {
            const auto font = reinterpret_cast<CFont*>(window->SendMessage(WM_GETFONT));
            if (font != &m_fontIconTitle) {
                window->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(&m_fontIconTitle), TRUE);
                window->SendMessage(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
            }
        }
        if (edit)
            DrawControlEdit(out, dc, edit, draw);
        else if (combo)
            DrawControlComboBox(out, dc, combo, draw);
        return;
    }
    CTKCommandBar* parent = control->GetParent();
    if (parent && parent->GetType() == kTKBarPopup)
        DrawControlPopupParent(out, dc, control, draw);
    else
        DrawControlToolBarParent(out, dc, control, draw);
}

void CTKBarRenderer::DrawFilledTriangle(CDC* dc, int x1, int y1, int x2, int y2, int x3, int y3,
                                        COLORREF color) const
{
    const CPoint points[] = {CPoint(x1, y1), CPoint(x2, y2), CPoint(x3, y3)};
    CTKDCBrushGuard brush(dc, color);
    CTKDCPenGuard pen(dc, color);
    dc->Polygon(points, 3);
}

void CTKBarRenderer::FillRectIndexed(CDC* dc, const CRect& rect, UINT borderIndex, UINT fillIndex) const
{
    dc->FillSolidRect(rect, LookupColor(fillIndex));
    dc->Draw3dRect(rect, LookupColor(borderIndex), LookupColor(borderIndex));
}

void CTKBarRenderer::Draw3dRectIndexed(CDC* dc, const CRect& rect, UINT topLeftIndex, UINT bottomRightIndex) const
{
    dc->Draw3dRect(rect, LookupColor(topLeftIndex), LookupColor(bottomRightIndex));
}

void CTKBarRenderer::DrawCheckMark(CDC* dc, const CRect& rect, COLORREF color)
{
    CTKDCPenGuard pen(dc, color);
    const int l = rect.left;
    const int t = rect.top;
    dc->MoveTo(l + 6, t + 9);
    dc->LineTo(l + 8, t + 11);
    dc->LineTo(l + 13, t + 6);
    dc->MoveTo(l + 6, t + 10);
    dc->LineTo(l + 8, t + 12);
    dc->LineTo(l + 13, t + 7);
}

void CTKBarRenderer::DrawLine(CDC* dc, int x1, int y1, int x2, int y2)
{
    dc->MoveTo(x1, y1);
    dc->LineTo(x2, y2);
}

void CTKBarRenderer::DrawLineIndexed(CDC* dc, int x1, int y1, int x2, int y2, UINT index) const
{
    CTKDCPenGuard pen(dc, LookupColor(index));
    DrawLine(dc, x1, y1, x2, y2);
}

void CTKBarRenderer::GradientFill(CDC* dc, const CRect* rect, COLORREF from, COLORREF to, BOOL horizontal)
{
    GradientFillRect(dc, rect, from, to, horizontal);
}

void CTKBarRenderer::StripMnemonicAmpersands(std::string& text)
{
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '&') {
            result += text[i];
            continue;
        }
        if (i + 1 < text.size() && text[i + 1] == '&') {
            result += '&';
            ++i;
        }
    }
    text = result;
}

void CTKBarRenderer::DrawControlText(CSize* out, CDC* dc, const std::string& text, CRect rect, BOOL draw,
                                     BOOL vertical, BOOL centre, BOOL triangle, BOOL embossed) const
{
    std::string stripped = text;
    StripMnemonicAmpersands(stripped);
    const CSize extent = dc->GetTextExtent(stripped.empty() ? std::string(" ") : stripped);
    *out = CSize();
    if (!draw) {
        const int width = extent.cx + (triangle ? kTriangleRoom : 0);
        *out = vertical ? CSize(extent.cy, width) : CSize(width, extent.cy);
        return;
    }
    const int w = extent.cx + (triangle ? kTriangleWidth : 0);
    const COLORREF textColor = dc->GetTextColor();
    if (!vertical) {
        if (centre)
            rect.left += (rect.Width() - w) / 2;
        if (embossed) {
            CRect shifted = rect;
            shifted.OffsetRect(1, 1);
            dc->SetTextColor(LookupColor(kEmbossIndex));
            dc->DrawText(text, &shifted, DT_SINGLELINE | DT_VCENTER);
            dc->SetTextColor(textColor);
        }
        dc->DrawText(text, &rect, DT_SINGLELINE | DT_VCENTER);
        if (triangle) {
            const int y = (rect.top + rect.bottom) / 2 - 1;
            DrawFilledTriangle(dc, rect.left + w - 2, y, rect.left + w + 2, y, rect.left + w, y + 2, textColor);
        }
        return;
    }
    const int originalLeft = rect.left;
    rect.left = rect.right - (rect.right - extent.cy - rect.left + 1) / 2;
    if (centre)
        rect.top += (rect.Height() - w + 1) / 2;
    if (embossed) {
        CRect shifted = rect;
        shifted.OffsetRect(1, 1);
        dc->SetTextColor(LookupColor(kEmbossIndex));
        dc->DrawText(text, &shifted, DT_SINGLELINE | DT_NOCLIP);
        dc->SetTextColor(textColor);
    }
    dc->DrawText(text, &rect, DT_SINGLELINE | DT_NOCLIP);
    if (triangle) {
        const int x = (originalLeft + rect.right) / 2 + 2;
        const int y = rect.top + w - 1;
        DrawFilledTriangle(dc, x, y - 2, x, y + 2, x - 2, y, textColor);
    }
}

void CTKBarRenderer::DrawControlTextAndIcon(CSize* out, CDC* dc, const std::string& text, CRect rect, BOOL vertical,
                                            BOOL draw, BOOL embossed, BOOL triangle, int iconCx, int iconCy,
                                            BOOL hasIcon) const
{
    CSize textSize;
    DrawControlText(&textSize, dc, text, rect, FALSE, vertical, FALSE, triangle, FALSE);
    const int lead = hasIcon ? iconCx + 3 : kButtonPadding;
    if (!vertical) {
        *out = CSize(lead + textSize.cx, std::max(iconCy, textSize.cy + 6));
        if (draw) {
            rect.left += hasIcon ? iconCx - 1 : 4;
            CSize ignored;
            DrawControlText(&ignored, dc, text, rect, TRUE, FALSE, FALSE, triangle, embossed);
        }
        return;
    }
    *out = CSize(std::max(iconCx, textSize.cx + 6), lead + textSize.cy);
    if (draw) {
        rect.top += hasIcon ? iconCy : 4;
        CSize ignored;
        DrawControlText(&ignored, dc, text, rect, TRUE, TRUE, FALSE, triangle, embossed);
    }
}

void CTKBarRenderer::DrawControlToolBarParent(CSize* out, CDC* dc, CTKControl* control, BOOL draw)
{
    CTKCommandBar* bar = control->GetParent();
    CTKDCSelectGuard font(dc, GetControlFont(bar, control->IsDefaultItem()));
    const CRect rect = draw ? control->GetRect() : CRect();
    const CSize iconBox = bar ? bar->GetButtonIconSize() : CSize(16, 16);
    const CSize buttonBox(iconBox.cx + kButtonPadding, iconBox.cy + kButtonPadding);
    const int position = bar ? bar->GetPosition() : kTKPositionNone;
    const BOOL vertical = position == kTKPositionLeft || position == kTKPositionRight;
    const int type = control->GetType();
    const int style = control->GetStyle();

    CTKCommandIcon* icon = nullptr;
    const BOOL wantsImage = !(style == kTKStyleAutomatic && type == kTKControlPopup) && style != kTKStyleCaption;
    if (wantsImage && control->GetImageId() != 0)
        icon = control->GetIcon(iconBox.cx);

    const std::string caption = control->GetDisplayCaption();
    const BOOL isButton = dynamic_cast<CTKControlButton*>(control) != nullptr;
    const BOOL showCaption = !caption.empty()
        && (style == kTKStyleCaption || style == kTKStyleIconAndCaption
            || (style == kTKStyleAutomatic && isButton && !icon) || (style == kTKStyleAutomatic && type == kTKControlPopup));
    const BOOL embossed = !control->GetEnabled() && !IsFlatStyle();
    const BOOL popuped = IsPopupType(type) && bar && bar->GetPopupedIndex() == control->GetIndex();

    if (draw) {
        if (type == kTKControlSplitButtonPopup)
            DrawSplitButtonFrame(dc, control, rect);
        else
            DrawControlState(dc, rect, control->GetEnabled(), control->GetSelected(), control->GetPressed(),
                             control->GetChecked(), popuped, position);
    }

    if (bar && bar->ShowsButtonText() && icon) {
        if (draw)
            DrawImage(dc, CPoint((rect.left + rect.right - iconBox.cx) / 2, rect.top + 4), CSize(iconBox.cx, 0), icon,
                      control->GetSelected(), control->GetPressed(), control->GetEnabled(), control->GetChecked(),
                      popuped, TRUE);
        CTKDCSelectGuard captionFont(dc, control->IsDefaultItem() ? &m_fontBold : &m_fontRegular);
        CRect textRect(rect.left, rect.top + buttonBox.cy - 4, rect.right, rect.bottom);
        if (type == kTKControlSplitButtonPopup)
            textRect.right -= kSplitArrowWidth;
        CSize textSize;
        DrawControlText(&textSize, dc, caption, textRect, FALSE, FALSE, TRUE, type == kTKControlPopup, FALSE);
        if (draw) {
            CSize ignored;
            DrawControlText(&ignored, dc, caption, textRect, TRUE, FALSE, TRUE, type == kTKControlPopup, embossed);
        }
        const int height = textSize.cy + buttonBox.cy;
        int width = std::max(buttonBox.cx, textSize.cx + 10);
        if (type == kTKControlSplitButtonPopup)
            width += kSplitArrowWidth;
        *out = CSize(std::max(width, height), height);
        return;
    }

    if (draw && icon) {
        const int height = icon->GetHeight() * iconBox.cx / std::max(1, icon->GetWidth());
        CPoint at(rect.left + 3, (rect.top + rect.bottom) / 2 - height / 2);
        const BOOL keepLeft = type == kTKControlSplitButtonPopup || (type == kTKControlPopup && !showCaption);
        if (vertical && !keepLeft)
            at = CPoint((rect.left + rect.right) / 2 - iconBox.cx / 2, rect.top + 4);
        DrawImage(dc, at, CSize(iconBox.cx, height), icon, control->GetSelected(), control->GetPressed(),
                  control->GetEnabled(), control->GetChecked(), popuped, TRUE);
    }
    // Without an image the icon box counts as 23 by 23 here.
    const int boxCx = icon ? iconBox.cx : kNoIconBox;
    const int boxCy = icon ? iconBox.cy : kNoIconBox;
    const CSize sizeBox(icon ? buttonBox.cx : kNoIconBox, icon ? buttonBox.cy : kNoIconBox);
    switch (type) {
    case kTKControlPopup:
        if (icon && showCaption) {
            DrawControlTextAndIcon(out, dc, caption, rect, vertical, draw, embossed, TRUE, boxCx, boxCy, TRUE);
        } else if (icon) {
            if (draw) {
                const int m = (rect.top + rect.bottom) / 2;
                DrawFilledTriangle(dc, rect.right - 9, m - 1, rect.right - 5, m - 1, rect.right - 7, m + 1,
                                   dc->GetTextColor());
            }
            *out = CSize(buttonBox.cy + 7, buttonBox.cy);
        } else {
            const BOOL triangle = !draw || (bar && bar->GetType() != kTKBarMenu);
            CSize textSize;
            DrawControlText(&textSize, dc, caption, rect, FALSE, vertical, TRUE, triangle, FALSE);
            if (draw) {
                CSize ignored;
                DrawControlText(&ignored, dc, caption, rect, TRUE, vertical, TRUE, triangle, embossed);
            }
            *out = CSize(textSize.cx + 6, textSize.cy + 6);
        }
        return;
    case kTKControlButton:
    case kTKControlButtonPopup:
        if (showCaption)
            DrawControlTextAndIcon(out, dc, caption, rect, vertical, draw, embossed, FALSE, boxCx, boxCy, icon != nullptr);
        else
            *out = sizeBox;
        return;
    case kTKControlSplitButtonPopup: {
        CRect captionRect = rect;
        captionRect.right -= kSplitArrowWidth;
        if (showCaption)
            DrawControlTextAndIcon(out, dc, caption, captionRect, vertical, draw, embossed, FALSE, boxCx, boxCy,
                                   icon != nullptr);
        else
            *out = sizeBox;
        out->cx += kSplitArrowWidth;
        return;
    }
    default:
        *out = CSize();
        return;
    }
}

void CTKBarRenderer::DrawSplitButtonFrame(CDC* dc, CTKControl* control, CRect rect)
{
    CTKCommandBar* bar = control->GetParent();
    const int position = bar ? bar->GetPosition() : kTKPositionNone;
    const BOOL popuped = bar && bar->GetPopupedIndex() == control->GetIndex();
    CRect state = rect;
    if (!popuped)
        state.right -= kSplitArrowWidth;
    DrawControlState(dc, state, control->GetEnabled(), control->GetSelected(), control->GetPressed(),
                     control->GetChecked(), popuped, position);
    const BOOL active = control->GetEnabled() || control->GetSelected() || control->GetPressed();
    if (active && !popuped)
        DrawControlState(dc, CRect(rect.right - 12, rect.top, rect.right, rect.bottom), TRUE, TRUE, FALSE, FALSE,
                         FALSE, position);
    const int m = (rect.top + rect.bottom) / 2;
    DrawFilledTriangle(dc, rect.right - 9, m - 1, rect.right - 5, m - 1, rect.right - 7, m + 1, dc->GetTextColor());
}

void CTKBarRenderer::DrawControlEntry(CDC* dc, CTKControl* control)
{
    CTKCommandBar* bar = control->GetParent();
    const BOOL popuped = IsPopupType(control->GetType()) && bar && bar->GetPopupedIndex() == control->GetIndex();
    DrawControlState(dc, control->GetRect(), control->GetEnabled(), control->GetSelected(), control->GetPressed(),
                     control->GetChecked(), popuped, bar ? bar->GetPosition() : kTKPositionNone);
}

void CTKBarRenderer::DrawStatusBarGripper(CDC* dc, int left, int top, int right, int bottom)
{
    const int w = right - left;
    const int h = bottom - top;
    for (int k = 0; k < 3; ++k) {
        const int s = 4 * k;
        {
            CTKDCPenGuard shadow(dc, GetSysColor(COLOR_BTNSHADOW));
            DrawLine(dc, left + w - 3 - s, top + h - 2, left + w - 1, top + h - 4 - s);
            DrawLine(dc, left + w - 4 - s, top + h - 2, left + w - 1, top + h - 5 - s);
        }
        CTKDCPenGuard highlight(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
        DrawLine(dc, left + w - 5 - s, top + h - 2, left + w - 1, top + h - 6 - s);
    }
}

void CTKBarRenderer::FillDockBar(CDC* dc, CWnd* dockBar)
{
    CRect client;
    MakeClientRect(&client, dockBar);
    dc->FillSolidRect(client, GetSysColor(COLOR_BTNFACE));
}

void CTKBarRenderer::FillStatusBar(CDC* dc, CWnd* statusBar)
{
    FillDockBar(dc, statusBar);
}

void CTKBarRenderer::RefreshMetrics()
{
    RefreshFonts();
    CTKSystemColors& colors = CTKSystemColors::Instance();
    colors.RefreshColors(FALSE);
    for (int i = 0; i < CTKSystemColors::kColorCount; ++i)
        m_clr[i] = colors.LookupColor(static_cast<UINT>(i));
    m_clrPopupShadow = 0;
}

void CTKBarRenderer::DrawSpecialControl(CSize* out, CDC* dc, int kind, CTKControl* control, CTKCommandBar* bar,
                                        BOOL draw, void* param)
{
    *out = CSize();
    const int position = bar ? bar->GetPosition() : kTKPositionNone;
    const BOOL vertical = position == kTKPositionLeft || position == kTKPositionRight || position == kTKPositionPopup;
    if (kind == kTKSpecialExpand) {
        if (!draw) {
            const CSize barSize = param ? *static_cast<CSize*>(param) : CSize();
            control->SetRect(vertical ? CRect(2, barSize.cy - 13, barSize.cx - 2, barSize.cy - 2)
                                      : CRect(barSize.cx - 13, 2, barSize.cx - 2, barSize.cy - 2));
            return;
        }
        DrawControlEntry(dc, control);
        const CRect& r = control->GetRect();
        const COLORREF color = dc->GetTextColor();
        if (!vertical) {
            const int x = (r.left + r.right) / 2;
            DrawFilledTriangle(dc, x - 2, r.bottom - 7, x + 2, r.bottom - 7, x, r.bottom - 5, color);
        } else {
            DrawFilledTriangle(dc, r.left + 6, r.top + 3, r.left + 6, r.top + 7, r.left + 4, r.top + 5, color);
        }
        const BOOL hidden = param && *static_cast<BOOL*>(param);
        if (!hidden)
            return;
        CTKDCPenGuard pen(dc, color);
        for (int offset : {0, 1, 4, 5}) {
            if (!vertical) {
                const CPoint stroke[] = {CPoint(r.left + 2 + offset, r.top + 4), CPoint(r.left + 4 + offset, r.top + 6),
                                         CPoint(r.left + 1 + offset, r.top + 9)};
                dc->Polyline(stroke, 3);
            } else {
                const CPoint stroke[] = {CPoint(r.right - 8, r.top + 2 + offset), CPoint(r.right - 6, r.top + 4 + offset),
                                         CPoint(r.right - 3, r.top + 1 + offset)};
                dc->Polyline(stroke, 3);
            }
        }
        return;
    }
    if (kind == kTKSpecialPopupExpand) {
        *out = CSize(0, 12);
        if (!draw)
            return;
        DrawControlEntry(dc, control);
        const CRect& r = control->GetRect();
        const int c = (r.left + r.right) / 2;
        const int t = r.top;
        for (int offset : {0, 1, 4, 5}) {
            const CPoint stroke[] = {CPoint(c - 2, t + 2 + offset), CPoint(c, t + 4 + offset), CPoint(c + 3, t + 1 + offset)};
            dc->Polyline(stroke, 3);
        }
        return;
    }
    if (!draw || !control)
        return;
    const CRect r = control->GetRect();
    if (kind == kTKSpecialClose) {
        const BOOL active = control->GetPressed() || control->GetSelected();
        if (!active)
            dc->SetTextColor(LookupColor(COLOR_HIGHLIGHTTEXT));
        LOGFONT lf;
        lf.lfHeight = -MulDiv(MulDiv(80, 96, dc->GetDeviceCaps(LOGPIXELSX)), dc->GetDeviceCaps(LOGPIXELSY), 720);
        lf.lfCharSet = DEFAULT_CHARSET;
        CFont::SetFaceName(lf, "Marlett");
        CFont marlett;
        marlett.CreateFontIndirect(&lf);
        CTKDCSelectGuard font(dc, &marlett);
        CRect textRect = r;
        dc->DrawText("r", &textRect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        return;
    }
    if (kind == kTKSpecialDropDown) {
        const BOOL popuped = bar && bar->GetPopupedIndex() == control->GetIndex();
        const COLORREF color =
            (control->GetSelected() || popuped) ? dc->GetTextColor() : LookupColor(COLOR_HIGHLIGHTTEXT);
        const CPoint c = r.CenterPoint();
        DrawFilledTriangle(dc, c.x - 3, c.y - 2, c.x + 3, c.y - 2, c.x, c.y + 1, color);
    }
}

void CTKBarRenderer::GetCommandBarBorders(CRect* out, CTKCommandBar*)
{
    *out = CRect(2, 2, 2, 2);
}

CFont* CTKBarRenderer::GetControlFont(CTKCommandBar* bar, BOOL bold)
{
    const int position = bar ? bar->GetPosition() : kTKPositionNone;
    if (position == kTKPositionLeft || position == kTKPositionRight)
        return bold ? &m_fontVertBold : &m_fontVert;
    return bold ? &m_fontBold : &m_fontRegular;
}

namespace {

constexpr int kOpaque = 255;
constexpr int kBlendShift = 8;

COLORREF BlendPixel(COLORREF image, COLORREF target, int alpha)
{
    auto channel = [alpha](int a, int b) { return (a * alpha + b * (kOpaque - alpha)) >> kBlendShift; };
    return RGB(channel(GetRValue(image), GetRValue(target)), channel(GetGValue(image), GetGValue(target)),
               channel(GetBValue(image), GetBValue(target)));
}

} // namespace

void CTKBarRenderer::AnimatePopup(CDC* target, CDC* image, CRect rect, int type)
{
    const int steps = m_nAnimationSteps;
    if (steps <= 0 || !target || !image)
        return;
    const std::chrono::milliseconds period(m_nAnimationDuration / steps);
    if (type == kTKAnimateUnfold || type == kTKAnimateSlide) {
        for (int k = 1; k <= steps; ++k) {
            DrawPopupFrame(target, image, nullptr, rect, type, k, steps);
            std::this_thread::sleep_for(period);
        }
        return;
    }
    const int w = rect.Width();
    const int h = rect.Height();
    if (type != kTKAnimateFade || w <= 0 || h <= 0)
        return;
    std::unique_ptr<CDC> below = image->CreateCompatibleDC(w, h);
    below->BitBlt(0, 0, w, h, target, rect.left, rect.top, SRCCOPY);
    // The caller shows the finished image after the last blended frame.
    for (int k = 1; k < steps; ++k) {
        const auto start = std::chrono::steady_clock::now();
        DrawPopupFrame(target, image, below.get(), rect, type, k, steps);
        std::this_thread::sleep_until(start + period);
    }
}

void CTKBarRenderer::DrawPopupFrame(CDC* target, CDC* image, CDC* below, CRect rect, int type, int step, int steps)
{
    if (!target || !image || steps <= 0 || step <= 0)
        return;
    step = std::min(step, steps);
    const int w = rect.Width();
    const int h = rect.Height();
    if (w <= 0 || h <= 0)
        return;
    const int cy = h * step / steps;
    if (type == kTKAnimateUnfold) {
        const int cx = w * step / steps;
        target->BitBlt(rect.left, rect.top, cx, cy, image, w - cx, h - cy, SRCCOPY);
        return;
    }
    if (type == kTKAnimateSlide) {
        target->BitBlt(rect.left, rect.top, w, cy, image, 0, h - cy, SRCCOPY);
        return;
    }
    if (type != kTKAnimateFade)
        return;
    if (step == steps || !below) {
        target->BitBlt(rect.left, rect.top, w, h, image, 0, 0, SRCCOPY);
        return;
    }
    const int alpha = kOpaque * step / steps;
    std::unique_ptr<CDC> frame = image->CreateCompatibleDC(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x)
            frame->SetPixel(x, y, BlendPixel(image->GetPixel(x, y), below->GetPixel(x, y), alpha));
    }
    target->BitBlt(rect.left, rect.top, w, h, frame.get(), 0, 0, SRCCOPY);
}

void CTKBarRenderer::AnimateExpanding(CTKCommandBar* popup, CDC* target, CDC* image)
{
    const int steps = m_nAnimationSteps;
    if (steps <= 0 || !popup || !target || !image)
        return;
    const std::chrono::milliseconds period(m_nAnimationDuration / steps);
    CRect client;
    popup->GetClientRect(&client);
    const int width = client.Width();
    for (int k = 1; k <= steps; ++k) {
        int bandStart = 0;
        int placed = 0;
        BOOL bandExpanded = FALSE;
        BOOL first = TRUE;
        auto closeBand = [&](int end) {
            const int height = end - bandStart;
            if (height <= 0)
                return;
            if (bandExpanded) {
                const int shown = height * k / steps;
                target->StretchBlt(0, placed, width, shown, image, 0, bandStart, width, height, SRCCOPY);
                placed += shown;
            } else {
                target->BitBlt(0, placed, width, height, image, 0, bandStart, SRCCOPY);
                placed += height;
            }
            bandStart = end;
        };
        for (int i = 0; i < popup->GetControlCount(); ++i) {
            const CTKControl* control = popup->GetControl(i);
            if (!control->IsVisible())
                continue;
            const BOOL expanded = control->IsHiddenCommand();
            if (!first && expanded != bandExpanded)
                closeBand(control->GetRect().top);
            if (first || expanded != bandExpanded)
                bandExpanded = expanded;
            first = FALSE;
        }
        closeBand(client.bottom);
        std::this_thread::sleep_for(period);
    }
}

namespace {

// The command list's row in the classic look.
constexpr int kListRowMinHeight = 20;
constexpr int kListIconColumn = 20;
constexpr int kListIconWidth = 16;
constexpr int kListCaptionLeft = 24;
constexpr int kListFieldGap = 8;
constexpr UINT kListRowFormat = DT_END_ELLIPSIS | DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER;

BOOL ShowsImageInList(const CTKControl* control)
{
    const int type = control->GetType();
    return type == kTKControlButton || type == kTKControlButtonPopup || type == kTKControlSplitButtonPopup;
}

BOOL IsPopupInList(const CTKControl* control)
{
    return control->GetType() >= kTKControlPopup && control->GetType() <= kTKControlSplitButtonPopup;
}

} // namespace

std::string CTKBarRenderer::ListCaption(const CTKControl* control)
{
    std::string caption = control->GetCaption();
    StripMnemonicAmpersands(caption);
    return caption;
}

void CTKBarRenderer::DrawListBoxControl(CSize* out, CDC* dc, CTKControl* control, CRect rect, BOOL selected,
                                        BOOL draw)
{
    *out = CSize(0, std::max(m_nPopupLineHeight - 4, kListRowMinHeight));
    if (!draw || !dc)
        return;
    if (!control) {
        dc->FillSolidRect(rect, LookupColor(COLOR_BTNFACE));
        return;
    }
    FillRectIndexed(dc, rect, COLOR_BTNFACE, COLOR_BTNFACE);
    if (selected)
        FillRectIndexed(dc, rect, COLOR_HIGHLIGHT, COLOR_HIGHLIGHT);
    CTKCommandIcon* icon = ShowsImageInList(control) ? control->GetIcon(kListIconWidth) : nullptr;
    if (icon) {
        const CRect column(rect.left, rect.top, rect.left + kListIconColumn, rect.bottom);
        DrawRectangle(dc, column, selected, FALSE, TRUE, FALSE, FALSE, FALSE, kTKPositionPopup);
        const CPoint at(column.left + (kListIconColumn - kListIconWidth) / 2,
                        column.top + (column.Height() - icon->GetHeight()) / 2);
        DrawImage(dc, at, CSize(kListIconWidth, 0), icon, selected, FALSE, TRUE, FALSE, FALSE, FALSE);
    }
    CTKDCSelectGuard font(dc, &m_fontRegular);
    const std::string caption = ListCaption(control);
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(LookupColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT));
    CRect captionRect(rect.left + kListCaptionLeft, rect.top, rect.right, rect.bottom);
    dc->DrawText(caption, &captionRect, kListRowFormat);
    const int m = (rect.top + rect.bottom) / 2;
    if (IsPopupInList(control))
        DrawFilledTriangle(dc, rect.right - 7, m, rect.right - 12, m - 5, rect.right - 12, m + 5,
                           LookupColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT));
    if (control->GetType() == kTKControlComboBox || control->GetType() == kTKControlEdit) {
        const int fieldLeft = rect.left + kListCaptionLeft + MeasureText(&m_fontRegular, caption).cx + kListFieldGap;
        const CRect field(std::min(fieldLeft, rect.right), rect.top + 2, rect.right - 2, rect.bottom - 2);
        FillRectIndexed(dc, field, selected ? COLOR_HIGHLIGHT : COLOR_BTNFACE, COLOR_WINDOW);
    }
}
