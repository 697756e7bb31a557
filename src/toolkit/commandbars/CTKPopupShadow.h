#pragma once
// The drop shadows of open popups: two strips per popup, one under it and
// one at its right, joined where the strips of nested popups meet and cut
// where they would cover a popup or the control the popup dropped from.

#include "platform/WinTypes.h"

#include <memory>
#include <vector>

class CWnd;
class CTKCommandBar;
class CTKControl;
class CTKShadowWnd;

class CTKPopupShadow {
public:
    CTKPopupShadow();
    ~CTKPopupShadow();
    CTKPopupShadow(const CTKPopupShadow&) = delete;
    CTKPopupShadow& operator=(const CTKPopupShadow&) = delete;

    // The shadows of the user-interface thread.
    static CTKPopupShadow& Get();

    // exclude: the screen rectangle of the control the popup dropped from,
    // which the shadow of a flat-style popup must not cover (may be null).
    void ShowShadow(CTKCommandBar* popup, const CRect* exclude);
    // The shadow of a control's open state, cast by its bar's window. A bar
    // has one open control at a time, so its strips are that control's.
    void ShowControlShadow(CTKControl* control);
    void RemoveControlShadow(CTKControl* control);
    void RemoveShadows(CWnd* owner);
    // Removes one strip (its owner's window is going).
    void RemoveShadow(CTKShadowWnd* shadow);

    int GetShadowCount() const { return static_cast<int>(m_shadows.size()); }
    CTKShadowWnd* GetShadow(int index) const;

private:
    void CreateShadow(BOOL bottom, BOOL flat, const CRect& popupRect, const CRect& exclude, CWnd* owner,
                      COLORREF color);

    std::vector<std::unique_ptr<CTKShadowWnd>> m_shadows;
};
