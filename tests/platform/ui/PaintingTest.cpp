// Window painting: opaque windows painting only themselves, the paint
// region as the starting clip, the erase step, one painter shared by every
// device context of a paint (hooks, WM_PAINT with a device context), the
// back buffer that CMemDC draws into, and the caret over it.

#include "platform/CCaret.h"
#include "platform/CMemDC.h"
#include "platform/CSystemMetrics.h"
#include "platform/ui/CPaintDC.h"
#include "platform/ui/CPaintSurface.h"
#include "platform/ui/CQtCaret.h"
#include "platform/ui/CQtImageDC.h"
#include "platform/ui/CWindowHook.h"
#include "platform/ui/CWnd.h"

#include <QCoreApplication>
#include <QImage>
#include <QProcess>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 160, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr int kWaitMs = 3000;

COLORREF At(const QImage& image, int x, int y)
{
    const QColor color(image.pixel(x, y));
    return RGB(color.red(), color.green(), color.blue());
}

// What the window shows: its back buffer with the caret composed over it.
QImage Shown(QWidget* widget)
{
    return widget->grab().toImage();
}

COLORREF InBuffer(CWnd* wnd, int x, int y)
{
    return At(*wnd->GetPaintSurface()->GetBuffer(), x, y);
}

// Counts its paints and paints as told.
class CPaintingWnd : public CWnd {
public:
    int paints = 0;
    int erases = 0;
    BOOL eraseAnswer = -1;   // -1: the default erase step
    CRect lastClip;
    std::function<void(CPaintingWnd*)> onPaint;

protected:
    void OnPaint() override
    {
        ++paints;
        if (!onPaint) {
            CWnd::OnPaint();
            return;
        }
        onPaint(this);
    }
    BOOL OnEraseBkgnd(CDC* dc) override
    {
        ++erases;
        if (eraseAnswer >= 0)
            return eraseAnswer;
        return CWnd::OnEraseBkgnd(dc);
    }
};

class PaintingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(top.Create(nullptr, CRect(0, 0, 300, 200), 0, WS_OVERLAPPED | WS_VISIBLE));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&top));
    }

    // Waits until the window has painted count more times.
    static bool WaitForPaints(CPaintingWnd& wnd, int count)
    {
        const int target = wnd.paints + count;
        return QTest::qWaitFor([&] { return wnd.paints >= target; }, kWaitMs);
    }

    CPaintingWnd top;
};

TEST_F(PaintingTest, AnInvalidatedViewPaintsAloneOncePerInvalidation)
{
    CPaintingWnd frame;
    CPaintingWnd view;
    ASSERT_TRUE(frame.Create(&top, CRect(10, 10, 290, 190), 1, WS_CHILD | WS_VISIBLE));
    ASSERT_TRUE(view.Create(&frame, CRect(10, 10, 270, 170), 2, WS_CHILD | WS_VISIBLE));
    view.onPaint = [](CPaintingWnd* wnd) {
        CPaintDC dc(wnd);
        dc.FillSolidRect(0, 0, 260, 160, kBlue);
    };
    ASSERT_TRUE(QTest::qWaitFor([&] { return view.paints > 0 && frame.paints > 0; }, kWaitMs));
    top.paints = frame.paints = view.paints = 0;

    constexpr int kInvalidations = 10;
    for (int i = 0; i < kInvalidations; ++i) {
        const CRect cell(i * 20, 5, i * 20 + 10, 15);
        view.InvalidateRect(&cell);
        ASSERT_TRUE(WaitForPaints(view, 1)) << i;
    }
    EXPECT_EQ(view.paints, kInvalidations);
    EXPECT_EQ(frame.paints, 0);
    EXPECT_EQ(top.paints, 0);
}

TEST_F(PaintingTest, ThePaintRegionIsTheStartingClipAndNothingOutsideIsTouched)
{
    COLORREF color = kRed;
    top.onPaint = [&](CPaintingWnd* wnd) {
        CPaintDC dc(wnd);
        dc.GetClipBox(&wnd->lastClip);
        dc.FillSolidRect(0, 0, 300, 200, color);
    };
    top.Invalidate();
    ASSERT_TRUE(WaitForPaints(top, 1));
    EXPECT_EQ(top.lastClip, CRect(0, 0, 300, 200));

    color = kGreen;
    const CRect part(40, 30, 100, 60);
    top.InvalidateRect(&part);
    ASSERT_TRUE(WaitForPaints(top, 1));
    EXPECT_EQ(top.lastClip, part);
    EXPECT_EQ(InBuffer(&top, 40, 30), kGreen);
    EXPECT_EQ(InBuffer(&top, 99, 59), kGreen);
    EXPECT_EQ(InBuffer(&top, 100, 59), kRed);
    EXPECT_EQ(InBuffer(&top, 39, 30), kRed);
    EXPECT_EQ(InBuffer(&top, 40, 60), kRed);
}

