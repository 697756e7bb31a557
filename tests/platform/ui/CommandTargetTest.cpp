// Command tables, update handlers, notifications and reference counting.

#include "platform/ui/CCmdTarget.h"
#include "platform/ui/CCmdUI.h"
#include "platform/ui/CWnd.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class CBaseTarget : public CCmdTarget {
public:
    CBaseTarget()
    {
        using Cmd = CCmdEntry<CBaseTarget>;
        static const Cmd kCommands[] = {
            Cmd::Command(100, &CBaseTarget::OnBase),
            Cmd::Command(101, &CBaseTarget::OnBase),
            Cmd::Update(101, &CBaseTarget::OnUpdateDisable),
        };
        AddCommandTable(kCommands);
    }
    void OnBase() { log.push_back("base"); }
    void OnUpdateDisable(CCmdUI* cmdUI) { cmdUI->Enable(FALSE); }
    std::vector<std::string> log;
};

class CDerivedTarget : public CBaseTarget {
public:
    explicit CDerivedTarget(bool* deleted = nullptr) : m_deleted(deleted)
    {
        using Cmd = CCmdEntry<CDerivedTarget>;
        static const Cmd kCommands[] = {
            Cmd::Command(100, &CDerivedTarget::OnDerived),
            Cmd::CommandRange(200, 209, &CDerivedTarget::OnRange),
            Cmd::UpdateRange(200, 209, &CDerivedTarget::OnUpdateRange),
            Cmd::Notify(300, static_cast<int>(MAKELONG(7, WM_NOTIFY)), &CDerivedTarget::OnNotify7),
            Cmd::Update(400, &CDerivedTarget::OnUpdatePassOn),
        };
        AddCommandTable(kCommands);
    }
    ~CDerivedTarget() override
    {
        if (m_deleted)
            *m_deleted = true;
    }
    void OnDerived() { log.push_back("derived"); }
    void OnRange(UINT id) { log.push_back("range " + std::to_string(id)); }
    void OnUpdateRange(CCmdUI* cmdUI)
    {
        cmdUI->SetCheck(cmdUI->m_nID == 203);
        cmdUI->SetText("item " + std::to_string(cmdUI->m_nID));
    }
    void OnNotify7(NMHDR* header, LRESULT* result)
    {
        log.push_back("notify " + std::to_string(header->idFrom));
        *result = 42;
    }
    void OnUpdatePassOn(CCmdUI* cmdUI) { cmdUI->ContinueRouting(); }

private:
    bool* m_deleted;
};

TEST(CommandTargetTest, TablesOfDerivedClassesComeFirstAndRangesPassTheId)
{
    CDerivedTarget target;
    EXPECT_TRUE(target.OnCmdMsg(100, CN_COMMAND, nullptr, nullptr));
    EXPECT_TRUE(target.OnCmdMsg(101, CN_COMMAND, nullptr, nullptr));
    EXPECT_TRUE(target.OnCmdMsg(205, CN_COMMAND, nullptr, nullptr));
    EXPECT_FALSE(target.OnCmdMsg(210, CN_COMMAND, nullptr, nullptr));
    EXPECT_EQ(target.log, (std::vector<std::string>{"derived", "base", "range 205"}));

    AFX_CMDHANDLERINFO info;
    EXPECT_TRUE(target.OnCmdMsg(209, CN_COMMAND, nullptr, &info));
    EXPECT_EQ(info.pTarget, &target);
    EXPECT_EQ(target.log.size(), 3u);   // asking runs nothing
}

TEST(CommandTargetTest, UpdateHandlersSetStateAndCommandsWithoutHandlerAreDisabled)
{
    CDerivedTarget target;
    const struct {
        UINT id;
        BOOL enabled;
        int check;
        std::string text;
        BOOL handled;
    } cases[] = {
        {101, FALSE, 0, "", TRUE},          // its update handler disables it
        {100, TRUE, 0, "", FALSE},          // a command handler and no update handler
        {203, TRUE, 1, "item 203", TRUE},   // range update handler
        {204, TRUE, 0, "item 204", TRUE},
        {999, FALSE, 0, "", FALSE},         // nobody knows it
        {400, FALSE, 0, "", FALSE},         // the handler let the routing go on
    };
    for (const auto& c : cases) {
        CCmdUI state(c.id);
        EXPECT_EQ(state.DoUpdate(&target, TRUE), c.handled) << c.id;
        EXPECT_EQ(state.IsEnabled(), c.enabled) << c.id;
        EXPECT_EQ(state.GetCheck(), c.check) << c.id;
        EXPECT_EQ(state.GetText(), c.text) << c.id;
    }
    CCmdUI keep(999);
    keep.DoUpdate(&target, FALSE);
    EXPECT_TRUE(keep.IsEnabled());
}

class CNotifyWnd : public CWnd {
public:
    explicit CNotifyWnd(CDerivedTarget* target) : m_target(target) {}
    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* info) override
    {
        return m_target->OnCmdMsg(id, code, extra, info);
    }

private:
    CDerivedTarget* m_target;
};

TEST(CommandTargetTest, NotificationsRouteWithTheirCodeAndGiveAResult)
{
    CDerivedTarget target;
    CNotifyWnd wnd(&target);
    NMHDR header{nullptr, 300, 7};
    EXPECT_EQ(wnd.SendMessage(WM_NOTIFY, 300, reinterpret_cast<LPARAM>(&header)), 42);
    NMHDR other{nullptr, 300, 8};
    EXPECT_EQ(wnd.SendMessage(WM_NOTIFY, 300, reinterpret_cast<LPARAM>(&other)), 0);
    EXPECT_EQ(target.log, (std::vector<std::string>{"notify 300"}));

    // A control's notification (lParam = the control) routes with its code; a
    // menu command with the same id is checked against its update handler first.
    wnd.SendMessage(WM_COMMAND, MAKELONG(205, 0), reinterpret_cast<LPARAM>(&wnd));
    wnd.SendMessage(WM_COMMAND, 101);
    wnd.SendMessage(WM_COMMAND, 100);
    EXPECT_EQ(target.log, (std::vector<std::string>{"notify 300", "range 205", "derived"}));
}

TEST(CommandTargetTest, TheLastReleaseDeletesTheObject)
{
    bool deleted = false;
    auto* target = new CDerivedTarget(&deleted);
    EXPECT_EQ(target->InternalAddRef(), 2);
    EXPECT_EQ(target->InternalRelease(), 1);
    EXPECT_FALSE(deleted);
    EXPECT_EQ(target->InternalRelease(), 0);
    EXPECT_TRUE(deleted);
}

TEST(CommandTargetTest, RuntimeClassesKnowTheirBases)
{
    CDerivedTarget target;
    CNotifyWnd wnd(&target);
    EXPECT_TRUE(wnd.IsKindOf(RUNTIME_CLASS(CCmdTarget)));
    EXPECT_STREQ(wnd.GetRuntimeClass()->m_lpszClassName, "CWnd");
    EXPECT_FALSE(target.IsKindOf(RUNTIME_CLASS(CWnd)));
}

} // namespace
