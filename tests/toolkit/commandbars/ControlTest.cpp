// Controls on their own: texts from string resources and captions with a
// shortcut, which image a control draws, comparison, copies and clones.

#include "platform/ui/CResourceStore.h"
#include "toolkit/ToolkitFixture.h"
#include "toolkit/commandbars/CTKControlButton.h"
#include "toolkit/commandbars/images/CTKCommandIcon.h"
#include "toolkit/commandbars/images/CTKCommandImages.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// A button released when the test ends.
struct ButtonDeleter {
    void operator()(CTKControl* control) const { control->InternalRelease(); }
};
using ButtonPtr = std::unique_ptr<CTKControl, ButtonDeleter>;

ButtonPtr MakeButton()
{
    return ButtonPtr(new CTKControlButton);
}

constexpr UINT kPromptAndName = 9101;
constexpr UINT kPlainText = 9102;
constexpr UINT kNoString = 9103;
constexpr UINT kDocumentString = 9104;

class ControlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        PinPlatformDefaults();
        std::string error;
        ASSERT_TRUE(CResourceStore::Instance().LoadText("STRINGTABLE\nBEGIN\n"
                                                        "    9101 \"Compile the whole project\\nCompile All\"\n"
                                                        "    9102 \"Monitor\"\n"
                                                        "    9104 \"\\nZUL Q7\\nZUL_Q7\\n.qpj\"\n"
                                                        "END\n",
                                                        "control-test", &error))
            << error;
    }
};

TEST_F(ControlTest, SetIDTakesTooltipDescriptionAndCaptionFromTheString)
{
    struct Case {
        UINT id;
        const char* tooltip;
        const char* description;
        const char* caption;
    };
    const Case cases[] = {
        {kPromptAndName, "Compile All", "Compile the whole project", "Compile All"},
        {kPlainText, "Monitor", "Monitor", "Monitor"},
        // A document string: the tooltip is its second field alone.
        {kDocumentString, "ZUL Q7", "", "ZUL Q7"},
        // Without a string the texts stay as they were; the id is stored.
        {kNoString, "old tip", "old prompt", "old caption"},
    };
    for (const Case& c : cases) {
        ButtonPtr button = MakeButton();
        button->SetTooltipText("old tip");
        button->SetDescription("old prompt");
        button->SetCaption("old caption");
        button->SetID(c.id);
        EXPECT_EQ(button->GetID(), c.id);
        EXPECT_EQ(button->GetTooltipText(), c.tooltip) << c.id;
        EXPECT_EQ(button->GetDescription(), c.description) << c.id;
        EXPECT_EQ(button->GetCaption(), c.caption) << c.id;
    }
}

TEST_F(ControlTest, SetCaptionSplitsTheShortcutAtTheFirstTab)
{
    struct Case {
        const char* text;
        const char* caption;
        const char* shortcut;
    };
    const Case cases[] = {
        {"&Save Project\tCtrl+S", "&Save Project", "Ctrl+S"},
        {"&Open", "&Open", "before"},
        {"A\tB\tC", "A", "B\tC"},
        {"\tF6", "", "F6"},
    };
    for (const Case& c : cases) {
        ButtonPtr button = MakeButton();
        button->SetShortcutText("before");
        button->SetCaption(c.text);
        EXPECT_EQ(button->GetCaption(), c.caption) << c.text;
        EXPECT_EQ(button->GetShortcutText(), c.shortcut) << c.text;
    }
}

TEST_F(ControlTest, TheCustomCaptionWinsForDisplay)
{
    ButtonPtr button = MakeButton();
    button->SetCaption("&Print");
    EXPECT_EQ(button->GetDisplayCaption(), "&Print");
    button->SetCustomCaption("Print now");
    EXPECT_EQ(button->GetDisplayCaption(), "Print now");
}