TEST_F(PaintingTest, TheEraseStepFillsWithTheClassBackgroundOncePerPaint)
{
    struct Case {
        const char* name;
        BOOL withBrush;
        BOOL eraseAnswer;
        BOOL secondDC;
        COLORREF expected;
        int erases;
    };
    const Case cases[] = {
        {"class brush", TRUE, -1, FALSE, kGreen, 1},
        {"two device contexts erase once", TRUE, -1, TRUE, kGreen, 1},
        {"handler erases nothing", TRUE, TRUE, FALSE, kBlue, 1},
        {"no brush", FALSE, -1, FALSE, kBlue, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CPaintingWnd wnd;
        ASSERT_TRUE(wnd.Create(&top, CRect(0, 0, 50, 50), 1, WS_CHILD));
        if (c.withBrush)
            wnd.SetClassBackground(CBrush(kGreen));
        wnd.eraseAnswer = c.eraseAnswer;
        wnd.ShowWindow(SW_SHOW);
        ASSERT_TRUE(WaitForPaints(wnd, 1));
        // The buffer now holds blue from a paint without erasing; then the erase step runs again.
        wnd.onPaint = [&](CPaintingWnd* self) {
            CPaintDC dc(self);
            if (c.secondDC) {
                CPaintDC nested(self);
            }
        };
        wnd.GetPaintSurface()->GetBuffer()->fill(Qt::blue);
        wnd.erases = 0;
        wnd.Invalidate(TRUE);
        ASSERT_TRUE(WaitForPaints(wnd, 1));
        EXPECT_EQ(wnd.erases, c.erases);
        EXPECT_EQ(InBuffer(&wnd, 25, 25), c.expected);
    }
}

// Paints over its window after letting the window paint itself, both
// through device contexts of the same paint.
class CPaintOverHook : public CWindowHook {
public:
    int paints = 0;

protected:
    int OnHookMessage(CWnd* window, UINT message, WPARAM*, LPARAM*, LRESULT*) override
    {
        if (message != WM_PAINT)
            return 0;
        ++paints;
        CPaintDC dc(window);
        window->WindowProc(WM_PAINT, 0, 0);
        dc.FillSolidRect(10, 10, 20, 20, kRed);
        return 1;
    }
};

class WarningCounter {
public:
    WarningCounter() { s_count = 0; m_previous = qInstallMessageHandler(&Count); }
    ~WarningCounter() { qInstallMessageHandler(m_previous); }
    int Count() const { return s_count; }

private:
    static void Count(QtMsgType type, const QMessageLogContext&, const QString&)
    {
        if (type != QtDebugMsg && type != QtInfoMsg)
            ++s_count;
    }
    static inline int s_count = 0;
    QtMessageHandler m_previous;
};

TEST_F(PaintingTest, AHookPaintsOverItsWindowWithTheSamePainter)
{
    top.onPaint = [](CPaintingWnd* wnd) {
        CPaintDC dc(wnd);
        dc.FillSolidRect(0, 0, 300, 200, kBlue);
    };
    CPaintOverHook hook;
    hook.HookWindow(&top);
    WarningCounter warnings;
    top.Invalidate();
    ASSERT_TRUE(WaitForPaints(top, 1));
    EXPECT_EQ(hook.paints, 1);
    const QImage shown = Shown(&top);
    EXPECT_EQ(At(shown, 10, 10), kRed);
    EXPECT_EQ(At(shown, 29, 29), kRed);
    EXPECT_EQ(At(shown, 30, 30), kBlue);
    EXPECT_EQ(At(shown, 200, 100), kBlue);
    EXPECT_EQ(warnings.Count(), 0);
}

TEST_F(PaintingTest, AWmPaintWithADeviceContextPaintsIntoIt)
{
    // The way a list paints into a memory device context of its owner.
    CPaintingWnd list;
    ASSERT_TRUE(list.Create(&top, CRect(0, 0, 10, 10), 1, WS_CHILD));
    list.onPaint = [](CPaintingWnd* wnd) {
        CPaintDC dc(wnd);
        dc.FillSolidRect(0, 0, 10, 10, kGreen);
    };
    BOOL inBuffer = FALSE;
    top.onPaint = [&](CPaintingWnd* wnd) {
        CPaintDC dc(wnd);
        dc.FillSolidRect(0, 0, 300, 200, kBlue);
        const CRect area(20, 10, 60, 40);
        CMemDC memory(&dc, &area, kWhite);
        inBuffer = memory.IsInTargetBuffer();
        list.SendMessage(WM_PAINT, reinterpret_cast<WPARAM>(memory.GetDC()));
    };
    top.Invalidate();
    ASSERT_TRUE(WaitForPaints(top, 1));
    EXPECT_TRUE(inBuffer);
    EXPECT_EQ(InBuffer(&top, 20, 10), kGreen);
    EXPECT_EQ(InBuffer(&top, 29, 19), kGreen);
    EXPECT_EQ(InBuffer(&top, 30, 10), kWhite);
    EXPECT_EQ(InBuffer(&top, 59, 39), kWhite);
    EXPECT_EQ(InBuffer(&top, 19, 10), kBlue);
    EXPECT_EQ(InBuffer(&top, 60, 40), kBlue);
    // Outside a paint a WM_PAINT draws nothing and nothing breaks.
    list.SendMessage(WM_PAINT);

    // Into an image: the window paints there, and the image's own clipping holds afterwards.
    CQtImageDC image(40, 40);
    image.IntersectClipRect(CRect(0, 0, 20, 20));
    list.SendMessage(WM_PAINT, reinterpret_cast<WPARAM>(static_cast<CDC*>(&image)));
    EXPECT_EQ(image.GetPixel(9, 9), kGreen);
    EXPECT_EQ(image.GetPixel(10, 10), kWhite);
    image.FillSolidRect(0, 0, 40, 40, kRed);
    EXPECT_EQ(image.GetPixel(19, 19), kRed);
    EXPECT_EQ(image.GetPixel(20, 20), kWhite);
}

TEST_F(PaintingTest, AMemoryDCDrawsIntoTheWindowsOneBufferWithinThePaintRegion)
{
    const uchar* bits = nullptr;
    COLORREF color = kRed;
    top.onPaint = [&](CPaintingWnd* wnd) {
        CPaintDC dc(wnd);
        CRect client;
        wnd->GetClientRect(&client);
        CMemDC memory(&dc, &client, kWhite);
        memory->FillSolidRect(0, 0, 300, 200, color);
        bits = wnd->GetPaintSurface()->GetBuffer()->constBits();
    };
    top.Invalidate();
    ASSERT_TRUE(WaitForPaints(top, 1));
    const uchar* first = bits;
    color = kGreen;
    const CRect part(0, 0, 50, 50);
    top.InvalidateRect(&part);
    ASSERT_TRUE(WaitForPaints(top, 1));
    EXPECT_EQ(bits, first);   // the same buffer, not a new one per paint
    EXPECT_EQ(InBuffer(&top, 0, 0), kGreen);
    EXPECT_EQ(InBuffer(&top, 49, 49), kGreen);
    EXPECT_EQ(InBuffer(&top, 50, 50), kRed);
}

class CaretTest : public PaintingTest {
protected:
    void SetUp() override
    {
        PaintingTest::SetUp();
        CCaret::Instance().SetView(&view);
        top.onPaint = [](CPaintingWnd* wnd) {
            CPaintDC dc(wnd);
            dc.FillSolidRect(0, 0, 300, 200, kWhite);
            dc.FillSolidRect(100, 0, 200, 200, kBlack);   // a black selection
        };
        top.Invalidate();
        ASSERT_TRUE(WaitForPaints(top, 1));
    }
    void TearDown() override
    {
        CCaret::Instance().Destroy();
        CCaret::Instance().SetView(nullptr);
    }

    CQtCaret view;
};

TEST_F(CaretTest, TheCaretIsInvertedOverThePaintedWindow)
{
    CCaret& caret = CCaret::Instance();
    caret.Create(&top, 2, 16);
    caret.SetPos(40, 20);
    caret.Show(&top);
    QImage shown = Shown(&top);
    EXPECT_EQ(At(shown, 40, 20), kBlack);
    EXPECT_EQ(At(shown, 41, 35), kBlack);
    EXPECT_EQ(At(shown, 42, 20), kWhite);
    EXPECT_EQ(At(shown, 40, 36), kWhite);

    // On a black selection it shows white.
    caret.SetPos(150, 20);
    shown = Shown(&top);
    EXPECT_EQ(At(shown, 150, 20), kWhite);
    EXPECT_EQ(At(shown, 40, 20), kWhite);   // gone from its old place
    EXPECT_EQ(view.GetCaretRect(), CRect(150, 20, 152, 36));
    caret.Hide(&top);
    EXPECT_EQ(At(Shown(&top), 150, 20), kBlack);
}

TEST_F(CaretTest, InAFramedWindowTheCaretAndThePaintStartAtTheClientCorner)
{
    CPaintingWnd view;
    view.ModifyStyleEx(0, WS_EX_CLIENTEDGE);
    ASSERT_TRUE(view.Create(&top, CRect(10, 10, 110, 70), 1, WS_CHILD | WS_BORDER | WS_VISIBLE));
    const CPoint origin = view.GetClientOrigin();
    ASSERT_EQ(origin, CPoint(3, 3));
    view.onPaint = [](CPaintingWnd* wnd) {
        CPaintDC dc(wnd);
        dc.FillSolidRect(-10, -10, 300, 200, kWhite);   // clipped to the client area
    };
    view.Invalidate();
    ASSERT_TRUE(WaitForPaints(view, 1));
    EXPECT_EQ(InBuffer(&view, 0, 0), GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_EQ(InBuffer(&view, 2, 30), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(InBuffer(&view, 3, 3), kWhite);
    EXPECT_EQ(InBuffer(&view, 96, 56), kWhite);
    EXPECT_NE(InBuffer(&view, 97, 56), kWhite);

    CCaret& caret = CCaret::Instance();
    caret.Create(&view, 2, 16);
    caret.SetPos(0, 0);
    caret.Show(&view);
    const QImage shown = Shown(&view);
    EXPECT_EQ(At(shown, origin.x, origin.y), kBlack);
    EXPECT_EQ(At(shown, origin.x + 1, origin.y + 15), kBlack);
    EXPECT_EQ(At(shown, origin.x + 2, origin.y), kWhite);
    EXPECT_EQ(At(shown, 0, 0), GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_EQ(At(shown, 2, 10), GetSysColor(COLOR_3DDKSHADOW));
}

TEST_F(CaretTest, BlinkingShowsTheBufferWithoutCallingOnPaint)
{
    CCaret& caret = CCaret::Instance();
    caret.Create(&top, 2, 16);
    caret.SetPos(40, 20);
    caret.Show(&top);
    CPaintSurface* surface = top.GetPaintSurface();
    ASSERT_TRUE(QTest::qWaitFor([&] { return surface->GetBufferShowCount() > 0; }, kWaitMs));
    const int paints = top.paints;
    for (int blink = 1; blink <= 4; ++blink) {
        const int shows = surface->GetBufferShowCount();
        view.Blink();
        ASSERT_TRUE(QTest::qWaitFor([&] { return surface->GetBufferShowCount() > shows; }, kWaitMs)) << blink;
    }
    EXPECT_EQ(top.paints, paints);

    // Content invalidated under the caret is painted, not only shown.
    const CRect under(40, 20, 42, 36);
    top.InvalidateRect(&under);
    view.Blink();
    ASSERT_TRUE(WaitForPaints(top, 1));
}

} // namespace

namespace {

// Run by TheBackBufferFollowsAWholeScaleFactor in a process of its own at scale 2.
TEST(PaintingScaleTest, DISABLED_AtScaleTwo)
{
    CPaintingWnd wnd;
    ASSERT_TRUE(wnd.Create(nullptr, CRect(0, 0, 100, 50), 0, WS_OVERLAPPED | WS_VISIBLE));
    wnd.onPaint = [](CPaintingWnd* self) {
        CPaintDC dc(self);
        CRect client;
        self->GetClientRect(&client);
        CMemDC memory(&dc, &client, kWhite);
        memory->MoveTo(0, 10);
        memory->LineTo(100, 10);
        self->lastClip = client;
    };
    wnd.Invalidate();
    ASSERT_TRUE(QTest::qWaitFor([&] { return wnd.paints > 0; }, kWaitMs));
    const QImage& buffer = *wnd.GetPaintSurface()->GetBuffer();
    EXPECT_EQ(wnd.lastClip, CRect(0, 0, 100, 50));
    EXPECT_EQ(buffer.size(), QSize(200, 100));
    // A one-pixel rule is two whole device pixels, crisp.
    EXPECT_EQ(At(buffer, 50, 19), kWhite);
    EXPECT_EQ(At(buffer, 50, 20), kBlack);
    EXPECT_EQ(At(buffer, 50, 21), kBlack);
    EXPECT_EQ(At(buffer, 50, 22), kWhite);
}

TEST(PaintingScaleTest, TheBackBufferFollowsAWholeScaleFactor)
{
    QProcess run;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_SCALE_FACTOR", "2");
    run.setProcessEnvironment(environment);
    run.start(QCoreApplication::applicationFilePath(),
              {"--gtest_filter=PaintingScaleTest.DISABLED_AtScaleTwo", "--gtest_also_run_disabled_tests"});
    ASSERT_TRUE(run.waitForFinished(kWaitMs * 10));
    const std::string output = run.readAllStandardOutput().toStdString();
    EXPECT_EQ(run.exitCode(), 0) << output;
    EXPECT_NE(output.find("[  PASSED  ] 1 test."), std::string::npos) << output;
}

} // namespace
