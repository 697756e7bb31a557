// Opening animations of popup bars: the frames of unfold, slide and fade
// step by step, and a popup that opens animated moves on one step per tick
// of its timer (on the fake clock) until it shows its finished face; the
// default option and "None" open without animation.

#include "platform/CSystemMetrics.h"
#include "platform/ui/CMenu.h"
#include "platform/ui/CQtImageDC.h"
#include "platform/ui/CTimerService.h"
#include "toolkit/ToolkitFixture.h"
#include "toolkit/commandbars/CTKCommandBars.h"
#include "toolkit/commandbars/CTKCommandBarsOptions.h"
#include "toolkit/commandbars/CTKPopupAnimation.h"
#include "toolkit/commandbars/CTKPopupBar.h"
#include "toolkit/commandbars/CTKPopupTracker.h"
#include "toolkit/commandbars/draw/CTKBarRenderer.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

constexpr UINT kFirstId = 33000;
constexpr int kSteps = 4;
constexpr int kDuration = 40;
const COLORREF kUnder = RGB(0, 0, 0);
const COLORREF kCorner = RGB(0, 0, 255);
const COLORREF kRest = RGB(255, 0, 0);

struct Releaser {
    void operator()(CCmdTarget* target) const { target->InternalRelease(); }
};

// Every command of the site has a handler, so the items are enabled.
class CAnimationSite : public CWnd {
public:
    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* info) override
    {
        if (id >= kFirstId && id < kFirstId + 100 && code == CN_COMMAND)
            return TRUE;
        return CWnd::OnCmdMsg(id, code, extra, info);
    }
};

class PopupAnimationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        PinPlatformDefaults();
        CTKBarRenderer::SelectTheme(kTKThemeClassic);
        renderer = CTKBarRenderer::GetCurrent();
        renderer->m_nAnimationSteps = kSteps;
        renderer->m_nAnimationDuration = kDuration;
        ASSERT_TRUE(site.Create(nullptr, CRect(0, 0, 300, 200), 0, WS_OVERLAPPEDWINDOW | WS_VISIBLE));
        CTimerService::Instance().SetFakeClock(TRUE);
    }
    void TearDown() override
    {
        CTKPopupTracker::Get().CloseTrackedBars();
        CTimerService::Instance().SetFakeClock(FALSE);
        popup.reset();
        site.DestroyWindow();
        // A new renderer comes with the default steps and duration.
        CTKBarRenderer::SelectTheme(kTKThemeOfficeXP);
        CTKBarRenderer::SelectTheme(kTKThemeClassic);
    }

    // A 20 by 20 image, blue in its bottom-right quarter and red elsewhere.
    static std::unique_ptr<CQtImageDC> QuarterImage()
    {
        auto image = std::make_unique<CQtImageDC>(20, 20);
        image->FillSolidRect(CRect(0, 0, 20, 20), kRest);
        image->FillSolidRect(CRect(10, 10, 20, 20), kCorner);
        return image;
    }

    CTKPopupBar* OpenMenu(int option)
    {
        bars->GetCommandBarsOptions()->nAnimationType = option;
        CMenu menu;
        menu.CreatePopupMenu();
        for (UINT i = 0; i < 4; ++i)
            menu.AppendMenu(MF_STRING, kFirstId + i, "Item " + std::to_string(i));
        popup.reset(CTKPopupBar::NewPopupBar(bars.get()));
        popup->SetSite(&site);
        popup->LoadMenu(&menu, TRUE);
        return popup->SetPopupPosition(100, 100, nullptr) ? popup.get() : nullptr;
    }

    CTKBarRenderer* renderer = nullptr;
    std::unique_ptr<CTKCommandBars, Releaser> bars{new CTKCommandBars};
    std::unique_ptr<CTKPopupBar, Releaser> popup;
    CAnimationSite site;
};

TEST_F(PopupAnimationTest, EachKindShowsItsPartOfTheImageStepByStep)
{
    // One frame at a time onto a black target at (5, 5); probes in target
    // coordinates relative to that corner.
    struct Probe {
        CPoint at;
        COLORREF color;
    };
    const int half = 255 * 2 / kSteps;
    const COLORREF halfRed = RGB((255 * half) >> 8, 0, 0);
    const COLORREF halfBlue = RGB(0, 0, (255 * half) >> 8);
    struct Case {
        const char* name;
        int type;
        int step;
        std::vector<Probe> probes;
    };
    const Case cases[] = {
        // Unfold grows the image's bottom-right corner from the top-left.
        {"unfold 1", kTKAnimateUnfold, 1, {{{0, 0}, kCorner}, {{4, 4}, kCorner}, {{5, 5}, kUnder}, {{0, 6}, kUnder}}},
        {"unfold 2", kTKAnimateUnfold, 2, {{{9, 9}, kCorner}, {{10, 10}, kUnder}, {{10, 0}, kUnder}}},
        {"unfold 3", kTKAnimateUnfold, 3, {{{0, 0}, kRest}, {{5, 5}, kCorner}, {{14, 14}, kCorner}, {{15, 0}, kUnder}}},
        {"unfold 4", kTKAnimateUnfold, 4, {{{0, 0}, kRest}, {{9, 9}, kRest}, {{10, 10}, kCorner}, {{19, 19}, kCorner}}},
        // Slide lets the image's bottom band down from the top, full width.
        {"slide 1", kTKAnimateSlide, 1, {{{0, 0}, kRest}, {{19, 4}, kCorner}, {{19, 5}, kUnder}}},
        {"slide 2", kTKAnimateSlide, 2, {{{9, 9}, kRest}, {{10, 9}, kCorner}, {{10, 10}, kUnder}}},
        {"slide 4", kTKAnimateSlide, 4, {{{0, 0}, kRest}, {{10, 9}, kRest}, {{10, 10}, kCorner}}},
        // Fade blends the whole image over what lay below, then shows it.
        {"fade 2", kTKAnimateFade, 2, {{{0, 0}, halfRed}, {{15, 15}, halfBlue}}},
        {"fade 4", kTKAnimateFade, 4, {{{0, 0}, kRest}, {{15, 15}, kCorner}}},
        // Other kinds draw nothing.
        {"none", kTKAnimateNone, 4, {{{0, 0}, kUnder}, {{15, 15}, kUnder}}},
    };
    const CPoint origin(5, 5);
    for (const Case& c : cases) {
        CQtImageDC target(30, 30);
        target.FillSolidRect(CRect(0, 0, 30, 30), kUnder);
        CQtImageDC below(20, 20);
        below.FillSolidRect(CRect(0, 0, 20, 20), kUnder);
        auto image = QuarterImage();
        renderer->DrawPopupFrame(&target, image.get(), &below, CRect(origin, CSize(20, 20)), c.type, c.step, kSteps);
        for (const Probe& p : c.probes) {
            EXPECT_EQ(ProbeColor(target.GetImage(), origin.x + p.at.x, origin.y + p.at.y), p.color)
                << c.name << " at " << p.at.x << "," << p.at.y;
        }
        EXPECT_EQ(ProbeColor(target.GetImage(), 26, 26), kUnder) << c.name << ": nothing outside the rectangle";
    }
}

