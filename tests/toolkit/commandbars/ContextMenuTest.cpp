// Context menus: the modal popup loop with keys, mnemonics and the mouse,
// what the chosen command becomes (a WM_COMMAND to the site, or the result),
// submenus that open on hover, the end of the loop on an application quit.

#include "platform/CSystemMetrics.h"
#include "platform/ui/CMenu.h"
#include "platform/ui/CMessagePump.h"
#include "platform/ui/CTimerService.h"
#include "toolkit/ToolkitFixture.h"
#include "toolkit/commandbars/CTKCommandBars.h"
#include "toolkit/commandbars/CTKCommandBarsOptions.h"
#include "toolkit/commandbars/CTKControlPopup.h"
#include "toolkit/commandbars/CTKControls.h"
#include "toolkit/commandbars/CTKPopupBar.h"
#include "toolkit/commandbars/CTKPopupShadow.h"
#include "toolkit/commandbars/CTKPopupTracker.h"
#include "toolkit/commandbars/draw/CTKBarRenderer.h"

#include <QCoreApplication>
#include <QCursor>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <vector>

namespace {

constexpr UINT kCut = 32100;
constexpr UINT kCopy = 32101;
constexpr UINT kPaste = 32102;
constexpr UINT kAlpha = 32200;
constexpr UINT kBeta = 32201;
const CRect kSiteRect(100, 100, 700, 600);
const CPoint kMenuPoint(200, 200);

// The window that opens the menus; it has a handler for every command of
// the menu (so the items are enabled) and records the commands it gets.
class CMenuSite : public CWnd {
public:
    std::vector<UINT> commands;

    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* info) override
    {
        const BOOL ours = id == kCut || id == kCopy || id == kPaste || id == kAlpha || id == kBeta;
        if (ours && code == CN_COMMAND)
            return TRUE;
        return CWnd::OnCmdMsg(id, code, extra, info);
    }

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM) override
    {
        commands.push_back(LOWORD(wParam));
        return TRUE;
    }
};

CMenu MakeMenu()
{
    CMenu more;
    more.CreatePopupMenu();
    more.AppendMenu(MF_STRING, kAlpha, "&Alpha");
    more.AppendMenu(MF_STRING, kBeta, "&Beta");
    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING, kCut, "&Cut");
    menu.AppendMenu(MF_STRING, kCopy, "&Copy");
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendPopup(MF_POPUP, more, "&More");
    menu.AppendMenu(MF_STRING, kPaste, "&Paste");
    return menu;
}

CTKPopupBar* OpenPopup(int depth)
{
    const auto& bars = CTKPopupTracker::Get().GetTrackedBars();
    if (depth >= static_cast<int>(bars.size()))
        return nullptr;
    return dynamic_cast<CTKPopupBar*>(bars[static_cast<std::size_t>(depth)]);
}

CPoint ItemCentre(CTKPopupBar* popup, UINT id)
{
    CTKControl* control = popup->GetControls()->FindControl(id);
    return control ? control->GetRect().CenterPoint() : CPoint();
}

class ContextMenuTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        PinPlatformDefaults();
        CSystemMetrics::Instance().SetDropShadow(TRUE);
        CTKBarRenderer::SelectTheme(kTKThemeClassic);
        ASSERT_TRUE(site.Create(nullptr, kSiteRect, 0, WS_OVERLAPPEDWINDOW | WS_VISIBLE));
        site.activateWindow();
        ProcessEvents();
    }
    void TearDown() override
    {
        CTKPopupTracker::Get().CloseTrackedBars();
        site.DestroyWindow();
    }

    // Shows the menu and runs the script inside its loop; a script that
    // leaves the menu open fails and closes it, so the loop always ends.
    int Run(UINT flags, const std::function<void()>& script)
    {
        QTimer::singleShot(0, [&] {
            script();
            if (!CTKPopupTracker::Get().GetTrackedBars().empty()) {
                ADD_FAILURE() << "the menu is still open";
                CTKPopupTracker::Get().CloseTrackedBars();
            }
        });
        const CMenu menu = MakeMenu();
        return CTKCommandBars::ShowContextMenu(&menu, flags, kMenuPoint.x, kMenuPoint.y, &site, nullptr, nullptr,
                                               nullptr);
    }

    CMenuSite site;
};

