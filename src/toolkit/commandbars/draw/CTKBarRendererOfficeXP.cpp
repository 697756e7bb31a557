#include "toolkit/commandbars/draw/CTKBarRendererOfficeXP.h"

#include "platform/CDC.h"
#include "platform/ui/CWnd.h"
#include "toolkit/commandbars/CTKCommandBar.h"
#include "toolkit/commandbars/CTKControl.h"
#include "toolkit/commandbars/CTKControlComboBox.h"
#include "toolkit/commandbars/CTKControlEdit.h"
#include "toolkit/commandbars/CTKControlPopup.h"
#include "toolkit/commandbars/CTKPopupBar.h"
#include "toolkit/commandbars/draw/CTKDCBrushGuard.h"
#include "toolkit/commandbars/draw/CTKDCPenGuard.h"
#include "toolkit/commandbars/draw/CTKDCSelectGuard.h"
#include "toolkit/commandbars/images/CTKCommandIcon.h"

#include <algorithm>

namespace {

// Colour-table entries.
constexpr UINT kFieldFill = 5;
constexpr UINT kFace = 15;
constexpr UINT kShadow = 16;
constexpr UINT kLight = 20;
constexpr UINT kBarBack = 30;
constexpr UINT kHotFill = 31;
constexpr UINT kHotBorder = 32;
constexpr UINT kPressedFill = 33;
constexpr UINT kDisabledText = 35;
constexpr UINT kCheckedFill = 36;
constexpr UINT kCheckedHotBorder = 37;
constexpr UINT kGripper = 38;
constexpr UINT kSeparator = 39;
constexpr UINT kDisabled = 40;
constexpr UINT kPopupBack = 41;
constexpr UINT kExpandedColumn = 42;
constexpr UINT kFrame = 43;
constexpr UINT kMenuText = 44;
constexpr UINT kSelectedText = 45;
constexpr UINT kBarText = 46;
constexpr UINT kPressedText = 47;
constexpr UINT kCheckedBorder = 50;
constexpr UINT kPopupFieldFrame = 53;

constexpr UINT kNoBorders = 0x0100;
constexpr UINT kPaneDisabled = 0x04000000;

constexpr int kMinCaptionHeight = 15;
constexpr int kIconBox = 20;
constexpr int kMenuIconWidth = 16;
constexpr int kMenuItemExtra = 44;
constexpr int kMenuItemMinHeight = 22;
constexpr int kSplitArrowPart = 20;
constexpr int kTearOffHeight = 9;
constexpr int kTearOffGripHalf = 16;

BOOL IsPopupType(int type)
{
    return type == kTKControlPopup || type == kTKControlButtonPopup || type == kTKControlSplitButtonPopup;
}

BOOL IsVerticalDock(int position)
{
    return position == kTKPositionLeft || position == kTKPositionRight;
}

} // namespace

CTKBarRendererOfficeXP::CTKBarRendererOfficeXP()
{
    m_bFadedIcons = TRUE;
    m_bHotIconShadow = TRUE;
    RefreshMetrics();
}

void CTKBarRendererOfficeXP::DrawGradientBand(CDC* dc, int x, int y, int cx, int cy, BOOL expandedOnly)
{
    dc->FillSolidRect(CRect(x, y, x + cx, y + cy), LookupColor(expandedOnly ? kExpandedColumn : kBarBack));
}

void CTKBarRendererOfficeXP::DrawRectangle(CDC* dc, CRect rect, BOOL selected, BOOL pressed, BOOL enabled,
                                           BOOL checked, BOOL popuped, BOOL inToolbar, int)
{
    if (!enabled) {
        if (checked && !inToolbar)
            FillRectIndexed(dc, rect, kDisabled, kBarBack);
        if (selected == kTKSelectedKeyboard)
            FillRectIndexed(dc, rect, kHotBorder, inToolbar ? kHotFill : kPopupBack);
        return;
    }
    if (popuped) {
        FillRectIndexed(dc, rect, kFrame, kBarBack);
        return;
    }
    if (checked && !selected && !pressed) {
        FillRectIndexed(dc, rect, kCheckedBorder, kCheckedFill);
        return;
    }
    if (checked && selected && !pressed) {
        FillRectIndexed(dc, rect, kCheckedHotBorder, kPressedFill);
        return;
    }
    if (pressed == kTKPressedExecuting || (selected && pressed)) {
        FillRectIndexed(dc, rect, kCheckedBorder, kPressedFill);
        return;
    }
    if (selected || pressed)
        FillRectIndexed(dc, rect, kHotBorder, kHotFill);
}