TEST_F(ControlTest, GetIconPrefersTheCustomIconThenAPositiveIconIdThenTheCommand)
{
    CTKCommandImages& images = CTKCommandImages::Global();
    const UINT custom = 9201;
    const UINT five = 5;
    const UINT command = 100;
    for (UINT id : {custom, five, command})
        ASSERT_TRUE(images.SetIcon(CIconImage(16, 16, 0xFF000000 | id), id, 16, 16, CTKCommandImages::kNormal, FALSE));

    struct Case {
        UINT customIcon;
        int iconId;
        UINT id;
        UINT drawn;   // 0: no image
    };
    const Case cases[] = {
        {custom, 5, command, custom},
        {0, 5, command, five},
        {0, -1, command, command},
        {0, 0, command, command},
        {0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        ButtonPtr button = MakeButton();
        button->SetID(c.id);
        button->SetIconId(c.iconId);
        button->SetCustomIconId(c.customIcon);
        CTKCommandIcon* icon = button->GetIcon(16);
        if (c.drawn == 0) {
            EXPECT_EQ(icon, nullptr);
            continue;
        }
        ASSERT_NE(icon, nullptr) << c.drawn;
        EXPECT_EQ(icon->GetCommand(), c.drawn);
    }
    images.RemoveAll();
}

TEST_F(ControlTest, ComparisonLooksAtTheStoredStateOnly)
{
    ButtonPtr a = MakeButton();
    ButtonPtr b = MakeButton();
    for (CTKControl* c : {a.get(), b.get()}) {
        c->SetID(kPromptAndName);
        c->SetBeginGroup(TRUE);
    }
    // Enabled state, checked state, place and other hide bits do not count.
    b->SetEnabled(FALSE);
    b->SetChecked(TRUE);
    b->SetRect(CRect(10, 10, 30, 30));
    b->SetHideFlags(kTKHideWrap);
    b->SetCustomCaption("mine");
    EXPECT_TRUE(a->IsEqual(b.get()));

    struct Change {
        const char* what;
        void (*apply)(CTKControl*);
    };
    const Change changes[] = {
        {"hidden by the user", [](CTKControl* c) { c->SetHideFlags(kTKHideCustomize); }},
        {"caption", [](CTKControl* c) { c->SetCaption("Other"); }},
        {"group", [](CTKControl* c) { c->SetBeginGroup(FALSE); }},
        {"style", [](CTKControl* c) { c->SetStyle(kTKStyleIconAndCaption); }},
        {"image", [](CTKControl* c) { c->SetIconId(7); }},
        {"extra text", [](CTKControl* c) { c->SetExtraText("x"); }},
        {"description", [](CTKControl* c) { c->SetDescription("x"); }},
    };
    for (const Change& change : changes) {
        ButtonPtr changed(a->Clone(TRUE));
        change.apply(changed.get());
        EXPECT_FALSE(a->IsEqual(changed.get())) << change.what;
    }
}

TEST_F(ControlTest, CloneCopiesTheStoredStateButNotTheTransientOne)
{
    ButtonPtr source = MakeButton();
    source->SetID(kPromptAndName);
    source->SetStyle(kTKStyleCaption);
    source->SetFlags(kTKFlagNoUpdate);
    source->SetHideFlags(kTKHideCustomize);
    source->SetParameter("param");
    source->SetTag(42);
    source->SetEnabled(FALSE);
    source->SetChecked(TRUE);
    source->SetRect(CRect(1, 2, 3, 4));
    source->ShownDocumentTypes().insert(123);

    ButtonPtr clone(source->Clone(TRUE));
    ASSERT_NE(clone, nullptr);
    EXPECT_STREQ(clone->GetRuntimeClass()->m_lpszClassName, "CTKControlButton");
    EXPECT_TRUE(source->IsEqual(clone.get()));
    EXPECT_EQ(clone->GetStyle(), kTKStyleCaption);
    EXPECT_EQ(clone->GetFlags(), kTKFlagNoUpdate);
    EXPECT_EQ(clone->GetHideFlags(), kTKHideCustomize);
    EXPECT_EQ(clone->GetParameter(), "param");
    EXPECT_EQ(clone->GetTag(), 42u);
    EXPECT_EQ(clone->ShownDocumentTypes().count(123), 1u);
    EXPECT_TRUE(clone->GetEnabled());
    EXPECT_FALSE(clone->GetChecked());
    EXPECT_TRUE(clone->GetRect().IsRectEmpty());
}

TEST_F(ControlTest, AControlWithoutABarExecutesNothingAndAsksNoBar)
{
    ButtonPtr button = MakeButton();
    button->SetID(kPromptAndName);
    button->Execute();
    EXPECT_EQ(button->GetPressed(), kTKPressedExecuting);
    EXPECT_FALSE(button->IsCustomizeMode());
    EXPECT_EQ(button->GetCommandImages(), &CTKCommandImages::Global());
}

} // namespace
