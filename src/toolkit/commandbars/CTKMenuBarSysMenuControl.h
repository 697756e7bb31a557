#pragma once
// The first control of the menu bar while an MDI child is maximised: it
// shows the child's small icon and opens the child's system menu, whose
// system commands go back to the child.

#include "platform/CIconImage.h"
#include "platform/ui/CMenu.h"
#include "toolkit/commandbars/CTKControlPopup.h"

class CWnd;

constexpr UINT kTKMDISysMenuId = 9406;
// Added to its control flags: no command-state update, not customisable.
constexpr DWORD kTKMDISysMenuFlags = 0x18;

class CTKMenuBarSysMenuControl : public CTKControlPopup {
    DECLARE_SERIAL(CTKMenuBarSysMenuControl)
public:
    CTKMenuBarSysMenuControl();

    // Takes the child's icon and rebuilds the popup from the system menu.
    void BuildFrom(const CMenu& systemMenu, CWnd* child);
    // The system menu the popup was last built from.
    const CMenu& GetSystemMenu() const { return m_systemMenu; }
    const CIconImage& GetIconImage() const { return m_icon; }

    // The child's icon: its small icon, else its big one, else the
    // program's own window picture, always 16 by 16.
    static CIconImage FindChildIcon(CWnd* child);

    CSize GetSize(CDC* dc) override;
    void Draw(CDC* dc) override;
    void AdjustExcludeRect(CRect& rect) override;

private:
    void FillPopup();

    CMenu m_systemMenu;
    CIconImage m_icon;
};