void CTKBarRendererOfficeXP::DrawControlState(CDC* dc, CRect rect, BOOL enabled, BOOL selected, BOOL pressed,
                                              BOOL checked, BOOL popuped, int barPosition)
{
    DrawRectangle(dc, rect, selected, pressed, enabled, checked, popuped, TRUE, barPosition);
    UINT text = kBarText;
    if (!enabled)
        text = kDisabled;
    else if (popuped)
        text = kBarText;
    else if (pressed == kTKPressedExecuting || (selected && (pressed || checked)))
        text = kPressedText;
    else if (selected || pressed || checked)
        text = kSelectedText;
    dc->SetTextColor(LookupColor(text));
    dc->SetBkMode(TRANSPARENT);
}

void CTKBarRendererOfficeXP::DrawPopupConnection(CDC* dc, CTKCommandBar* popup, COLORREF color) const
{
    auto* popupBar = dynamic_cast<CTKPopupBar*>(popup);
    CTKControl* control = popupBar ? popupBar->GetParentControl() : nullptr;
    CTKCommandBar* owner = control ? control->GetParent() : nullptr;
    if (!owner || !owner->IsWindow() || !popup->IsWindow())
        return;
    CRect ownerWindow;
    owner->GetWindowRect(&ownerWindow);
    CRect controlRect = control->GetRect();
    controlRect.OffsetRect(ownerWindow.left, ownerWindow.top);
    CRect popupWindow;
    popup->GetWindowRect(&popupWindow);
    CRect joint;
    if (!joint.IntersectRect(controlRect, popupWindow))
        return;
    joint.OffsetRect(-popupWindow.left, -popupWindow.top);
    if (joint.Width() > 1)
        joint.DeflateRect(1, 0);
    if (joint.Height() > 1)
        joint.DeflateRect(0, 1);
    dc->FillSolidRect(joint, color);
}

void CTKBarRendererOfficeXP::FillCommandBarEntry(CDC* dc, CTKCommandBar* bar)
{
    CRect client;
    bar->GetClientRect(&client);
    const int position = bar->GetPosition();
    if (position == kTKPositionFloating) {
        const COLORREF frame = LookupColor(kFrame);
        CTKDCPenGuard pen(dc, frame);
        CTKDCBrushGuard brush(dc, LookupColor(bar->GetType() == kTKBarMenu ? kFace : kBarBack));
        dc->Rectangle(client);
        client.DeflateRect(1, 1);
        dc->Rectangle(client);
        dc->SetPixel(2, 2, frame);
        dc->SetPixel(client.right - 1, 2, frame);
        dc->SetPixel(2, client.bottom - 1, frame);
        dc->SetPixel(client.right - 1, client.bottom - 1, frame);
        return;
    }
    if (bar->GetType() == kTKBarMenu) {
        dc->FillSolidRect(client, LookupColor(kFace));
        return;
    }
    if (position == kTKPositionPopup) {
        FillRectIndexed(dc, client, kFrame, kPopupBack);
        if (bar->GetType() == kTKBarPopup)
            DrawGradientBand(dc, 1, 2, m_nPopupLineHeight + 5, client.bottom - 4, FALSE);
        DrawPopupConnection(dc, bar, LookupColor(kBarBack));
        return;
    }
    dc->FillSolidRect(client, LookupColor(kBarBack));
    Draw3dRectIndexed(dc, client, kFace, kFace);
    const COLORREF face = LookupColor(kFace);
    dc->SetPixel(1, 1, face);
    dc->SetPixel(client.right - 2, 1, face);
    dc->SetPixel(1, client.bottom - 2, face);
    dc->SetPixel(client.right - 2, client.bottom - 2, face);
}

