#pragma once
// A window of the application on a command bar (a slider, a picker): the
// control reserves the window's size plus margins, moves the window into
// its rectangle and shows or hides it with itself. On a vertical bar it
// disappears, keeps the window or stands in as an ordinary button. The
// control never owns the window: the pointer is guarded, so a window the
// application destroys (or one not found again after loading) leaves an
// ordinary button behind.

#include "toolkit/commandbars/CTKControlButton.h"
#include "toolkit/commandbars/CTKHookSink.h"

#include <QPointer>

class CTKCommandBars;
class CWnd;

// What the control does on a vertical bar.
constexpr int kTKCustomVerticalHide = 0;
constexpr int kTKCustomVerticalKeep = 1;
constexpr int kTKCustomVerticalButton = 2;

class CTKControlCustom : public CTKControlButton, public CTKHookSink {
    DECLARE_SERIAL(CTKControlCustom)
public:
    CTKControlCustom();
    ~CTKControlCustom() override;

    // Hosts the window: keeps its size and id and watches its mouse moves.
    // NULL hosts nothing.
    void SetControl(CWnd* window);
    CWnd* GetControl() const { return m_pControl.data(); }
    void SetSize(CSize size) { m_szControl = size; }
    CSize GetControlSize() const { return m_szControl; }
    void SetBorders(const CRect& margins) { m_rcBorders = margins; }
    const CRect& GetBorders() const { return m_rcBorders; }
    void SetVerticalPositionOption(int option) { m_nVerticalOption = option; }
    int GetVerticalPositionOption() const { return m_nVerticalOption; }
    UINT GetControlID() const { return m_nControlId; }
    void SetControlID(UINT id) { m_nControlId = id; }
    BOOL IsControlShown() const { return m_bControlVisible; }
    // After the bar state is loaded: the window with the stored id, a child
    // of the command bars' frame first, then of each bar in turn. FALSE
    // (an ordinary button) when none is found.
    BOOL FindControlWindow(CTKCommandBars* commandBars);

    // --- Overrides ---
    void SetEnabled(BOOL enabled) override;
    void SetRect(const CRect& rect) override;
    void SetHideFlags(DWORD hideFlags) override;
    CSize GetSize(CDC* dc) override;
    void Draw(CDC* dc) override;
    void OnCalcDynamicSize(DWORD layoutMode) override;
    void Copy(const CTKControl* source, BOOL recursive) override;
    void OnClick(BOOL keyboard, CPoint point) override;
    BOOL IsCustomizeDragOverAvail(CTKCommandBar* target, CPoint point, DWORD* dropEffect) override;
    int OnHookMessage(CWnd* window, UINT message, WPARAM* wParam, LPARAM* lParam, LRESULT* result) override;
    // The button's stored form, then margins, window size, vertical
    // behaviour and window id; the window itself is found again by
    // FindControlWindow once the bars are loaded.
    void Serialize(CArchive& ar) override;

private:
    // The hosted window when it still exists and is created.
    CWnd* GetLiveControl() const;
    BOOL IsHostedWindowVisible() const;
    // Shows the window, or hides it when it is not shown or the control is hidden.
    void ShowHostedWindow() const;

    QPointer<CWnd> m_pControl;
    CRect m_rcBorders;
    BOOL m_bControlVisible = TRUE;
    CSize m_szControl;
    int m_nVerticalOption = kTKCustomVerticalHide;
    UINT m_nControlId = 0;
};