TEST_F(ContextMenuTest, KeysChooseTheCommand)
{
    struct Case {
        const char* name;
        UINT flags;
        std::vector<Qt::Key> keys;
        int result;
        std::vector<UINT> commands;
    };
    const Case cases[] = {
        {"down and enter", 0, {Qt::Key_Down, Qt::Key_Return}, TRUE, {kCut}},
        {"down twice, returned", TPM_RETURNCMD, {Qt::Key_Down, Qt::Key_Down, Qt::Key_Return}, kCopy, {}},
        {"up wraps to the last item", TPM_RETURNCMD, {Qt::Key_Up, Qt::Key_Return}, kPaste, {}},
        {"a single mnemonic executes", 0, {Qt::Key_P}, TRUE, {kPaste}},
        {"a shared mnemonic only selects", TPM_RETURNCMD, {Qt::Key_C, Qt::Key_C, Qt::Key_Return}, kCopy, {}},
        {"submenu by mnemonic", TPM_RETURNCMD, {Qt::Key_M, Qt::Key_B}, kBeta, {}},
        {"submenu by arrow", 0, {Qt::Key_Up, Qt::Key_Up, Qt::Key_Right, Qt::Key_Return}, TRUE, {kAlpha}},
        {"escape, returned", TPM_RETURNCMD, {Qt::Key_Escape}, 0, {}},
        {"escape closes the submenu first", TPM_RETURNCMD, {Qt::Key_M, Qt::Key_Escape, Qt::Key_Down, Qt::Key_Return},
         kPaste, {}},
        {"alt closes everything", TPM_RETURNCMD, {Qt::Key_M, Qt::Key_Alt}, 0, {}},
        {"a submenu opens again after closing", TPM_RETURNCMD, {Qt::Key_M, Qt::Key_Escape, Qt::Key_M, Qt::Key_B}, kBeta,
         {}},
    };
    for (const Case& test : cases) {
        site.commands.clear();
        const int result = Run(test.flags, [&] {
            for (Qt::Key key : test.keys) {
                if (CTKPopupTracker::Get().GetTrackedBars().empty())
                    break;
                QTest::keyClick(&site, key, key == Qt::Key_Alt ? Qt::AltModifier : Qt::NoModifier);
            }
        });
        EXPECT_EQ(result, test.result) << test.name;
        EXPECT_EQ(site.commands, test.commands) << test.name;
        EXPECT_TRUE(CTKPopupTracker::Get().GetTrackedBars().empty()) << test.name;
    }
}

TEST_F(ContextMenuTest, MouseChoosesOrDismisses)
{
    struct Case {
        const char* name;
        UINT flags;
        BOOL clickOutside;
        int result;
        std::vector<UINT> commands;
    };
    const Case cases[] = {
        {"click on an item", 0, FALSE, TRUE, {kCopy}},
        {"click on an item, returned", TPM_RETURNCMD, FALSE, kCopy, {}},
        {"click outside, returned", TPM_RETURNCMD, TRUE, 0, {}},
        {"click outside", 0, TRUE, TRUE, {}},
    };
    for (const Case& test : cases) {
        site.commands.clear();
        const int result = Run(test.flags, [&] {
            CTKPopupBar* popup = OpenPopup(0);
            ASSERT_NE(popup, nullptr);
            if (test.clickOutside) {
                QTest::mouseClick(&site, Qt::LeftButton, {}, QPoint(500, 450));
                return;
            }
            const CPoint item = ItemCentre(popup, kCopy);
            QTest::mouseMove(popup, QPoint(item.x, item.y));
            QTest::mouseClick(popup, Qt::LeftButton, {}, QPoint(item.x, item.y));
        });
        EXPECT_EQ(result, test.result) << test.name;
        EXPECT_EQ(site.commands, test.commands) << test.name;
    }
}

