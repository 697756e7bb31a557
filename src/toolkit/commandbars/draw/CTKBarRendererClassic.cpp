#include "toolkit/commandbars/draw/CTKBarRendererClassic.h"

#include "platform/CDC.h"
#include "platform/CSystemMetrics.h"
#include "toolkit/commandbars/CTKCommandBar.h"
#include "toolkit/commandbars/CTKControl.h"
#include "toolkit/commandbars/CTKControlComboBox.h"
#include "toolkit/commandbars/CTKControlEdit.h"
#include "toolkit/commandbars/draw/CTKDCSelectGuard.h"
#include "toolkit/commandbars/images/CTKCommandIcon.h"

#include <algorithm>

namespace {

// Colour-table entries (system colours under their numbers).
constexpr UINT kBlack = 0;
constexpr UINT kActiveCaption = COLOR_ACTIVECAPTION;
constexpr UINT kInactiveCaption = COLOR_INACTIVECAPTION;
constexpr UINT kWindow = COLOR_WINDOW;
constexpr UINT kHighlight = COLOR_HIGHLIGHT;
constexpr UINT kHighlightText = COLOR_HIGHLIGHTTEXT;
constexpr UINT kFace = COLOR_BTNFACE;
constexpr UINT kShadow = COLOR_BTNSHADOW;
constexpr UINT kGrayText = COLOR_GRAYTEXT;
constexpr UINT kText = COLOR_BTNTEXT;
constexpr UINT kLight = COLOR_BTNHIGHLIGHT;
constexpr UINT kExpandedOnly = COLOR_3DLIGHT;

constexpr int kSeparatorThickness = 8;
constexpr int kGripperWidth = 6;
constexpr int kGripperHeight = 8;
constexpr int kMinCaptionHeight = 15;
constexpr int kIconColumn = 20;
constexpr int kMenuIconWidth = 16;
constexpr int kMenuItemExtra = 60;
constexpr int kMenuItemMinHeight = 20;
constexpr int kSplitArrowPart = 20;
constexpr int kTearOffHeight = 8;
constexpr int kPopupBorder = 3;
constexpr int kBarBorder = 2;

BOOL IsPopupType(int type)
{
    return type == kTKControlPopup || type == kTKControlButtonPopup || type == kTKControlSplitButtonPopup;
}

} // namespace

CTKBarRendererClassic::CTKBarRendererClassic()
{
    m_bFadedIcons = FALSE;
    m_bHotIconShadow = FALSE;
    RefreshMetrics();
}

void CTKBarRendererClassic::FillHalftone(CDC* dc, const CRect& rect) const
{
    const COLORREF background = dc->SetBkColor(GetSysColor(COLOR_BTNFACE));
    const COLORREF text = dc->SetTextColor(GetSysColor(COLOR_BTNHIGHLIGHT));
    {
        CTKDCSelectGuard brush(dc, CDC::GetHalftoneBrush());
        dc->PatBlt(rect.left, rect.top, rect.Width(), rect.Height(), PATCOPY);
    }
    dc->SetBkColor(background);
    dc->SetTextColor(text);
}

void CTKBarRendererClassic::DrawRectangle(CDC* dc, CRect rect, BOOL selected, BOOL pressed, BOOL enabled,
                                          BOOL checked, BOOL popuped, BOOL inToolbar, int)
{
    if (enabled) {
        if (checked && !selected && !pressed) {
            FillHalftone(dc, rect);
            Draw3dRectIndexed(dc, rect, kShadow, kLight);
            return;
        }
        if (checked || popuped || pressed == kTKPressedExecuting || (selected && pressed)) {
            Draw3dRectIndexed(dc, rect, kShadow, kLight);
            return;
        }
        if (selected || pressed)
            Draw3dRectIndexed(dc, rect, kLight, kShadow);
        return;
    }
    if ((checked && !inToolbar) || selected == kTKSelectedKeyboard)
        Draw3dRectIndexed(dc, rect, kShadow, kLight);
}

void CTKBarRendererClassic::DrawControlState(CDC* dc, CRect rect, BOOL enabled, BOOL selected, BOOL pressed,
                                             BOOL checked, BOOL popuped, int barPosition)
{
    DrawRectangle(dc, rect, selected, pressed, enabled, checked, popuped, TRUE, barPosition);
    dc->SetTextColor(LookupColor(enabled ? kText : kGrayText));
    dc->SetBkMode(TRANSPARENT);
}

