// The controls collection: order and back links, insertion positions,
// keyboard navigation, menu items as controls, search, hit test, removal,
// duplicates with their reference copy, and change detection.

#include "platform/ui/CMenu.h"
#include "platform/ui/CResourceStore.h"
#include "toolkit/ToolkitFixture.h"
#include "toolkit/commandbars/CTKCommandBar.h"
#include "toolkit/commandbars/CTKControlButton.h"
#include "toolkit/commandbars/CTKControlPopup.h"
#include "toolkit/commandbars/CTKControls.h"
#include "toolkit/commandbars/CTKPopupBar.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

constexpr UINT kFixtureMenu = 4003;
constexpr UINT kToolsMenu = 4004;

struct Releaser {
    void operator()(CCmdTarget* target) const { target->InternalRelease(); }
};

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override { PinPlatformDefaults(); }

    // Buttons with ids 1..count.
    void Fill(int count)
    {
        for (int i = 1; i <= count; ++i)
            bar->GetControls()->AddNewControl(kTKControlButton, static_cast<UINT>(i));
    }
    std::vector<UINT> Ids() const
    {
        std::vector<UINT> ids;
        for (int i = 0; i < controls()->GetCount(); ++i)
            ids.push_back(controls()->GetAt(i)->GetID());
        return ids;
    }
    CTKControls* controls() const { return bar->GetControls(); }
    void ExpectLinksInStep() const
    {
        for (int i = 0; i < controls()->GetCount(); ++i) {
            CTKControl* control = controls()->GetAt(i);
            EXPECT_EQ(control->GetIndex(), i);
            EXPECT_EQ(control->GetControls(), controls());
            EXPECT_EQ(control->GetParent(), bar.get());
        }
    }

    std::unique_ptr<CTKCommandBar, Releaser> bar{new CTKCommandBar};
};

TEST_F(ControlsTest, InsertingKeepsIndexesAndLinksInStep)
{
    struct Case {
        int before;
        std::vector<UINT> ids;
    };
    const Case cases[] = {
        {99, {1, 2, 3, 9}},
        {-1, {1, 2, 3, 9}},
        {3, {1, 2, 3, 9}},
        {0, {9, 1, 2, 3}},
        {1, {1, 9, 2, 3}},
    };
    for (const Case& c : cases) {
        controls()->RemoveAll();
        Fill(3);
        CTKControl* inserted = controls()->InsertControl(new CTKControlButton, 9, "p", c.before, TRUE);
        EXPECT_EQ(Ids(), c.ids) << c.before;
        EXPECT_EQ(inserted->GetParameter(), "p");
        EXPECT_TRUE(inserted->IsTemporary());
        ExpectLinksInStep();
    }
}

TEST_F(ControlsTest, ControlsChangedClearsTheSelectionAndAsksForALayout)
{
    Fill(3);
    ASSERT_TRUE(bar->SetSelected(1, FALSE));
    EXPECT_EQ(controls()->GetAt(1)->GetSelected(), kTKSelectedHot);
    controls()->AddClone(controls()->GetAt(0), 0, TRUE);
    EXPECT_EQ(bar->GetSelectedIndex(), -1);
    EXPECT_TRUE(bar->IsLayoutDue());
    EXPECT_EQ(Ids(), (std::vector<UINT>{1, 1, 2, 3}));
    ExpectLinksInStep();
}

TEST_F(ControlsTest, OnlyButtonsAreMadeByType)
{
    EXPECT_NE(controls()->AddNewControl(kTKControlButton, 5), nullptr);
    for (int type : {0, 8, -1})
        EXPECT_EQ(controls()->AddNewControl(type, 5), nullptr) << type;
    EXPECT_EQ(controls()->GetCount(), 1);
}