TEST_F(ContextMenuTest, SubmenuOpensOnHoverBesideItsItemWithShadows)
{
    CTimerService::Instance().SetFakeClock(TRUE);
    const int result = Run(TPM_RETURNCMD, [&] {
        CTKPopupBar* popup = OpenPopup(0);
        ASSERT_NE(popup, nullptr);
        CTKControl* moreItem = popup->GetControls()->FindControl(kTKControlPopup, kTKSubmenuItemId, TRUE, FALSE);
        ASSERT_NE(moreItem, nullptr);
        const CPoint centre = moreItem->GetRect().CenterPoint();
        QCursor::setPos(popup->mapToGlobal(QPoint(centre.x, centre.y)));
        popup->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(centre.x, centre.y));
        EXPECT_EQ(popup->GetSelectedIndex(), moreItem->GetIndex());
        EXPECT_EQ(OpenPopup(1), nullptr) << "not before the hover pause";
        CTimerService::Instance().Advance(kTKHoverDelay);
        ProcessEvents();
        CTKPopupBar* submenu = OpenPopup(1);
        ASSERT_NE(submenu, nullptr);

        // Beside its item, to the right, top edges level with the item.
        CRect item = moreItem->GetRect();
        popup->ClientToScreen(&item);
        CRect sub;
        submenu->GetWindowRect(&sub);
        EXPECT_GE(sub.left, item.right - 4);
        EXPECT_LE(std::abs(sub.top - item.top), 4);
        EXPECT_GE(CTKPopupShadow::Get().GetShadowCount(), 4);
        SaveScreenshot("context_menu_submenu.png");

        const CPoint beta = ItemCentre(submenu, kBeta);
        QCursor::setPos(submenu->mapToGlobal(QPoint(beta.x, beta.y)));
        QTest::mouseMove(submenu, QPoint(beta.x, beta.y));
        QTest::mouseClick(submenu, Qt::LeftButton, {}, QPoint(beta.x, beta.y));
    });
    CTimerService::Instance().SetFakeClock(FALSE);
    EXPECT_EQ(result, static_cast<int>(kBeta));
    EXPECT_EQ(CTKPopupShadow::Get().GetShadowCount(), 0);
}

TEST_F(ContextMenuTest, NotAMenuOpensNothing)
{
    const CMenu none;
    EXPECT_FALSE(CTKCommandBars::ShowContextMenu(&none, 0, 10, 10, &site, nullptr, nullptr, nullptr));
    EXPECT_FALSE(CTKCommandBars::ShowContextMenu(nullptr, 0, 10, 10, &site, nullptr, nullptr, nullptr));
    EXPECT_TRUE(CTKPopupTracker::Get().GetTrackedBars().empty());
}

TEST_F(ContextMenuTest, AQuitEndsTheMenuLoopAndStillEndsTheMainLoop)
{
    int result = -1;
    BOOL closedAfter = FALSE;
    QTimer::singleShot(0, [&] {
        QTimer::singleShot(0, [] { CMessagePump::PostQuitMessage(0); });
        const CMenu menu = MakeMenu();
        result = CTKCommandBars::ShowContextMenu(&menu, TPM_RETURNCMD, kMenuPoint.x, kMenuPoint.y, &site, nullptr,
                                                 nullptr, nullptr);
        closedAfter = CTKPopupTracker::Get().GetTrackedBars().empty();
    });
    // Returns only when the quit reached this loop too.
    QCoreApplication::exec();
    EXPECT_EQ(result, 0);
    EXPECT_TRUE(closedAfter);
}

} // namespace

TEST_F(ContextMenuTest, ARunCommandIsNoLongerRarelyUsed)
{
    auto* bars = new CTKCommandBars;
    bars->GetCommandBarsOptions()->hiddenCommands = {kCopy, kPaste};
    QTimer::singleShot(0, [&] {
        QTest::keyClick(&site, Qt::Key_Down);
        QTest::keyClick(&site, Qt::Key_Down);
        QTest::keyClick(&site, Qt::Key_Return);
    });
    const CMenu menu = MakeMenu();
    CTKCommandBars::ShowContextMenu(&menu, 0, kMenuPoint.x, kMenuPoint.y, &site, nullptr, nullptr, bars);
    EXPECT_EQ(site.commands, std::vector<UINT>{kCopy});
    EXPECT_EQ(bars->GetCommandBarsOptions()->usedCommands, std::set<UINT>{kCopy});
    EXPECT_TRUE(bars->IsHiddenCommand(kPaste));
    bars->InternalRelease();
}