void CTKBarRendererClassic::DrawSplitButtonFrame(CDC* dc, CTKControl* control, CRect rect)
{
    CTKCommandBar* bar = control->GetParent();
    const int position = bar ? bar->GetPosition() : kTKPositionNone;
    const BOOL open = bar && bar->GetPopupedIndex() == control->GetIndex();
    const BOOL selected = control->GetSelected() || open;
    DrawControlState(dc, CRect(rect.left, rect.top, rect.right - 12, rect.bottom), control->GetEnabled(), selected,
                     control->GetPressed(), control->GetChecked(), open, position);
    if (control->GetEnabled() && (selected || control->GetPressed()))
        DrawControlState(dc, CRect(rect.right - 12, rect.top, rect.right, rect.bottom), TRUE, TRUE, FALSE, FALSE, open,
                         position);
    const int m = (rect.top + rect.bottom) / 2;
    DrawFilledTriangle(dc, rect.right - 9, m - 1, rect.right - 5, m - 1, rect.right - 7, m + 1, dc->GetTextColor());
}

void CTKBarRendererClassic::FillCommandBarEntry(CDC* dc, CTKCommandBar* bar)
{
    CRect client;
    bar->GetClientRect(&client);
    dc->FillSolidRect(client, LookupColor(kFace));
    const int position = bar->GetPosition();
    if (position == kTKPositionFloating || position == kTKPositionPopup) {
        Draw3dRectIndexed(dc, client, kFace, kBlack);
        client.DeflateRect(1, 1);
    }
    Draw3dRectIndexed(dc, client, kLight, kShadow);
}

void CTKBarRendererClassic::DrawCommandBarGripper(CSize* out, CDC* dc, CTKCommandBar* bar, BOOL draw)
{
    CRect client;
    bar->GetClientRect(&client);
    *out = CSize();
    switch (bar->GetPosition()) {
    case kTKPositionTop:
    case kTKPositionBottom:
        if (draw)
            Draw3dRectIndexed(dc, CRect(3, 3, 6, client.bottom - 3), kLight, kShadow);
        *out = CSize(kGripperWidth, 0);
        return;
    case kTKPositionLeft:
    case kTKPositionRight:
        if (draw)
            Draw3dRectIndexed(dc, CRect(3, 3, client.right - 3, 6), kLight, kShadow);
        *out = CSize(0, kGripperHeight);
        return;
    case kTKPositionFloating: {
        const int height = std::max(MeasureText(&m_fontSmCaption, " ").cy, kMinCaptionHeight) + 3;
        *out = CSize(client.Width(), height);
        if (!draw)
            return;
        dc->FillSolidRect(CRect(3, 3, client.right - 3, height), LookupColor(kActiveCaption));
        CTKDCSelectGuard font(dc, &m_fontSmCaption);
        dc->SetTextColor(LookupColor(kLight));
        dc->SetBkMode(TRANSPARENT);
        CRect title(5, 3, client.right - 2 * height, height);
        dc->DrawText(bar->GetBarTitle(), &title, DT_SINGLELINE | DT_VCENTER);
        return;
    }
    default:
        return;
    }
}

void CTKBarRendererClassic::DrawCommandBarSeparator(CSize* out, CDC* dc, CTKCommandBar* bar, CTKControl* control,
                                                    BOOL draw)
{
    if (!draw) {
        *out = CSize(0, kSeparatorThickness);
        return;
    }
    *out = CSize();
    const CRect& row = control->GetRowRect();
    const CRect& rc = control->GetRect();
    CRect line;
    if (bar->GetType() == kTKBarPopup) {
        CRect client;
        bar->GetClientRect(&client);
        line = CRect(14, rc.top - 5, client.right - 14, rc.top - 3);
    } else if (bar->GetPosition() == kTKPositionLeft || bar->GetPosition() == kTKPositionRight) {
        line = control->GetRowStart() ? CRect(row.right + 2, row.top + 4, row.right + 4, row.bottom)
                                      : CRect(row.left, rc.top - 4, row.right, rc.top - 2);
    } else {
        line = control->GetRowStart() ? CRect(row.left + 4, row.top - 4, row.right, row.top - 2)
                                      : CRect(rc.left - 4, row.top, rc.left - 2, row.bottom);
    }
    Draw3dRectIndexed(dc, line, kShadow, kLight);
}

