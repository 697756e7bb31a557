// The mnemonic search of a bar: the character after a single '&' counts
// first, the caption's first letter otherwise; the search starts after the
// selected control and tells when a letter picks more than one control.

#include "toolkit/ToolkitFixture.h"
#include "toolkit/commandbars/CTKCommandBar.h"
#include "toolkit/commandbars/CTKControl.h"
#include "toolkit/commandbars/CTKControls.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

struct Releaser {
    void operator()(CCmdTarget* target) const { target->InternalRelease(); }
};

TEST(MnemonicTest, CaptionMnemonics)
{
    const std::pair<const char*, char> cases[] = {
        {"&File", 'F'}, {"E&xit", 'X'}, {"save &as", 'A'}, {"Fish && Chips", 0},
        {"&&Both &Ways", 'W'}, {"Print&", 0}, {"", 0}, {"&1 Recent", '1'},
    };
    for (const auto& [caption, mnemonic] : cases)
        EXPECT_EQ(CTKCommandBar::GetMnemonic(caption), mnemonic) << caption;
}

TEST(MnemonicTest, FindsFromTheControlAfterTheSelection)
{
    PinPlatformDefaults();
    std::unique_ptr<CTKCommandBar, Releaser> bar{new CTKCommandBar};
    const char* captions[] = {"&File", "&Edit", "E&xit", "Fish && Chips", "&Save", "&Stop",
                              "Print&", "Tools", "Trace", "Hidden", "&Hidden too"};
    UINT id = 1;
    for (const char* caption : captions)
        bar->GetControls()->AddNewControl(kTKControlButton, id++)->SetCaption(std::string(caption));
    bar->GetControl(9)->SetHideFlags(kTKHideExpand);
    bar->GetControl(10)->SetHideFlags(kTKHideExpand);

    struct Case {
        int selected;
        char character;
        int found;
        BOOL several;
    };
    const Case cases[] = {
        {-1, 'F', 0, FALSE},  // the '&' match wins over the first letter of "Fish"
        {-1, 'E', 1, FALSE},  // "E&xit" answers only to X
        {-1, 'X', 2, FALSE},
        {-1, 'S', 4, TRUE},   // two '&' matches
        {4, 'S', 5, TRUE},    // the next press moves on
        {5, 'S', 4, TRUE},    // and wraps around
        {-1, 'P', 6, FALSE},  // a final '&' leaves the first letter
        {-1, 'T', 7, TRUE},   // first letters only
        {7, 'T', 8, TRUE},
        {0, 'F', 0, FALSE},   // the selected control is reached last
        {-1, 'H', -1, FALSE}, // hidden controls do not answer
        {-1, 'Q', -1, FALSE},
    };
    for (const Case& test : cases) {
        bar->SetSelected(test.selected, TRUE);
        BOOL several = !test.several;
        EXPECT_EQ(bar->FindMnemonic(test.character, &several), test.found) << test.selected << test.character;
        EXPECT_EQ(several, test.several) << test.selected << test.character;
    }
}

} // namespace