// A site that records the popup-bar requests (message 0x530) and, when
// given a bar, answers with it and a caption of its own.
class CPopupBarSite : public CWnd {
public:
    struct Request {
        int popup;
        DWORD toolBarFields[3];
        std::string caption;
        UINT id;
    };
    std::vector<Request> requests;
    CTKCommandBar* answer = nullptr;
    const char* answerCaption = nullptr;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != WM_TK_POPUP_BAR)
            return CWnd::WindowProc(message, wParam, lParam);
        auto* record = reinterpret_cast<TKPOPUPBARRECORD*>(lParam);
        requests.push_back({record->nPopup,
                            {record->dwToolBarFields[0], record->dwToolBarFields[1], record->dwToolBarFields[2]},
                            record->pszCaption ? record->pszCaption : "<null>",
                            record->nId});
        if (!answer)
            return 0;
        record->pBar = answer;
        record->pszCaption = answerCaption;
        answer = nullptr;
        return 1;
    }
};

std::vector<UINT> ChildIds(const CTKControl* popup)
{
    std::vector<UINT> ids;
    const CTKCommandBar* child = popup->GetCommandBar();
    for (int i = 0; child && i < child->GetControlCount(); ++i)
        ids.push_back(child->GetControl(i)->GetID());
    return ids;
}

TEST_F(ControlsTest, PopupTypesLoadTheirMenuResourceAndAskTheSiteForTheBar)
{
    CPopupBarSite site;
    bar->SetSite(&site);
    struct Case {
        int type;
        UINT id;
        UINT controlId;
    };
    // The high word of the id is not part of the resource id; only types
    // 3 and 4 take the id as their command.
    const Case cases[] = {
        {kTKControlPopup, kToolsMenu, 0},
        {kTKControlButtonPopup, kToolsMenu, kToolsMenu},
        {kTKControlSplitButtonPopup, 0x10000 | kToolsMenu, 0x10000 | kToolsMenu},
    };
    for (const Case& c : cases) {
        site.requests.clear();
        CTKControl* control = controls()->AddNewControl(c.type, c.id, "param", 0, TRUE);
        ASSERT_NE(control, nullptr) << c.type;
        EXPECT_NE(dynamic_cast<CTKControlPopup*>(control), nullptr);
        EXPECT_EQ(control->GetType(), c.type);
        EXPECT_EQ(control->GetID(), c.controlId) << c.type;
        EXPECT_EQ(control->GetCaption(), "&Tools");
        EXPECT_EQ(control->GetParameter(), "param");
        EXPECT_TRUE(control->IsTemporary());
        EXPECT_EQ(control->GetIndex(), 0);
        EXPECT_EQ(ChildIds(control), (std::vector<UINT>{32800, 32801}));
        ASSERT_EQ(site.requests.size(), 1u);
        const CPopupBarSite::Request& request = site.requests[0];
        EXPECT_EQ(request.popup, 1);
        EXPECT_EQ(request.toolBarFields[0] | request.toolBarFields[1] | request.toolBarFields[2], 0u);
        EXPECT_EQ(request.caption, "&Tools");
        EXPECT_EQ(request.id, c.id);
    }
    ExpectLinksInStep();

    // A resource that does not load: an empty child bar and no caption.
    CTKControl* missing = controls()->AddNewControl(kTKControlPopup, 4999);
    ASSERT_NE(missing, nullptr);
    EXPECT_EQ(missing->GetCaption(), "");
    ASSERT_NE(missing->GetCommandBar(), nullptr);
    EXPECT_EQ(missing->GetCommandBar()->GetControlCount(), 0);

    // The site's own bar is used and filled; its caption replaces the menu's.
    CTKPopupBar* offered = CTKPopupBar::NewPopupBar(nullptr);
    site.answer = offered;
    site.answerCaption = "Site Tools";
    CTKControl* supplied = controls()->AddNewControl(kTKControlButtonPopup, kToolsMenu);
    ASSERT_NE(supplied, nullptr);
    EXPECT_EQ(supplied->GetCommandBar(), offered);
    EXPECT_EQ(supplied->GetCaption(), "Site Tools");
    EXPECT_EQ(ChildIds(supplied), (std::vector<UINT>{32800, 32801}));
}

TEST_F(ControlsTest, ASiteAnswerThatIsNoPopupBarIsIgnored)
{
    CPopupBarSite site;
    bar->SetSite(&site);
    auto* notAPopup = new CTKCommandBar;
    // The site keeps its bar when it is not taken.
    site.answer = notAPopup;
    CTKControl* control = controls()->AddNewControl(kTKControlPopup, kToolsMenu);
    ASSERT_NE(control, nullptr);
    EXPECT_NE(control->GetCommandBar(), notAPopup);
    EXPECT_EQ(ChildIds(control), (std::vector<UINT>{32800, 32801}));
    notAPopup->InternalRelease();
}

