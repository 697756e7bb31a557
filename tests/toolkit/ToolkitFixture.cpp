#include "toolkit/ToolkitFixture.h"

#include "platform/CSystemMetrics.h"
#include "platform/ui/CPaintDC.h"
#include "platform/ui/CResourceStore.h"
#include "platform/ui/CScreenShot.h"
#include "toolkit/commandbars/CTKCommandBars.h"
#include "toolkit/commandbars/RegisterToolkitCommandBarsClasses.h"
#include "toolkit/commandbars/draw/CTKSystemColors.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace {

const CRect kWorkArea(0, 0, 1024, 768);
constexpr int kChildWidth = 180;
constexpr int kChildHeight = 140;

void LoadFixtureResources()
{
    static bool loaded = false;
    if (loaded)
        return;
    std::string error;
    ASSERT_TRUE(RegisterToolkitCommandBarsClasses(&error)) << error;
    ASSERT_TRUE(CResourceStore::Instance().LoadFile(":/toolkit_tests/fixture.rc", &error)) << error;
    loaded = true;
}

std::string BesideBinary(const std::string& name)
{
    return QCoreApplication::applicationDirPath().toStdString() + "/" + name;
}

} // namespace

// Outside any namespace, as the resource registration requires.
static void RegisterFixtureArt()
{
    Q_INIT_RESOURCE(toolkit_fixture);
}

void PinPlatformDefaults()
{
    RegisterFixtureArt();
    CSystemMetrics& metrics = CSystemMetrics::Instance();
    metrics.Reset();
    metrics.SetWorkArea(kWorkArea);
    CTKSystemColors::Instance().RefreshColors(FALSE);
    LoadFixtureResources();
}

std::string SaveScreenshot(const std::string& name)
{
    const std::string path = BesideBinary(name);
    EXPECT_TRUE(CScreenShot::SavePng(path)) << path;
    return path;
}

std::string SaveArtefact(const QImage& image, const std::string& name)
{
    const std::string path = BesideBinary(name);
    EXPECT_TRUE(image.save(QString::fromStdString(path), "PNG")) << path;
    return path;
}

COLORREF ProbeColor(const QImage& image, int x, int y)
{
    const QRgb pixel = image.pixel(x, y);
    return RGB(qRed(pixel), qGreen(pixel), qBlue(pixel));
}

int ProbeAlpha(const QImage& image, int x, int y)
{
    return qAlpha(image.pixel(x, y));
}

void ProcessEvents()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

LRESULT CTKFixtureStatusStrip::OnSizeParent(WPARAM, LPARAM lParam)
{
    auto* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    CRect& free = layout->rect;
    MoveWindow(CRect(free.left, free.bottom - kHeight, free.right, free.bottom));
    free.bottom -= kHeight;
    layout->sizeTotal.cy += kHeight;
    return 0;
}

void CTKFixtureStatusStrip::OnPaint()
{
    CPaintDC dc(this);
    CRect rect;
    GetClientRect(&rect);
    dc.FillSolidRect(rect, GetSysColor(COLOR_BTNFACE));
}

CTKFixtureFrame::CTKFixtureFrame()
{
    m_bAutoDelete = FALSE;
}

int CTKFixtureFrame::OnCreate()
{
    if (CTKMDIFrameWnd::OnCreate() == -1)
        return -1;
    if (!m_statusStrip.Create(this, CRect(), AFX_IDW_STATUS_BAR, WS_CHILD | WS_VISIBLE))
        return -1;
    return 0;
}

BOOL CTKFixtureFrame::PreTranslateMessage(MSG* msg)
{
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_TAB && GetKeyState(VK_CONTROL) < 0) {
        MDINext();
        return TRUE;
    }
    return CTKMDIFrameWnd::PreTranslateMessage(msg);
}

BOOL CTKFixtureFrame::Open(const CRect& rect)
{
    if (!LoadFrame(kFixtureFrameId))
        return FALSE;
    MoveWindow(rect);
    ShowWindow(SW_SHOW);
    m_first = new CMDIChildWnd;
    if (!m_first->Create("MAIN", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CRect(0, 0, kChildWidth, kChildHeight),
                         this))
        return FALSE;
    m_second = new CMDIChildWnd;
    if (!m_second->Create("SBR01", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                          CRect(kChildWidth, 0, 2 * kChildWidth, kChildHeight), this))
        return FALSE;
    RecalcLayout();
    ProcessEvents();
    return TRUE;
}

CTKCommandBars* AttachCommandBars(CTKMDIFrameWnd& frame)
{
    auto* bars = new CTKCommandBars;
    frame.SetCommandBars(bars);
    bars->SetFrame(&frame);
    return bars->CreateDockBars() ? bars : nullptr;
}
