#pragma once
// The state of one command as its update handler sets it: enabled, check
// mark (0 none, 1 checked, 2 indeterminate), radio mark and text. Menus,
// toolbars and the status bar derive from it to show the state; the base
// keeps what the handler set, which is all a simple caller needs.

#include "platform/ui/WinMessages.h"

#include <string>

class CCmdTarget;

class CCmdUI {
public:
    CCmdUI() = default;
    explicit CCmdUI(UINT id) : m_nID(id) {}
    virtual ~CCmdUI() = default;

    virtual void Enable(BOOL on = TRUE);
    virtual void SetCheck(int check = 1);
    virtual void SetRadio(BOOL on = TRUE);
    virtual void SetText(const std::string& text);
    // Lets the routing offer the update to the next object as well.
    void ContinueRouting() { m_bContinueRouting = TRUE; }

    // Asks the target's routing for the update handler of m_nID. When none
    // sets the enabled state and disableIfNoHandler is set, the command is
    // enabled exactly when some object of the route has a handler for it.
    BOOL DoUpdate(CCmdTarget* target, BOOL disableIfNoHandler);

    BOOL IsEnabled() const { return m_bEnabled; }
    int GetCheck() const { return m_nCheck; }
    BOOL IsRadio() const { return m_bRadio; }
    const std::string& GetText() const { return m_strText; }
    BOOL IsTextSet() const { return m_bTextChanged; }

    UINT m_nID = 0;
    UINT m_nIndex = 0;
    CCmdTarget* m_pOther = nullptr;
    BOOL m_bEnableChanged = FALSE;
    BOOL m_bContinueRouting = FALSE;

private:
    BOOL m_bEnabled = TRUE;
    int m_nCheck = 0;
    BOOL m_bRadio = FALSE;
    std::string m_strText;
    BOOL m_bTextChanged = FALSE;
};