TEST_F(ControlsTest, MenuItemPopupsOfferTheirPlainTitleToTheSite)
{
    CPopupBarSite site;
    bar->SetSite(&site);
    CMenu menu;
    menu.CreatePopupMenu();
    CMenu submenu;
    submenu.CreatePopupMenu();
    submenu.AppendMenu(MF_STRING, 32806, "&Monitor");
    menu.AppendPopup(MF_POPUP, submenu, "&Debug");

    CTKControl* debug = controls()->AddMenuItem(&menu, 0);
    ASSERT_NE(debug, nullptr);
    EXPECT_EQ(debug->GetType(), kTKControlPopup);
    EXPECT_EQ(debug->GetCaption(), "&Debug");
    ASSERT_EQ(site.requests.size(), 1u);
    EXPECT_EQ(site.requests[0].caption, "Debug");
    EXPECT_EQ(site.requests[0].popup, 1);
    EXPECT_EQ(site.requests[0].id, 0xFFFFFFFFu);
    ASSERT_NE(debug->GetCommandBar(), nullptr);
    EXPECT_EQ(debug->GetCommandBar()->GetBarTitle(), "Debug");
    EXPECT_EQ(ChildIds(debug), (std::vector<UINT>{32806}));

    // The site's caption after its answer becomes the bar's title.
    CTKPopupBar* offered = CTKPopupBar::NewPopupBar(nullptr);
    site.answer = offered;
    site.answerCaption = "Tools Bar";
    CTKControl* again = controls()->AddMenuItem(&menu, 0);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->GetCommandBar(), offered);
    EXPECT_EQ(offered->GetBarTitle(), "Tools Bar");
}

TEST_F(ControlsTest, GetNextIndexWrapsAndSkipsWhatCannotBeReached)
{
    struct Case {
        const char* what;
        std::vector<DWORD> hide;
        std::vector<DWORD> flags;
        int index;
        int step;
        BOOL keyboard;
        int expected;
    };
    const std::vector<DWORD> none(5, 0);
    const Case cases[] = {
        {"forward", none, none, 1, +1, TRUE, 2},
        {"wraps forward", none, none, 4, +1, TRUE, 0},
        {"wraps backward", none, none, 0, -1, TRUE, 4},
        {"from the start", none, none, -1, +1, TRUE, 0},
        {"from the end", none, none, -1, -1, TRUE, 4},
        {"only the last is visible", {0x10, 0x10, 0x10, 0x10, 0}, none, -1, +1, TRUE, 4},
        {"nothing qualifies", {0x10, 0x20, 0x10, 0x20, 0x10}, none, -1, +1, TRUE, -1},
        {"nothing else qualifies", {0x10, 0x10, 0, 0x10, 0x10}, none, 2, +1, TRUE, 2},
        {"scrolled away is reachable", {0, 0x08, 0, 0, 0}, none, 0, +1, TRUE, 1},
        {"hidden by the user is not", {0, 0x10, 0, 0, 0}, none, 0, +1, TRUE, 2},
        {"rare command is not", {0, 0x20, 0, 0, 0}, none, 0, +1, TRUE, 2},
        {"keyboard skips flag 2", none, {0, 0x02, 0, 0, 0}, 0, +1, TRUE, 2},
        {"the mouse does not", none, {0, 0x02, 0, 0, 0}, 0, +1, FALSE, 1},
    };
    for (const Case& c : cases) {
        controls()->RemoveAll();
        Fill(5);
        for (int i = 0; i < 5; ++i) {
            controls()->GetAt(i)->SetHideFlags(c.hide[static_cast<std::size_t>(i)]);
            controls()->GetAt(i)->SetFlags(c.flags[static_cast<std::size_t>(i)]);
        }
        EXPECT_EQ(controls()->GetNextIndex(c.index, c.step, c.keyboard, FALSE), c.expected) << c.what;
    }
    controls()->RemoveAll();
    EXPECT_EQ(controls()->GetNextIndex(-1, +1, TRUE, FALSE), -1);
}