TEST_F(PopupAnimationTest, APopupOpensOneStepPerTimerTick)
{
    struct Case {
        const char* name;
        int option;
        int type;   // the animation run; none when 0
    };
    const Case cases[] = {
        {"system default without a desktop preference", 0, 0},
        {"unfold", kTKAnimateUnfold, kTKAnimateUnfold},
        {"slide", kTKAnimateSlide, kTKAnimateSlide},
        {"fade", kTKAnimateFade, kTKAnimateFade},
        {"none", kTKAnimateNone, 0},
    };
    CTimerService& timers = CTimerService::Instance();
    const UINT period = kDuration / kSteps;
    for (const Case& c : cases) {
        CTKPopupBar* menu = OpenMenu(c.option);
        ASSERT_NE(menu, nullptr) << c.name;
        const CTKPopupAnimation* animation = menu->GetOpeningAnimation();
        if (c.type == 0) {
            EXPECT_EQ(animation, nullptr) << c.name;
            EXPECT_EQ(timers.GetTimerCount(menu), 0u) << c.name;
            menu->SetTrackingMode(0, FALSE, FALSE);
            continue;
        }
        ASSERT_NE(animation, nullptr) << c.name;
        EXPECT_EQ(animation->GetType(), c.type) << c.name;
        EXPECT_EQ(animation->GetSteps(), kSteps) << c.name;
        const QImage finished = static_cast<CQtImageDC*>(animation->GetImage())->GetImage();
        CRect client;
        menu->GetClientRect(&client);
        ASSERT_EQ(finished.size(), QSize(client.Width(), client.Height())) << c.name;
        // The first frame is still on its way; the face shows the finished image only at the end.
        EXPECT_NE(menu->grab().toImage().convertToFormat(finished.format()), finished) << c.name;
        for (int step = 1; step < kSteps; ++step) {
            EXPECT_EQ(animation->GetStep(), step) << c.name;
            timers.Advance(period - 1);
            EXPECT_EQ(animation->GetStep(), step) << c.name << ": not before the period";
            timers.Advance(1);
        }
        EXPECT_EQ(animation->GetStep(), kSteps) << c.name;
        EXPECT_EQ(menu->grab().toImage().convertToFormat(finished.format()), finished) << c.name;
        if (c.type == kTKAnimateUnfold)
            SaveArtefact(menu->grab().toImage(), "popup_unfolded.png");
        // One tick more ends the animation; the popup paints itself as usual.
        timers.Advance(period);
        EXPECT_EQ(menu->GetOpeningAnimation(), nullptr) << c.name;
        EXPECT_EQ(timers.GetTimerCount(menu), 0u) << c.name;
        EXPECT_EQ(menu->grab().toImage().convertToFormat(finished.format()), finished) << c.name;
        menu->SetTrackingMode(0, FALSE, FALSE);
    }
}

TEST_F(PopupAnimationTest, ClosingOrRelayingOutEndsTheAnimation)
{
    CTimerService& timers = CTimerService::Instance();
    CTKPopupBar* menu = OpenMenu(kTKAnimateSlide);
    ASSERT_NE(menu, nullptr);
    ASSERT_NE(menu->GetOpeningAnimation(), nullptr);
    menu->OnControlsChanged();
    EXPECT_EQ(menu->GetOpeningAnimation(), nullptr) << "a new layout makes the image stale";
    EXPECT_EQ(timers.GetTimerCount(menu), 0u);
    menu->SetTrackingMode(0, FALSE, FALSE);

    menu = OpenMenu(kTKAnimateSlide);
    ASSERT_NE(menu, nullptr);
    ASSERT_NE(menu->GetOpeningAnimation(), nullptr);
    menu->SetTrackingMode(0, FALSE, FALSE);
    EXPECT_EQ(menu->GetOpeningAnimation(), nullptr);
    timers.Advance(kDuration * 2);
}

} // namespace