void CTKBarRendererClassic::AdjustExcludeRect(CRect& rect, CTKControl* control)
{
    if (control->GetType() == kTKControlComboBox)
        return;
    CTKCommandBar* bar = control->GetParent();
    const int position = bar ? bar->GetPosition() : kTKPositionNone;
    if (bar && bar->GetType() == kTKBarPopup)
        rect.DeflateRect(1, 0);
    else if (position == kTKPositionLeft || position == kTKPositionRight || position == kTKPositionPopup)
        rect.InflateRect(0, 1);
    else
        rect.InflateRect(1, 0);
}

void CTKBarRendererClassic::DrawStatusBarPane(CDC* dc, CRect* rect, UINT paneStyle, const std::string& text)
{
    constexpr UINT kNoBorders = 0x0100;
    constexpr UINT kDisabled = 0x04000000;
    if (!(paneStyle & kNoBorders))
        Draw3dRectIndexed(dc, *rect, kShadow, kLight);
    if (paneStyle & kDisabled)
        return;
    CRect textRect = *rect;
    textRect.DeflateRect(2, 1);
    dc->SetBkMode(TRANSPARENT);
    dc->DrawText(text, &textRect, DT_SINGLELINE | DT_VCENTER);
}

void CTKBarRendererClassic::DrawSpecialControl(CSize* out, CDC* dc, int kind, CTKControl* control,
                                               CTKCommandBar* bar, BOOL draw, void* param)
{
    if (draw && control && (kind == kTKSpecialClose || kind == kTKSpecialDropDown)) {
        const BOOL open = kind == kTKSpecialDropDown && bar && bar->GetPopupedIndex() == control->GetIndex();
        if (control->GetPressed() || control->GetSelected() || open)
            dc->FillSolidRect(control->GetRect(), LookupColor(kFace));
    }
    CTKBarRenderer::DrawSpecialControl(out, dc, kind, control, bar, draw, param);
}

void CTKBarRendererClassic::GetCommandBarBorders(CRect* out, CTKCommandBar* bar)
{
    const int border = bar && bar->GetType() == kTKBarPopup ? kPopupBorder : kBarBorder;
    *out = CRect(border, border, border, border);
}

void CTKBarRendererClassic::DrawTearOffTitle(CSize* out, CDC* dc, CRect rect, BOOL selected, BOOL draw)
{
    if (draw)
        dc->FillSolidRect(CRect(rect.left, rect.top, rect.right, rect.bottom - 1),
                          LookupColor(selected ? kActiveCaption : kInactiveCaption));
    *out = CSize(0, kTearOffHeight);
}

void CTKBarRendererClassic::DrawImage(CDC* dc, CPoint point, CSize size, CTKCommandIcon* icon, BOOL selected,
                                      BOOL pressed, BOOL enabled, BOOL checked, BOOL, BOOL)
{
    if (!icon)
        return;
    const int x = point.x;
    const int y = point.y;
    if (!enabled) {
        const CTKIconHandle& disabled = icon->GetDisabledImage();
        if (!m_bNoEmbossedDisabled) {
            const CIconImage& normal = icon->GetNormalImage().GetIcon();
            CBrush light(LookupColor(kLight));
            CBrush shadow(LookupColor(kShadow));
            dc->DrawState(CPoint(x + 1, y + 1), size, normal, DSS_MONO, &light);
            dc->DrawState(CPoint(x, y), size, normal, DSS_MONO, &shadow);
            return;
        }
        icon->DrawImage(dc, x, y, disabled, size.cx, size.cy);
        return;
    }
    if ((selected && pressed) || pressed == kTKPressedExecuting) {
        icon->DrawImage(dc, x + 1, y + 1, icon->GetHotOrNormalImage(), size.cx, size.cy);
        return;
    }
    if (selected || checked) {
        if (m_bHotIconShadow) {
            icon->DrawImage(dc, x + 1, y + 1, icon->GetShadowImage(), size.cx, size.cy);
            icon->DrawImage(dc, x - 1, y - 1, icon->GetHotOrNormalImage(), size.cx, size.cy);
            return;
        }
        icon->DrawImage(dc, x, y, icon->GetHotOrNormalImage(), size.cx, size.cy);
        return;
    }
    icon->DrawImage(dc, x, y, m_bFadedIcons ? icon->GetFadedImage() : icon->GetNormalImage(), size.cx, size.cy);
}