TEST_F(ControlsTest, GetNextIndexCanSkipTemporaryControls)
{
    Fill(3);
    controls()->GetAt(1)->SetTemporary(TRUE);
    EXPECT_EQ(controls()->GetNextIndex(0, +1, TRUE, TRUE), 2);
    EXPECT_EQ(controls()->GetNextIndex(0, +1, TRUE, FALSE), 1);
}

TEST_F(ControlsTest, AMenuBecomesButtonsWithGroupsAndShortcuts)
{
    const CMenu* menu = CResourceStore::Instance().FindMenu(kFixtureMenu);
    ASSERT_NE(menu, nullptr);
    ASSERT_TRUE(bar->LoadMenu(menu, TRUE));

    struct Expected {
        UINT id;
        const char* caption;
        const char* shortcut;
        BOOL group;
    };
    // The first child window of a window list (0xFF00) gives no control.
    const Expected expected[] = {
        {32806, "&Monitor", "F6", FALSE},
        {32794, "&Download...", "F8", TRUE},
        {32793, "Upload", "", FALSE},
    };
    ASSERT_EQ(controls()->GetCount(), 3);
    for (int i = 0; i < 3; ++i) {
        const CTKControl* control = controls()->GetAt(i);
        const Expected& e = expected[i];
        EXPECT_EQ(control->GetID(), e.id);
        EXPECT_EQ(control->GetType(), kTKControlButton);
        EXPECT_EQ(control->GetCaption(), e.caption);
        EXPECT_EQ(control->GetShortcutText(), e.shortcut);
        EXPECT_EQ(control->GetBeginGroup(), e.group) << e.id;
    }
    ExpectLinksInStep();

    // Loading again without removing appends; with removing replaces.
    ASSERT_TRUE(bar->LoadMenu(menu, FALSE));
    EXPECT_EQ(controls()->GetCount(), 6);
    ASSERT_TRUE(bar->LoadMenu(menu, TRUE));
    EXPECT_EQ(controls()->GetCount(), 3);
    CMenu notLoaded;
    EXPECT_FALSE(bar->LoadMenu(&notLoaded, TRUE));
    EXPECT_FALSE(bar->LoadMenu(nullptr, TRUE));
    EXPECT_EQ(controls()->GetCount(), 3);
}

TEST_F(ControlsTest, FindHitTestAndCountRespectTheHideFlags)
{
    Fill(4);
    for (int i = 0; i < 4; ++i)
        controls()->GetAt(i)->SetRect(CRect(i * 10, 0, i * 10 + 10, 10));
    controls()->GetAt(1)->SetHideFlags(kTKHideWrap);
    controls()->GetAt(2)->SetHideFlags(kTKHideCustomize);
    controls()->GetAt(3)->SetID(2);

    EXPECT_EQ(controls()->FindControl(2), controls()->GetAt(1));
    EXPECT_EQ(controls()->FindControl(0, 2, TRUE, FALSE), controls()->GetAt(3));
    EXPECT_EQ(controls()->FindControl(0, static_cast<UINT>(-1), TRUE, FALSE), controls()->GetAt(0));
    EXPECT_EQ(controls()->FindControl(kTKControlPopup, 2, FALSE, TRUE), nullptr);
    EXPECT_EQ(controls()->FindControl(77), nullptr);

    EXPECT_EQ(controls()->HitTest(CPoint(15, 5)), nullptr);
    EXPECT_EQ(controls()->HitTest(CPoint(35, 5)), controls()->GetAt(3));
    EXPECT_EQ(controls()->GetVisibleCount(TRUE), 2);
    EXPECT_EQ(controls()->GetVisibleCount(FALSE), 3);

    CTKControl* walk = controls()->GetFirst();
    int walked = 0;
    for (; walk; controls()->GetNext(walk))
        ++walked;
    EXPECT_EQ(walked, 4);
    EXPECT_EQ(controls()->GetAt(4), nullptr);
    EXPECT_EQ(controls()->GetAt(-1), nullptr);
}

