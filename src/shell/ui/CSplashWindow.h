#pragma once
// The start-up picture over the main window: about a second, or until the
// first key or mouse-button press anywhere in the program, which it takes.
// It is shown at most once per run; without its picture there is none.

#include "platform/CIconImage.h"
#include "platform/ui/CWnd.h"

constexpr UINT IDB_SPLASH = 120;

class CSplashWindow : public CWnd {
public:
    CSplashWindow();
    ~CSplashWindow() override;

    static void EnableSplashScreen(BOOL enable);
    // Nothing when not enabled or already shown.
    static void ShowSplashScreen(CWnd* parent);
    // TRUE when the message was a press that hid the splash window.
    static BOOL PreTranslateAppMessage(MSG* msg);
    // The live splash window, null when none.
    static CSplashWindow* GetActive() { return c_pSplashWnd; }
    void HideSplashScreen();

protected:
    int OnCreate() override;
    void OnPaint() override;
    void OnTimer(UINT_PTR id) override;
    void PostNcDestroy() override;

private:
    BOOL CreateSplash(CWnd* parent);
    void CenterOverOwner();

    CIconImage m_bitmap;

    static BOOL c_bShowSplashWnd;
    static CSplashWindow* c_pSplashWnd;
};
