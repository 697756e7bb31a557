#include "toolkit/commandbars/CTKMenuBarSysMenuControl.h"

#include "platform/CDC.h"
#include "platform/ui/CResourceStore.h"
#include "platform/ui/CWnd.h"
#include "toolkit/commandbars/CTKCommandBar.h"
#include "toolkit/commandbars/CTKControls.h"
#include "toolkit/commandbars/CTKMenuBarMDIButton.h"
#include "toolkit/commandbars/CTKPopupBar.h"

IMPLEMENT_SERIAL(CTKMenuBarSysMenuControl, CTKControlPopup, 0x80000006)

namespace {

// System commands run from 0xF000 up to, not including, 0xF1F0.
constexpr UINT kFirstSystemCommand = 0xF000;
constexpr UINT kEndSystemCommand = 0xF1F0;
// The prompt of a system command is this string plus its number.
constexpr UINT kFirstSystemCommandPrompt = 0xEF00;
constexpr int kSystemCommandStep = 4;
// A system-menu item carries no command state of its own.
constexpr DWORD kSystemItemFlags = 0x08;

constexpr int kIconSize = kTKMDIControlSize;
constexpr DWORD kFrameColor = 0xFF404040;
constexpr DWORD kTitleColor = 0xFF0A246A;
constexpr DWORD kBodyColor = 0xFFFFFFFF;

// The program's own picture of a window: a frame, a blue title strip and a
// white body, for a child that has no icon.
CIconImage WindowPicture()
{
    CIconImage picture(kIconSize, kIconSize);
    picture.SetAlpha(TRUE);
    for (int y = 1; y < kIconSize - 1; ++y) {
        for (int x = 1; x < kIconSize - 1; ++x) {
            const BOOL edge = x == 1 || y == 1 || x == kIconSize - 2 || y == kIconSize - 2;
            picture.SetPixel(x, y, edge ? kFrameColor : (y < 5 ? kTitleColor : kBodyColor));
        }
    }
    return picture;
}

// A 16 by 16 copy of the icon, scaled by picking the nearest pixel.
CIconImage SmallCopy(const CIconImage& icon)
{
    if (icon.Width() == kIconSize && icon.Height() == kIconSize)
        return icon;
    CIconImage copy(kIconSize, kIconSize);
    copy.SetAlpha(icon.IsAlpha());
    for (int y = 0; y < kIconSize; ++y)
        for (int x = 0; x < kIconSize; ++x)
            copy.SetPixel(x, y, icon.GetPixel(x * icon.Width() / kIconSize, y * icon.Height() / kIconSize));
    return copy;
}

const CIconImage* AskIcon(CWnd* child, WPARAM kind)
{
    return reinterpret_cast<const CIconImage*>(child->SendMessage(WM_GETICON, kind));
}

} // namespace

CTKMenuBarSysMenuControl::CTKMenuBarSysMenuControl()
{
    SetFlags(GetFlags() | kTKMDISysMenuFlags);
}

CIconImage CTKMenuBarSysMenuControl::FindChildIcon(CWnd* child)
{
    if (!child)
        return WindowPicture();
    const CIconImage* icon = AskIcon(child, ICON_SMALL);
    if (!icon || icon->IsEmpty())
        icon = AskIcon(child, ICON_BIG);
    if (!icon || icon->IsEmpty())
        return WindowPicture();
    return SmallCopy(*icon);
}

void CTKMenuBarSysMenuControl::BuildFrom(const CMenu& systemMenu, CWnd* child)
{
    m_icon = FindChildIcon(child);
    m_systemMenu = systemMenu;
    FillPopup();
}

void CTKMenuBarSysMenuControl::FillPopup()
{
    CTKCommandBar* popup = GetCommandBar();
    if (!popup)
        return;
    CTKControls* controls = popup->GetControls();
    controls->RemoveAll();
    BOOL beginGroup = FALSE;
    for (int position = 0; position < m_systemMenu.GetMenuItemCount(); ++position) {
        const UINT id = m_systemMenu.GetMenuItemID(position);
        if (id == 0) {
            beginGroup = TRUE;
            continue;
        }
        CTKControl* control = nullptr;
        if (id < kFirstSystemCommand || id >= kEndSystemCommand) {
            control = controls->AddMenuItem(&m_systemMenu, position);
        } else {
            const UINT byPosition = static_cast<UINT>(position);
            control = controls->InsertControl(new CTKMenuBarMDIButton, id);
            control->SetFlags(control->GetFlags() | kSystemItemFlags);
            control->SetCaption(m_systemMenu.GetMenuString(byPosition, MF_BYPOSITION));
            std::string prompt;
            const UINT promptId = kFirstSystemCommandPrompt + ((id - kFirstSystemCommand) >> kSystemCommandStep);
            if (CResourceStore::Instance().FindString(promptId, &prompt))
                control->SetDescription(prompt);
            control->SetEnabled(!(m_systemMenu.GetMenuState(byPosition, MF_BYPOSITION) & (MF_DISABLED | MF_GRAYED)));
        }
        if (control && beginGroup)
            control->SetBeginGroup(TRUE);
        beginGroup = FALSE;
    }
}

CSize CTKMenuBarSysMenuControl::GetSize(CDC*)
{
    return CSize(kIconSize, kIconSize);
}

void CTKMenuBarSysMenuControl::Draw(CDC* dc)
{
    const CRect& rect = GetRect();
    dc->DrawIcon(rect.left, rect.top, m_icon, kIconSize, kIconSize);
}

void CTKMenuBarSysMenuControl::AdjustExcludeRect(CRect& rect)
{
    CTKControlPopup::AdjustExcludeRect(rect);
    rect.InflateRect(1, 1);
}