void CTKBarRendererClassic::DrawTextLine(CDC* dc, const std::string& text, CRect* rect, UINT format, BOOL draw,
                                         BOOL selected, BOOL enabled)
{
    if (!draw) {
        dc->DrawText(text, rect, DT_CALCRECT | DT_SINGLELINE | DT_VCENTER);
        return;
    }
    if (!enabled && !selected) {
        const COLORREF color = dc->SetTextColor(LookupColor(kLight));
        CRect shifted = *rect;
        shifted.OffsetRect(1, 1);
        dc->DrawText(text, &shifted, format | DT_SINGLELINE | DT_VCENTER);
        dc->SetTextColor(color);
    }
    dc->DrawText(text, rect, format | DT_SINGLELINE | DT_VCENTER);
}

void CTKBarRendererClassic::DrawBoxLabel(CDC* dc, CTKControl* control, int labelWidth)
{
    // A label in a menu starts after the icon column.
    constexpr int kLabelLeft = 2;
    constexpr int kPopupLabelLeft = 22;
    const CRect rc = control->GetRect();
    const BOOL enabled = control->GetEnabled();
    CTKDCSelectGuard font(dc, &m_fontIconTitle);
    CRect label(rc.left + (IsInPopupBar(control) ? kPopupLabelLeft : kLabelLeft), rc.top, rc.left + labelWidth,
                rc.bottom);
    dc->SetTextColor(LookupColor(enabled ? kText : kGrayText));
    DrawTextLine(dc, control->GetDisplayCaption(), &label, 0, TRUE, control->GetSelected() != kTKSelectedNone, enabled);
}

void CTKBarRendererClassic::DrawControlEdit(CSize* out, CDC* dc, CTKControlEdit* control, BOOL draw)
{
    int labelWidth = 0;
    *out = MeasureBoxControl(control, control->GetWidth(), control->GetShowLabel(), &labelWidth);
    if (!draw) {
        control->SetLabelWidth(labelWidth);
        return;
    }
    *out = CSize();
    const BOOL enabled = control->GetEnabled();
    dc->SetBkMode(TRANSPARENT);
    if (IsInPopupBar(control) || control->GetShowLabel())
        DrawBoxLabel(dc, control, control->GetLabelWidth());
    const CRect field = GetBoxField(control, control->GetLabelWidth());
    if (enabled) {
        dc->FillSolidRect(field, LookupColor(kWindow));
        Draw3dRectIndexed(dc, field, kShadow, kLight);
        return;
    }
    const UINT frame = control->GetSelected() == kTKSelectedKeyboard ? kShadow : kLight;
    Draw3dRectIndexed(dc, field, frame, frame);
}

void CTKBarRendererClassic::DrawControlComboBox(CSize* out, CDC* dc, CTKControlComboBox* control, BOOL draw)
{
    *out = MeasureComboBox(control);
    if (!draw)
        return;
    *out = CSize();
    dc->SetBkMode(TRANSPARENT);
    if (IsInPopupBar(control) || control->GetShowLabel())
        DrawBoxLabel(dc, control, control->GetLabelWidth());
    const CRect field = GetBoxField(control, control->GetLabelWidth());
    if (!control->GetEnabled()) {
        const UINT frame = control->GetSelected() == kTKSelectedKeyboard ? kShadow : kLight;
        Draw3dRectIndexed(dc, field, frame, frame);
    } else {
        FillRectIndexed(dc, field, kWindow, kWindow);
        Draw3dRectIndexed(dc, field, kShadow, kLight);
        DrawComboText(dc, control);
        // The button reaches one pixel further left and stays one pixel in elsewhere.
        CRect button = GetComboButton(control);
        button.left -= 1;
        button.top += 1;
        button.right -= 1;
        button.bottom -= 1;
        FillRectIndexed(dc, button, kFace, kFace);
        if (control->IsListDropped()) {
            Draw3dRectIndexed(dc, button, kShadow, kShadow);
        } else {
            Draw3dRectIndexed(dc, button, kFace, kBlack);
            button.DeflateRect(1, 1);
            Draw3dRectIndexed(dc, button, kLight, kShadow);
        }
    }
    DrawComboArrow(dc, control, LookupColor(kText));
}

