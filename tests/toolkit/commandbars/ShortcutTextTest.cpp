// Shortcut texts: one accelerator formatted with the fallback key names,
// and the choice among a command's accelerators in a frame's table.

#include "platform/ui/CFrameWnd.h"
#include "toolkit/commandbars/CTKCommandBars.h"
#include "toolkit/commandbars/CTKCommandBarsOptions.h"
#include "toolkit/commandbars/CTKControl.h"
#include "toolkit/commandbars/CTKControls.h"
#include "toolkit/commandbars/CTKPopupBar.h"
#include "toolkit/commandbars/CTKShortcutFormatter.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

constexpr BYTE kCtrl = FVIRTKEY | FCONTROL;
constexpr BYTE kAlt = FVIRTKEY | FALT;
constexpr BYTE kCtrlShift = FVIRTKEY | FCONTROL | FSHIFT;
constexpr WORD kCommand = 32801;
constexpr WORD kOther = 32802;
constexpr WORD kF5 = 116;

TEST(ShortcutFormatterTest, FormatsOneAccelerator)
{
    struct Case {
        ACCEL entry;
        const char* text;
        int priority;
    };
    const Case cases[] = {
        {{kCtrl, 'S', kCommand}, "Ctrl+S", 3},
        {{kCtrlShift, 'N', kCommand}, "Ctrl+Shift+N", 3},
        {{FVIRTKEY | FSHIFT | FALT, 46, kCommand}, "Shift+Alt+Del", 2},
        {{FVIRTKEY | FSHIFT, 45, kCommand}, "Shift+Ins", 1},
        {{FVIRTKEY, kF5, kCommand}, "F5", 4},
        {{FVIRTKEY, 109, kCommand}, "Num -", 4},
        {{FVIRTKEY, 37, kCommand}, "Left Arrow", 4},
        // A character key shows the character itself.
        {{FCONTROL, 'q', kCommand}, "Ctrl+q", 3},
        // The escape character shows no key, only the modifiers.
        {{FCONTROL | FALT, 27, kCommand}, "Ctrl+Alt+", 3},
        {{0, 27, kCommand}, "", 4},
        // Key 0: the modifier names without a trailing "+".
        {{kCtrlShift, 0, kCommand}, "Ctrl+Shift", 3},
        // A key without a name: only the modifiers remain.
        {{kCtrl, 0xE5, kCommand}, "Ctrl+", 3},
    };
    for (const Case& test : cases) {
        std::string out = "stale";
        CTKShortcutFormatter formatter(&test.entry);
        formatter.Format(out);
        EXPECT_EQ(out, test.text) << test.text;
        EXPECT_EQ(formatter.GetPriority(), test.priority) << test.text;
    }
    std::string out = "stale";
    CTKShortcutFormatter none;
    none.Format(out);
    EXPECT_EQ(out, "");
    EXPECT_EQ(none.GetPriority(), 0);
}

TEST(ShortcutFormatterTest, UpperCasesOnlyLetters)
{
    const std::pair<char, char> cases[] = {{'a', 'A'}, {'Z', 'Z'}, {'5', '5'}, {'&', '&'}, {0, 0}, {'\xB0', '\xB0'}};
    for (const auto& [in, out] : cases)
        EXPECT_EQ(CTKShortcutFormatter::ToUpperChar(in), out) << int(in);
}

TEST(ShortcutTextTest, PicksTheAcceleratorToShow)
{
    CFrameWnd frame;
    frame.SetAccelTable(CAcceleratorTable({
        {kAlt, 'R', kCommand},
        {kCtrl, 'R', kCommand},
        {FVIRTKEY, kF5, kOther},
        {kCtrl, kF5, kOther},
        {FVIRTKEY | FSHIFT, 'T', 32803},
        {FVIRTKEY | FSHIFT, 'U', 32803},
    }));
    std::unique_ptr<CTKCommandBars, void (*)(CTKCommandBars*)> bars(new CTKCommandBars,
                                                                      [](CTKCommandBars* b) { b->InternalRelease(); });
    bars->SetFrame(&frame);

    struct Case {
        UINT id;
        const char* shown;
        const char* text;
        BOOL found;
    };
    const Case cases[] = {
        {kCommand, "", "Ctrl+R", TRUE},
        // A text that shows one of the command's accelerators stays.
        {kCommand, "Alt+R", "Alt+R", TRUE},
        {kCommand, "Ctrl+X", "Ctrl+R", TRUE},
        // A key alone wins over Ctrl.
        {kOther, "", "F5", TRUE},
        // Equal rating: the earlier entry.
        {32803, "", "Shift+T", TRUE},
        // No accelerator: the text is emptied.
        {32804, "Ctrl+Q", "", FALSE},
    };
    for (const Case& test : cases) {
        std::string text = test.shown;
        EXPECT_EQ(FindShortcutText(test.id, text, bars.get()), test.found) << test.id << test.shown;
        EXPECT_EQ(text, test.text) << test.id << test.shown;
    }
}