TEST_F(ControlsTest, RemovingClearsTheLinksAndTheSelection)
{
    Fill(3);
    CTKControl* middle = controls()->GetAt(1);
    middle->InternalAddRef();
    ASSERT_TRUE(bar->SetSelected(1, FALSE));
    controls()->Remove(middle);
    EXPECT_EQ(Ids(), (std::vector<UINT>{1, 3}));
    EXPECT_EQ(middle->GetControls(), nullptr);
    EXPECT_EQ(middle->GetParent(), nullptr);
    EXPECT_EQ(middle->GetRefCount(), 1);
    EXPECT_EQ(bar->GetSelectedIndex(), -1);
    ExpectLinksInStep();

    // A control that is not in the collection changes nothing.
    controls()->Remove(middle);
    controls()->Remove(7);
    controls()->Remove(static_cast<CTKControl*>(nullptr));
    EXPECT_EQ(Ids(), (std::vector<UINT>{1, 3}));
    middle->InternalRelease();
}

TEST_F(ControlsTest, DuplicatesAndTheReferenceCopyTellWhatTheUserChanged)
{
    Fill(3);
    controls()->AddNewControl(kTKControlButton, 50, "", -1, TRUE);
    controls()->CreateReferenceCopy();
    ASSERT_NE(controls()->GetReferenceCopy(), nullptr);
    EXPECT_EQ(controls()->GetReferenceCopy()->GetCount(), 3);
    EXPECT_FALSE(controls()->IsChanged());

    struct Change {
        const char* what;
        void (*apply)(CTKControls*);
        BOOL changed;
    };
    const Change changes[] = {
        {"a temporary control more", [](CTKControls* c) { c->AddNewControl(kTKControlButton, 51, "", 0, TRUE); },
         FALSE},
        {"disabled", [](CTKControls* c) { c->GetAt(0)->SetEnabled(FALSE); }, FALSE},
        {"a control more", [](CTKControls* c) { c->AddNewControl(kTKControlButton, 52); }, TRUE},
        {"a control less", [](CTKControls* c) { c->Remove(0); }, TRUE},
        {"hidden by the user", [](CTKControls* c) { c->GetAt(1)->SetHideFlags(kTKHideCustomize); }, TRUE},
        {"renamed", [](CTKControls* c) { c->GetAt(2)->SetCaption("Renamed"); }, TRUE},
    };
    for (const Change& change : changes) {
        std::unique_ptr<CTKControls, Releaser> copy(controls()->Duplicate(TRUE));
        ASSERT_NE(copy->GetReferenceCopy(), nullptr);
        EXPECT_EQ(copy->GetCount(), 3);
        EXPECT_EQ(copy->GetParent(), nullptr);
        EXPECT_FALSE(copy->IsChanged());
        change.apply(copy.get());
        EXPECT_EQ(copy->IsChanged(), change.changed) << change.what;
    }

    controls()->ReleaseReferenceCopy();
    EXPECT_FALSE(controls()->IsChanged());
}

TEST_F(ControlsTest, TheDocumentTypeFilterHidesControlsForOtherDocuments)
{
    constexpr UINT kLadder = 130;
    constexpr UINT kList = 131;
    Fill(3);
    controls()->GetAt(0)->ShownDocumentTypes().insert(kLadder);
    controls()->GetAt(1)->HiddenDocumentTypes().insert(kLadder);
    struct Case {
        UINT menu;
        BOOL changed;
        DWORD hide[3];
    };
    const Case cases[] = {
        {kLadder, TRUE, {0, kTKHideDocumentType, 0}},
        {kLadder, FALSE, {0, kTKHideDocumentType, 0}},
        {kList, TRUE, {kTKHideDocumentType, 0, 0}},
        // No active menu: nothing to do.
        {0, FALSE, {kTKHideDocumentType, 0, 0}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(bar->FilterDocumentTypes(c.menu), c.changed) << c.menu;
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(controls()->GetAt(i)->GetHideFlags(), c.hide[i]) << c.menu << " control " << i;
        if (c.changed) {
            EXPECT_TRUE(bar->IsLayoutDue());
        }
    }
    // Other hide bits are kept.
    controls()->GetAt(0)->SetHideFlags(kTKHideWrap | kTKHideDocumentType);
    EXPECT_TRUE(bar->FilterDocumentTypes(kLadder));
    EXPECT_EQ(controls()->GetAt(0)->GetHideFlags(), kTKHideWrap);
}

} // namespace