void CTKBarRendererOfficeXP::DrawFloatingCaption(CSize* out, CDC* dc, CTKCommandBar* bar, BOOL draw,
                                                 COLORREF fill) const
{
    CRect client;
    bar->GetClientRect(&client);
    const int height = std::max(MeasureText(&m_fontSmCaption, " ").cy, kMinCaptionHeight) + 3;
    *out = CSize(client.Width(), height);
    if (!draw)
        return;
    dc->FillSolidRect(CRect(3, 3, client.right - 3, height), fill);
    CTKDCSelectGuard font(dc, &m_fontSmCaption);
    dc->SetTextColor(LookupColor(kLight));
    dc->SetBkMode(TRANSPARENT);
    CRect title(5, 3, client.right - 2 * height, height);
    dc->DrawText(bar->GetBarTitle(), &title, DT_SINGLELINE | DT_VCENTER);
}

void CTKBarRendererOfficeXP::DrawCommandBarGripper(CSize* out, CDC* dc, CTKCommandBar* bar, BOOL draw)
{
    CRect client;
    bar->GetClientRect(&client);
    *out = CSize();
    const int position = bar->GetPosition();
    if (position == kTKPositionTop || position == kTKPositionBottom) {
        *out = CSize(6, 0);
        if (!draw || client.Height() - 5 <= 5)
            return;
        CTKDCPenGuard pen(dc, LookupColor(kGripper));
        for (int y = 5; y < client.Height() - 5; y += 2)
            DrawLine(dc, 3, y, 6, y);
        return;
    }
    if (IsVerticalDock(position)) {
        *out = CSize(0, 8);
        if (!draw)
            return;
        CTKDCPenGuard pen(dc, LookupColor(kGripper));
        for (int x = 5; x < client.Width() - 5; x += 2)
            DrawLine(dc, x, 3, x, 6);
        return;
    }
    if (position == kTKPositionFloating)
        DrawFloatingCaption(out, dc, bar, draw, LookupColor(kShadow));
}

void CTKBarRendererOfficeXP::DrawCommandBarSeparator(CSize* out, CDC* dc, CTKCommandBar* bar, CTKControl* control,
                                                     BOOL draw)
{
    if (!draw) {
        *out = CSize(0, 3);
        return;
    }
    *out = CSize();
    CTKDCPenGuard pen(dc, LookupColor(kSeparator));
    const CRect& row = control->GetRowRect();
    const CRect& rc = control->GetRect();
    if (bar->GetType() == kTKBarPopup) {
        CRect client;
        bar->GetClientRect(&client);
        const int left = control->GetRendererFlag() ? 2 * m_nPopupLineHeight + 18 : m_nPopupLineHeight + 14;
        DrawLine(dc, left, rc.top - 2, client.right - 1, rc.top - 2);
        return;
    }
    if (!IsVerticalDock(bar->GetPosition())) {
        if (control->GetRowStart())
            DrawLine(dc, row.left + 4, row.top - 4, row.right, row.top - 4);
        else
            DrawLine(dc, rc.left - 4, row.top, rc.left - 4, row.bottom);
        return;
    }
    if (control->GetRowStart())
        DrawLine(dc, row.right + 2, row.top + 4, row.right + 2, row.bottom);
    else
        DrawLine(dc, row.left, rc.top - 4, row.right, rc.top - 4);
}

void CTKBarRendererOfficeXP::AdjustExcludeRect(CRect& rect, CTKControl* control)
{
    CTKCommandBar* bar = control->GetParent();
    if (bar && bar->GetType() == kTKBarPopup) {
        rect.InflateRect(1, 0);
        return;
    }
    if (control->GetType() == kTKControlComboBox)
        return;
    const int position = bar ? bar->GetPosition() : kTKPositionNone;
    if (IsVerticalDock(position) || position == kTKPositionPopup)
        rect.DeflateRect(1, 0);
    else
        rect.DeflateRect(0, 1);
}

void CTKBarRendererOfficeXP::DrawStatusBarPane(CDC* dc, CRect* rect, UINT paneStyle, const std::string& text)
{
    if (!(paneStyle & kNoBorders))
        Draw3dRectIndexed(dc, *rect, kShadow, kShadow);
    if (paneStyle & kPaneDisabled)
        return;
    CRect textRect = *rect;
    textRect.DeflateRect(2, 1);
    dc->SetBkMode(TRANSPARENT);
    dc->DrawText(text, &textRect, DT_SINGLELINE | DT_VCENTER);
}