TEST(ShortcutTextTest, WithoutAFrameOrTableTheTextStays)
{
    CFrameWnd frame;
    std::unique_ptr<CTKCommandBars, void (*)(CTKCommandBars*)> bars(new CTKCommandBars,
                                                                      [](CTKCommandBars* b) { b->InternalRelease(); });
    std::string text = "Ctrl+Q";
    EXPECT_FALSE(FindShortcutText(kCommand, text, bars.get()));
    EXPECT_EQ(text, "Ctrl+Q");
    bars->SetFrame(&frame);
    EXPECT_FALSE(FindShortcutText(kCommand, text, bars.get()));
    EXPECT_EQ(text, "Ctrl+Q");
}

} // namespace

namespace {

TEST(ShortcutTextTest, MenuItemsAndToolbarTipsShowTheFramesAccelerators)
{
    CFrameWnd frame;
    frame.SetAccelTable(CAcceleratorTable({{kCtrl, 'R', kCommand}}));
    std::unique_ptr<CTKCommandBars, void (*)(CTKCommandBars*)> bars(new CTKCommandBars,
                                                                      [](CTKCommandBars* b) { b->InternalRelease(); });
    bars->SetFrame(&frame);

    // A menu's captions carry texts of their own; the accelerators replace them.
    std::unique_ptr<CTKPopupBar, void (*)(CTKPopupBar*)> popup(CTKPopupBar::NewPopupBar(bars.get()),
                                                                [](CTKPopupBar* p) { p->InternalRelease(); });
    CTKControl* run = popup->GetControls()->AddNewControl(kTKControlButton, kCommand);
    run->SetCaption("Run\tF9");
    CTKControl* other = popup->GetControls()->AddNewControl(kTKControlButton, kOther);
    other->SetCaption("Other\tCtrl+O");
    popup->UpdateShortcuts();
    EXPECT_EQ(run->GetShortcutText(), "Ctrl+R");
    EXPECT_EQ(other->GetShortcutText(), "");

    struct Case {
        const char* name;
        BOOL screenTips;
        BOOL accelTips;
        INT_PTR result;
        const char* text;
    };
    const Case cases[] = {
        {"plain tip", TRUE, FALSE, kCommand, "Run"},
        {"tip with its shortcut", TRUE, TRUE, kCommand, "Run (Ctrl+R)"},
        {"no screen tips", FALSE, TRUE, -1, ""},
    };
    std::unique_ptr<CTKCommandBar, void (*)(CTKCommandBar*)> bar(new CTKCommandBar,
                                                                  [](CTKCommandBar* b) { b->InternalRelease(); });
    bar->SetCommandBars(bars.get());
    CTKControl* button = bar->GetControls()->AddNewControl(kTKControlButton, kCommand);
    button->SetTooltipText("Run");
    button->SetRect(CRect(0, 0, 23, 22));
    for (const Case& test : cases) {
        bars->GetCommandBarsOptions()->bToolBarScreenTips = test.screenTips;
        bars->GetCommandBarsOptions()->bToolBarAccelTips = test.accelTips;
        TOOLINFO info;
        EXPECT_EQ(bar->OnToolHitTest(CPoint(10, 10), &info), test.result) << test.name;
        if (test.result > 0) {
            EXPECT_EQ(info.text, test.text) << test.name;
        }
    }
}

} // namespace
