#include "shell/ui/CSplashWindow.h"

#include "platform/ui/CPaintDC.h"
#include "platform/ui/CResourceStore.h"
#include "platform/ui/WinMessages.h"

namespace {

constexpr UINT_PTR kHideTimer = 1;
constexpr UINT kShowTime = 1000;

const UINT kHidingMessages[] = {
    WM_KEYDOWN, WM_SYSKEYDOWN, WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN,
    WM_NCLBUTTONDOWN, WM_NCRBUTTONDOWN, WM_NCMBUTTONDOWN,
};

} // namespace

BOOL CSplashWindow::c_bShowSplashWnd = FALSE;
CSplashWindow* CSplashWindow::c_pSplashWnd = nullptr;

CSplashWindow::CSplashWindow() = default;

CSplashWindow::~CSplashWindow()
{
    if (c_pSplashWnd == this)
        c_pSplashWnd = nullptr;
}

void CSplashWindow::EnableSplashScreen(BOOL enable)
{
    c_bShowSplashWnd = enable;
}

void CSplashWindow::ShowSplashScreen(CWnd* parent)
{
    if (!c_bShowSplashWnd || c_pSplashWnd != nullptr)
        return;
    // Once per run: a later frame never brings it back.
    c_bShowSplashWnd = FALSE;
    auto* splash = new CSplashWindow;
    c_pSplashWnd = splash;
    if (!splash->CreateSplash(parent)) {
        delete splash;
        return;
    }
    splash->UpdateWindow();
}

BOOL CSplashWindow::CreateSplash(CWnd* parent)
{
    const CIconImage* bitmap = CResourceStore::Instance().FindBitmap(IDB_SPLASH);
    if (bitmap == nullptr || bitmap->IsEmpty())
        return FALSE;
    m_bitmap = *bitmap;
    return Create(parent, CRect(0, 0, m_bitmap.Width(), m_bitmap.Height()), 0, WS_POPUP | WS_VISIBLE);
}

BOOL CSplashWindow::PreTranslateAppMessage(MSG* msg)
{
    if (c_pSplashWnd == nullptr)
        return FALSE;
    for (UINT message : kHidingMessages) {
        if (msg->message == message) {
            c_pSplashWnd->HideSplashScreen();
            return TRUE;
        }
    }
    return FALSE;
}

void CSplashWindow::HideSplashScreen()
{
    CWnd* owner = GetParent();
    DestroyWindow();
    if (owner != nullptr)
        owner->UpdateWindow();
}

int CSplashWindow::OnCreate()
{
    if (CWnd::OnCreate() == -1)
        return -1;
    CenterOverOwner();
    SetTimer(kHideTimer, kShowTime);
    return 0;
}

void CSplashWindow::OnPaint()
{
    CPaintDC dc(this);
    dc.DrawIcon(0, 0, m_bitmap);
}

void CSplashWindow::OnTimer(UINT_PTR)
{
    HideSplashScreen();
}

void CSplashWindow::CenterOverOwner()
{
    CWnd* owner = GetParent();
    if (owner == nullptr)
        return;
    CRect area;
    owner->GetWindowRect(&area);
    const int left = area.left + (area.Width() - m_bitmap.Width()) / 2;
    const int top = area.top + (area.Height() - m_bitmap.Height()) / 2;
    MoveWindow(CRect(left, top, left + m_bitmap.Width(), top + m_bitmap.Height()));
}

void CSplashWindow::PostNcDestroy()
{
    if (c_pSplashWnd == this)
        c_pSplashWnd = nullptr;
    deleteLater();
}