void CTKBarRendererOfficeXP::DrawTearOffTitle(CSize* out, CDC* dc, CRect rect, BOOL selected, BOOL draw)
{
    *out = CSize(0, kTearOffHeight);
    if (!draw)
        return;
    const CRect strip(1, 1, rect.right + 1, rect.Height() + 1);
    dc->FillSolidRect(strip, LookupColor(kPopupBack));
    CRect inner = strip;
    inner.DeflateRect(1, 1);
    if (selected)
        FillRectIndexed(dc, inner, kHotBorder, kHotFill);
    else
        dc->FillSolidRect(inner, LookupColor(kBarBack));
    const int d = std::min(rect.Width() / 2 - 10, kTearOffGripHalf);
    if (d <= 0)
        return;
    const int centre = (inner.left + inner.right) / 2;
    CTKDCPenGuard pen(dc, LookupColor(selected ? kSelectedText : kGripper));
    if (selected) {
        for (int y : {4, 6})
            DrawLine(dc, centre - d, y, centre + d, y);
        return;
    }
    for (int y : {3, 5, 7})
        DrawLine(dc, centre - d, y, centre + d, y);
}

void CTKBarRendererOfficeXP::DrawImage(CDC* dc, CPoint point, CSize size, CTKCommandIcon* icon, BOOL selected,
                                       BOOL pressed, BOOL enabled, BOOL checked, BOOL popuped, BOOL)
{
    if (!icon)
        return;
    const int x = point.x;
    const int y = point.y;
    if (!enabled) {
        if (!icon->HasOwnDisabledImage() && !m_bNoEmbossedDisabled) {
            CBrush silhouette(LookupColor(kDisabled));
            dc->DrawState(point, size, icon->GetNormalImage().GetIcon(), DSS_MONO, &silhouette);
            return;
        }
        icon->DrawImage(dc, x, y, icon->GetDisabledImage(), size.cx, size.cy);
        return;
    }
    if (checked) {
        icon->DrawImage(dc, x, y, (selected || pressed) ? icon->GetHotOrNormalImage() : icon->GetNormalImage(),
                        size.cx, size.cy);
        return;
    }
    if (popuped) {
        icon->DrawImage(dc, x, y, icon->GetNormalImage(), size.cx, size.cy);
        return;
    }
    if ((selected && pressed) || pressed == kTKPressedExecuting) {
        icon->DrawImage(dc, x, y, icon->GetHotOrNormalImage(), size.cx, size.cy);
        return;
    }
    if (selected || pressed) {
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

void CTKBarRendererOfficeXP::DrawBoxLabel(CDC* dc, CTKControl* control, int labelWidth)
{
    constexpr int kLabelLeft = 2;
    constexpr int kPopupLabelGap = 12;
    const CRect rc = control->GetRect();
    const BOOL enabled = control->GetEnabled();
    const BOOL selected = control->GetSelected() != kTKSelectedNone;
    const BOOL inPopup = IsInPopupBar(control);
    COLORREF color = LookupColor(enabled ? kBarText : kDisabled);
    if (inPopup) {
        if (selected) {
            const CTKCommandBar* bar = control->GetParent();
            DrawRectangle(dc, rc, TRUE, FALSE, enabled, FALSE, FALSE, FALSE, bar->GetPosition());
        }
        color = LookupColor(!enabled ? kDisabledText : selected ? kSelectedText : kMenuText);
    }
    CTKDCSelectGuard font(dc, &m_fontIconTitle);
    const int left = inPopup ? rc.left + GetPopupLineHeight() + kPopupLabelGap : rc.left + kLabelLeft;
    CRect label(left, rc.top, rc.left + labelWidth, rc.bottom);
    dc->SetTextColor(color);
    dc->DrawText(control->GetDisplayCaption(), &label, DT_SINGLELINE | DT_VCENTER);
}

void CTKBarRendererOfficeXP::DrawControlEdit(CSize* out, CDC* dc, CTKControlEdit* control, BOOL draw)
{
    int labelWidth = 0;
    *out = MeasureBoxControl(control, control->GetWidth(), control->GetShowLabel(), &labelWidth);
    if (!draw) {
        control->SetLabelWidth(labelWidth);
        return;
    }
    *out = CSize();
    const BOOL inPopup = IsInPopupBar(control);
    dc->SetBkMode(TRANSPARENT);
    if (inPopup || control->GetShowLabel())
        DrawBoxLabel(dc, control, control->GetLabelWidth());
    CRect field = control->GetRect();
    field.left += control->GetLabelWidth();
    field.DeflateRect(1, 1);
    if (!control->GetEnabled()) {
        FillRectIndexed(dc, field, control->GetSelected() == kTKSelectedKeyboard ? kHotBorder : kDisabled, kFace);
        return;
    }
    if (control->GetSelected() != kTKSelectedNone)
        FillRectIndexed(dc, field, kHotBorder, kFieldFill);
    else if (inPopup)
        FillRectIndexed(dc, field, kPopupFieldFrame, kFieldFill);
    else
        FillRectIndexed(dc, field, kFieldFill, kFieldFill);
}

void CTKBarRendererOfficeXP::DrawControlComboBox(CSize* out, CDC* dc, CTKControlComboBox* control, BOOL draw)
{
    *out = MeasureComboBox(control);
    if (!draw)
        return;
    *out = CSize();
    const BOOL inPopup = IsInPopupBar(control);
    const BOOL enabled = control->GetEnabled();
    const BOOL selected = control->GetSelected() != kTKSelectedNone;
    const BOOL dropped = control->IsListDropped();
    dc->SetBkMode(TRANSPARENT);
    if (inPopup || control->GetShowLabel())
        DrawBoxLabel(dc, control, control->GetLabelWidth());
    const CRect field = GetBoxField(control, control->GetLabelWidth());
    const CRect button = GetComboButton(control);
    if (!enabled) {
        FillRectIndexed(dc, field, control->GetSelected() == kTKSelectedKeyboard ? kHotBorder : kDisabled, kFace);
        DrawComboArrow(dc, control, LookupColor(kDisabled));
        return;
    }
    FillRectIndexed(dc, field, kFieldFill, kFieldFill);
    if (selected) {
        FillRectIndexed(dc, field, kHotBorder, kFieldFill);
        FillRectIndexed(dc, button, kHotBorder, dropped ? kPressedFill : kHotFill);
    } else {
        CRect inner = button;
        inner.DeflateRect(1, 1);
        if (inPopup) {
            FillRectIndexed(dc, field, kPopupFieldFrame, kFieldFill);
            FillRectIndexed(dc, inner, kFieldFill, kPopupFieldFrame);
        } else {
            FillRectIndexed(dc, inner, kFieldFill, kFieldFill);
        }
    }
    DrawComboText(dc, control);
    const UINT arrow = dropped ? kPressedText : selected ? kSelectedText : kBarText;
    DrawComboArrow(dc, control, LookupColor(arrow));
}

void CTKBarRendererOfficeXP::DrawControlPopupParent(CSize* out, CDC* dc, CTKControl* control, BOOL draw)
{
    const int h = m_nPopupLineHeight;
    const std::string caption = control->GetDisplayCaption();
    const std::string& shortcut = control->GetShortcutText();
    if (!draw) {
        CRect captionRect;
        CRect shortcutRect;
        dc->DrawText(caption, &captionRect, DT_CALCRECT | DT_SINGLELINE | DT_VCENTER);
        if (!shortcut.empty())
            dc->DrawText(shortcut, &shortcutRect, DT_CALCRECT | DT_SINGLELINE | DT_VCENTER);
        *out = CSize(captionRect.Width() + shortcutRect.Width() + h + kMenuItemExtra, std::max(h, kMenuItemMinHeight));
        return;
    }
    *out = CSize();
    const CRect rc = control->GetRect();
    const BOOL enabled = control->GetEnabled();
    const BOOL selected = control->GetSelected() != kTKSelectedNone;
    const BOOL checked = control->GetChecked();
    const int type = control->GetType();
    if (control->GetHideFlags() & kTKHideExpand)
        DrawGradientBand(dc, 1, rc.top, h + 5, rc.Height(), TRUE);
    DrawRectangle(dc, rc, control->GetSelected(), FALSE, enabled, FALSE, FALSE, FALSE, kTKPositionPopup);

    const int m = (rc.top + rc.bottom) / 2;
    const CRect box(rc.left + (h + 4) / 2 - kIconBox / 2, m - kIconBox / 2, rc.left + (h + 4) / 2 + kIconBox / 2,
                    m + kIconBox / 2);
    if (checked && enabled)
        DrawRectangle(dc, box, selected, FALSE, enabled, TRUE, FALSE, FALSE, kTKPositionPopup);
    const int style = control->GetStyle();
    const BOOL showsImage = style == kTKStyleIcon || style == kTKStyleIconAndCaption ||
                            (style == kTKStyleAutomatic && !IsPopupType(type) && type != kTKControlPopup);
    CTKCommandIcon* icon = showsImage ? control->GetIcon(kMenuIconWidth) : nullptr;
    if (icon) {
        const CPoint at(box.left + 2, box.top + (kIconBox - icon->GetHeight()) / 2);
        DrawImage(dc, at, CSize(kMenuIconWidth, icon->GetHeight()), icon, selected, FALSE, enabled, checked, FALSE,
                  FALSE);
    } else if (checked) {
        DrawCheckMark(dc, box, RGB(0, 0, 0));
    }

    const COLORREF textColor = LookupColor(!enabled ? kDisabledText : (selected ? kSelectedText : kMenuText));
    dc->SetTextColor(textColor);
    dc->SetBkMode(TRANSPARENT);
    if (IsPopupType(type)) {
        COLORREF arrow = textColor;
        if (type == kTKControlSplitButtonPopup && enabled) {
            const BOOL open = control->GetParent() && control->GetParent()->GetPopupedIndex() == control->GetIndex();
            if (open && selected) {
                FillRectIndexed(dc, CRect(rc.right - kSplitArrowPart, rc.top, rc.right, rc.bottom), kHotBorder,
                                kPressedFill);
                arrow = LookupColor(kPressedText);
            } else {
                DrawLineIndexed(dc, rc.right - kSplitArrowPart, rc.top + 1, rc.right - kSplitArrowPart, rc.bottom - 1,
                                selected ? kHotBorder : kShadow);
            }
        }
        DrawFilledTriangle(dc, rc.right - 11, m - 3, rc.right - 8, m, rc.right - 11, m + 3, arrow);
    }
    CRect captionRect(rc.left + h + 12, rc.top, rc.right, rc.bottom);
    dc->DrawText(caption, &captionRect, DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER);
    if (type == kTKControlButton && !shortcut.empty()) {
        CRect shortcutRect(rc.left + h + 12, rc.top, rc.right - 19, rc.bottom);
        dc->DrawText(shortcut, &shortcutRect, DT_RIGHT | DT_SINGLELINE | DT_VCENTER);
    }
}

void CTKBarRendererOfficeXP::DrawMenuEntry(CSize* out, CDC* dc, CTKControl* control, BOOL draw)
{
    const int h = m_nPopupLineHeight;
    if (!draw) {
        DrawControlPopupParent(out, dc, control, FALSE);
        out->cx += h + 4;
        return;
    }
    *out = CSize();
    const CRect rc = control->GetRect();
    const BOOL enabled = control->GetEnabled();
    const BOOL selected = control->GetSelected() != kTKSelectedNone;
    const int lift = control->GetRendererFlag() ? 3 : 0;
    dc->FillSolidRect(CRect(h + 5, rc.top - lift, 2 * h + 9, rc.bottom), LookupColor(kBarBack));
    DrawRectangle(dc, rc, control->GetSelected(), FALSE, enabled, FALSE, FALSE, FALSE, kTKPositionPopup);
    const int m = (rc.top + rc.bottom) / 2;
    const int secondColumn = h + 5 + (h + 4) / 2;
    const CRect iconBox(secondColumn - kIconBox / 2, m - kIconBox / 2, secondColumn + kIconBox / 2, m + kIconBox / 2);
    if (CTKCommandIcon* icon = control->GetIcon(kMenuIconWidth)) {
        const CPoint at(iconBox.left + 2, iconBox.top + (kIconBox - icon->GetHeight()) / 2);
        DrawImage(dc, at, CSize(kMenuIconWidth, icon->GetHeight()), icon, selected, FALSE, enabled,
                  control->GetChecked(), FALSE, FALSE);
    }
    if (control->GetChecked()) {
        const int first = rc.left + (h + 4) / 2;
        const CRect checkBox(first - kIconBox / 2, m - kIconBox / 2, first + kIconBox / 2, m + kIconBox / 2);
        DrawRectangle(dc, checkBox, selected, FALSE, enabled, TRUE, FALSE, FALSE, kTKPositionPopup);
        DrawCheckMark(dc, checkBox, enabled ? RGB(0, 0, 0) : LookupColor(kDisabled));
    }
    dc->SetTextColor(LookupColor(!enabled ? kDisabledText : (selected ? kSelectedText : kMenuText)));
    dc->SetBkMode(TRANSPARENT);
    CRect captionRect(rc.left + 2 * h + 16, rc.top, rc.right, rc.bottom);
    dc->DrawText(control->GetDisplayCaption(), &captionRect, DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER);
    if (!control->GetShortcutText().empty()) {
        CRect shortcutRect(rc.left + 2 * h + 16, rc.top, rc.right - 19, rc.bottom);
        dc->DrawText(control->GetShortcutText(), &shortcutRect, DT_RIGHT | DT_SINGLELINE | DT_VCENTER);
    }
}

void CTKBarRendererOfficeXP::DrawSpecialControl(CSize* out, CDC* dc, int kind, CTKControl* control,
                                                CTKCommandBar* bar, BOOL draw, void* param)
{
    if (kind == kTKSpecialMenuEntry && control) {
        DrawMenuEntry(out, dc, control, draw);
        return;
    }
    CTKBarRenderer::DrawSpecialControl(out, dc, kind, control, bar, draw, param);
}

void CTKBarRendererOfficeXP::DrawListBoxControl(CSize* out, CDC* dc, CTKControl* control, CRect rect, BOOL selected,
                                                BOOL draw)
{
    constexpr int kRowMinHeight = 22;
    constexpr int kCaptionGap = 12;
    constexpr int kFieldGap = 17;
    constexpr UINT kRowFormat = DT_END_ELLIPSIS | DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER;
    const int h = m_nPopupLineHeight;
    // The list asks its row height without a control: a row of no height
    // would hide every command, so the empty row measures like the others.
    *out = CSize(0, std::max(h, kRowMinHeight));
    if (!draw || !dc)
        return;
    dc->FillSolidRect(rect, LookupColor(kPopupBack));
    DrawGradientBand(dc, 0, rect.top, h + 5, rect.Height(), FALSE);
    if (!control)
        return;
    if (selected)
        DrawRectangle(dc, rect, TRUE, FALSE, TRUE, FALSE, FALSE, FALSE, kTKPositionPopup);
    const int type = control->GetType();
    const int m = (rect.top + rect.bottom) / 2;
    const BOOL withImage = type == kTKControlButton || type == kTKControlButtonPopup
        || type == kTKControlSplitButtonPopup;
    if (CTKCommandIcon* icon = withImage ? control->GetIcon(kMenuIconWidth) : nullptr)
        DrawImage(dc, CPoint(rect.left + (h + 4) / 2 - 8, m - 7), CSize(kMenuIconWidth, icon->GetHeight()), icon,
                  selected, FALSE, TRUE, FALSE, FALSE, FALSE);
    CTKDCSelectGuard font(dc, &m_fontRegular);
    const std::string caption = ListCaption(control);
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(LookupColor(selected ? kSelectedText : kMenuText));
    CRect captionRect(rect.left + h + kCaptionGap, rect.top, rect.right, rect.bottom);
    dc->DrawText(caption, &captionRect, kRowFormat);
    if (type >= kTKControlPopup && type <= kTKControlSplitButtonPopup)
        DrawFilledTriangle(dc, rect.right - 7, m, rect.right - 12, m - 5, rect.right - 12, m + 5,
                           LookupColor(selected ? kSelectedText : kMenuText));
    if (type == kTKControlSplitButtonPopup)
        DrawLineIndexed(dc, rect.right - 20, rect.top, rect.right - 20, rect.bottom, selected ? kHotBorder : kShadow);
    if (type == kTKControlComboBox || type == kTKControlEdit) {
        const int left = rect.left + h + MeasureText(&m_fontRegular, caption).cx + kFieldGap;
        FillRectIndexed(dc, CRect(std::min(left, rect.right), rect.top, rect.right, rect.bottom),
                        selected ? kHotBorder : kFace, kFieldFill);
    }
}