void CTKBarRendererClassic::DrawControlPopupParent(CSize* out, CDC* dc, CTKControl* control, BOOL draw)
{
    const int lineHeight = GetPopupLineHeight();
    const std::string caption = control->GetDisplayCaption();
    const std::string& shortcut = control->GetShortcutText();
    if (!draw) {
        CRect captionRect;
        CRect shortcutRect;
        DrawTextLine(dc, caption, &captionRect, 0, FALSE, FALSE, TRUE);
        if (!shortcut.empty())
            DrawTextLine(dc, shortcut, &shortcutRect, 0, FALSE, FALSE, TRUE);
        *out = CSize(captionRect.Width() + shortcutRect.Width() + kMenuItemExtra,
                     std::max(lineHeight - 4, kMenuItemMinHeight));
        return;
    }
    *out = CSize();
    const CRect rc = control->GetRect();
    const BOOL enabled = control->GetEnabled();
    const BOOL selected = control->GetSelected() != kTKSelectedNone;
    const int type = control->GetType();
    if (control->GetHideFlags() & kTKHideExpand)
        dc->FillSolidRect(rc, LookupColor(kExpandedOnly));
    const CRect column(rc.left, rc.top, rc.left + kIconColumn, rc.bottom);
    const int boxTop = rc.top + (rc.Height() - kIconColumn) / 2;
    const CRect box(rc.left, boxTop, rc.left + kIconColumn, boxTop + kIconColumn);

    const COLORREF textColor = LookupColor(enabled ? (selected ? kHighlightText : kText) : kGrayText);
    const BOOL splitActive = type == kTKControlSplitButtonPopup && enabled;
    if (selected)
        FillRectIndexed(dc, CRect(rc.left + 21, rc.top, splitActive ? rc.right - kSplitArrowPart : rc.right, rc.bottom),
                        kHighlight, kHighlight);

    CTKCommandIcon* icon = control->GetStyle() != kTKStyleCaption ? control->GetIcon(kMenuIconWidth) : nullptr;
    if (icon) {
        DrawRectangle(dc, column, selected, FALSE, enabled, control->GetChecked(), FALSE, FALSE, kTKPositionPopup);
        const CPoint at(box.left + (kIconColumn - kMenuIconWidth) / 2, box.top + (kIconColumn - icon->GetHeight()) / 2);
        DrawImage(dc, at, CSize(kMenuIconWidth, 0), icon, selected, FALSE, enabled, control->GetChecked(), FALSE, FALSE);
    } else if (control->GetChecked()) {
        DrawRectangle(dc, column, selected, FALSE, enabled, TRUE, FALSE, FALSE, kTKPositionPopup);
        DrawCheckMark(dc, box, RGB(0, 0, 0));
    }

    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(textColor);
    const int m = (rc.top + rc.bottom) / 2;
    if (IsPopupType(type)) {
        COLORREF arrow = textColor;
        if (splitActive) {
            const BOOL open = control->GetParent() && control->GetParent()->GetPopupedIndex() == control->GetIndex();
            if (open && selected) {
                Draw3dRectIndexed(dc, CRect(rc.right - kSplitArrowPart, rc.top, rc.right, rc.bottom), kShadow, kLight);
                arrow = LookupColor(kText);
            } else {
                DrawLineIndexed(dc, rc.right - kSplitArrowPart, rc.top + 1, rc.right - kSplitArrowPart, rc.bottom - 1,
                                selected ? kShadow : kText);
            }
        }
        DrawFilledTriangle(dc, rc.right - 11, m - 3, rc.right - 8, m, rc.right - 11, m + 3, arrow);
    }
    CRect captionRect(rc.left + 24, rc.top, rc.right, rc.bottom);
    DrawTextLine(dc, caption, &captionRect, DT_END_ELLIPSIS, TRUE, selected, enabled);
    if (type == kTKControlButton && !shortcut.empty()) {
        CRect shortcutRect(rc.left + 28, rc.top, rc.right - 19, rc.bottom);
        DrawTextLine(dc, shortcut, &shortcutRect, DT_RIGHT, TRUE, selected, enabled);
    }
}
