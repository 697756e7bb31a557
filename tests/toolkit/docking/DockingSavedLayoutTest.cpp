// The program's pane layout written to the settings at close, read back,
// and the purge and clean-up that go with writing.

#include "DockingFixture.h"
#include "support/TempFolder.h"

#include "platform/CSystemMetrics.h"
#include "platform/ui/CSettingsStore.h"
#include "platform/ui/CWinApp.h"
#include "toolkit/docking/CTKDockingPaneAutoHideStrip.h"
#include "toolkit/docking/CTKDockingPaneItem.h"
#include "toolkit/docking/CTKDockingPaneLayout.h"
#include "toolkit/docking/CTKDockingPaneSplitGroup.h"
#include "toolkit/docking/CTKDockingPaneTabbedContainer.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

const std::string kLayoutKey = "DockingPaneLayouts\\ZULNormalLayout";

std::string Section(const std::string& name)
{
    return kLayoutKey + "\\" + name;
}

class DockingSavedLayoutTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        PinPlatformDefaults();
        ASSERT_TRUE(frame.Open(CRect(0, 0, 800, 560)));
        frame.RecalcLayout();
        ProcessEvents();
    }
    void TearDown() override
    {
        frame.DestroyWindow();
        CSystemMetrics::Instance().Reset();
    }
    // What the frame does at close.
    BOOL WriteAtClose(const std::string& name = "ZULNormalLayout")
    {
        CTKDockingPaneLayout layout(&frame.Host());
        frame.Host().CopyLayoutTo(&layout);
        return layout.WriteToStore(store, name);
    }
    // Every value of the layout's sections, "section/value=text" in order.
    std::string Dump(const std::string& name)
    {
        std::ostringstream out;
        const std::string key = "DockingPaneLayouts\\" + name;
        for (const std::string& section : store.GetSubSections(key)) {
            for (const std::string& entry : store.GetEntries(key + "\\" + section))
                out << section << "/" << entry << "=" << store.GetString(key + "\\" + section, entry) << "\n";
        }
        return out.str();
    }

    TempFolder folder;
    CSettingsStore store {folder / "profile.ini", "OrvelBuilder"};
    CTKDockingFixtureFrame frame;
};

struct Value {
    const char* section;
    const char* value;
    const char* text;
};

TEST_F(DockingSavedLayoutTest, TheProgramsLayoutIsWrittenWithItsKeysAndNumbers)
{
    ASSERT_TRUE(WriteAtClose());
    // Nodes are numbered in the copy's creation order: the top group and
    // what it holds, depth first; the catalogues' emptied containers are purged.
    const Value values[] = {
        {"Summary", "TopContainer", "1"},
        {"Summary", "Client", "8"},
        {"Summary", "Panes", "10"},
        {"Pane-1", "Type", "2"}, {"Pane-1", "Horiz", "1"}, {"Pane-1", "Panes", "1"}, {"Pane-1", "Pane-1", "2"},
        {"Pane-2", "Type", "2"}, {"Pane-2", "Horiz", "0"}, {"Pane-2", "Panes", "2"},
        {"Pane-2", "Pane-1", "3"}, {"Pane-2", "Pane-2", "9"},
        {"Pane-3", "Type", "2"}, {"Pane-3", "Horiz", "1"}, {"Pane-3", "Pane-1", "4"}, {"Pane-3", "Pane-2", "8"},
        {"Pane-4", "Type", "1"}, {"Pane-4", "DockingCX", "230"}, {"Pane-4", "DockingCY", "140"},
        {"Pane-4", "Selected", "5"}, {"Pane-4", "Panes", "3"},
        {"Pane-4", "Pane-1", "5"}, {"Pane-4", "Pane-2", "6"}, {"Pane-4", "Pane-3", "7"},
        {"Pane-5", "Type", "0"}, {"Pane-5", "ID", "32690"}, {"Pane-5", "IconID", "-1"}, {"Pane-5", "Options", "5"},
        {"Pane-5", "Title", "Workspace"}, {"Pane-5", "DockingHolder", "4"}, {"Pane-5", "FloatingHolder", "0"},
        {"Pane-5", "LastHolder", "4"},
        {"Pane-7", "ID", "32845"}, {"Pane-7", "Title", "HW Catalog\nCatalog"}, {"Pane-7", "DockingCX", "160"},
        {"Pane-8", "Type", "4"},
        {"Pane-9", "Type", "1"}, {"Pane-9", "Selected", "10"}, {"Pane-9", "Panes", "1"}, {"Pane-9", "Pane-1", "10"},
        {"Pane-10", "ID", "32692"}, {"Pane-10", "DockingHolder", "9"}, {"Pane-10", "DockingCY", "120"},
    };
    for (const Value& v : values) {
        ASSERT_TRUE(store.HasEntry(Section(v.section), v.value)) << v.section << "/" << v.value;
        EXPECT_EQ(store.GetString(Section(v.section), v.value), v.text) << v.section << "/" << v.value;
    }
    EXPECT_FALSE(store.HasSection(Section("Pane-11")));
    // Every node key carries its type and docking size; only the pane list's panes their holders.
    for (int index = 1; index <= 10; ++index) {
        const std::string key = Section(CTKDockingPaneNode::IndexName(index));
        for (const char* common : {"Type", "DockingCX", "DockingCY"})
            EXPECT_TRUE(store.HasEntry(key, common)) << key << " " << common;
    }
}

TEST_F(DockingSavedLayoutTest, WritingAgainFirstDeletesTheOldKeys)
{
    // The auto-hidden output adds a strip and its container.
    frame.Host().AutoHidePane(frame.Pane(kOutputPane));
    ASSERT_TRUE(WriteAtClose());
    ASSERT_EQ(store.GetInt(Section("Summary"), "Panes", 0), 12);
    // A key above the old count, left by hand, is not the layout's to delete.
    ASSERT_TRUE(store.WriteInt(Section("Pane-40"), "Type", 0));
    // An empty layout: the client node in the top group.
    CTKDockingPaneLayout empty(&frame.Host());
    ASSERT_TRUE(empty.WriteToStore(store, "ZULNormalLayout"));
    const int count = store.GetInt(Section("Summary"), "Panes", 0);
    EXPECT_EQ(count, 2);
    for (int index = count + 1; index <= 12; ++index)
        EXPECT_FALSE(store.HasSection(Section(CTKDockingPaneNode::IndexName(index)))) << index;
    EXPECT_TRUE(store.HasSection(Section("Pane-40")));
}

TEST_F(DockingSavedLayoutTest, AClosedPaneKeepsItsEmptiedContainer)
{
    frame.Pane(kOutputPane)->Close();
    CTKDockingPaneLayout layout(&frame.Host());
    frame.Host().CopyLayoutTo(&layout);
    ASSERT_TRUE(layout.WriteToStore(store, "ZULNormalLayout"));
    CTKDockingPaneLayout::PaneEntry* entry = nullptr;
    for (auto& each : layout.GetEntries()) {
        if (each.pane->GetId() == kOutputPane)
            entry = &each;
    }
    ASSERT_NE(entry, nullptr);
    ASSERT_NE(entry->dockingHolder, nullptr);
    const std::string holder = Section(CTKDockingPaneNode::IndexName(entry->dockingHolder->savedIndex));
    EXPECT_EQ(store.GetInt(holder, "Type", -1), 1);
    EXPECT_EQ(store.GetInt(holder, "Panes", -1), 0);
    const std::string pane = Section(CTKDockingPaneNode::IndexName(entry->pane->savedIndex));
    EXPECT_EQ(store.GetInt(pane, "DockingHolder", 0), entry->dockingHolder->savedIndex);
}

TEST_F(DockingSavedLayoutTest, TheReadersGiveBackTheSameTree)
{
    // An auto-hidden output and a closed pane make every kind of node but a floating frame.
    frame.Host().AutoHidePane(frame.Pane(kOutputPane));
    frame.Pane(kCatalogPane)->Close();
    ASSERT_TRUE(WriteAtClose());
    CTKDockingPaneLayout read(&frame.Host());
    ASSERT_TRUE(read.ReadFromStore(store, "ZULNormalLayout"));
    ASSERT_TRUE(read.WriteToStore(store, "Again"));
    EXPECT_EQ(Dump("Again"), Dump("ZULNormalLayout"));

    ASSERT_NE(read.GetStrip(3), nullptr);
    ASSERT_EQ(read.GetStrip(3)->GetContainers().size(), 1u);
    EXPECT_EQ(read.GetStrip(3)->GetContainers()[0]->GetSelected()->GetId(), kOutputPane);
    EXPECT_TRUE(read.GetTopGroup()->ContainsNode(read.GetClient()));
    ASSERT_EQ(read.GetEntries().size(), 4u);
    for (const auto& entry : read.GetEntries()) {
        EXPECT_EQ(entry.pane->IsClosed(), entry.pane->GetId() == kCatalogPane) << entry.pane->GetId();
        if (entry.pane->GetId() == kCatalogPane) {
            EXPECT_EQ(entry.pane->GetTitle(), "HW Catalog\nCatalog");
        }
    }
}

TEST_F(DockingSavedLayoutTest, AFloatingFrameIsReadBackWithItsGroupAndPlace)
{
    frame.Host().FloatNode(frame.Pane(kOutputPane), CRect(100, 120, 400, 300));
    ASSERT_TRUE(WriteAtClose());
    CTKDockingPaneLayout read(&frame.Host());
    ASSERT_TRUE(read.ReadFromStore(store, "ZULNormalLayout"));
    ASSERT_TRUE(read.WriteToStore(store, "Again"));
    EXPECT_EQ(Dump("Again"), Dump("ZULNormalLayout"));
    EXPECT_NE(Dump("Again").find("WindowRectLeftPos=100"), std::string::npos);
    EXPECT_NE(Dump("Again").find("TopContaner="), std::string::npos);
}

struct DamageCase {
    const char* name;
    const char* section;
    const char* value;
    int data;
};

TEST_F(DockingSavedLayoutTest, ADamagedLayoutIsRejectedAndLeavesAnEmptyTree)
{
    const DamageCase cases[] = {
        {"dangling child", "Pane-2", "Pane-2", 99},
        {"pane id zero", "Pane-5", "ID", 0},
        {"unknown type", "Pane-6", "Type", 9},
        {"child is its own group", "Pane-3", "Pane-1", 3},
        {"container holds a group", "Pane-4", "Pane-1", 3},
        {"no top group", "Summary", "TopContainer", 5},
        {"count beyond the keys", "Summary", "Panes", 11},
    };
    for (const DamageCase& c : cases) {
        ASSERT_TRUE(WriteAtClose());
        ASSERT_TRUE(store.WriteInt(Section(c.section), c.value, c.data));
        CTKDockingPaneLayout read(&frame.Host());
        EXPECT_FALSE(read.ReadFromStore(store, "ZULNormalLayout")) << c.name;
        EXPECT_EQ(read.GetNodeCount(), 2) << c.name;
        EXPECT_TRUE(read.GetTopGroup()->ContainsNode(read.GetClient())) << c.name;
    }
}

TEST_F(DockingSavedLayoutTest, WithoutAProfileTheWriteFailsButTheCopyIsStillPurged)
{
    ASSERT_EQ(AfxGetApp(), nullptr);
    CTKDockingPaneLayout layout(&frame.Host());
    frame.Host().CopyLayoutTo(&layout);
    const int before = layout.GetNodeCount();
    EXPECT_FALSE(layout.WriteToRegistry("ZULNormalLayout"));
    EXPECT_EQ(layout.GetNodeCount(), before - 2);
}

TEST_F(DockingSavedLayoutTest, ReadingCreatesNothing)
{
    CTKDockingPaneLayout read(&frame.Host());
    EXPECT_FALSE(read.ReadFromStore(store, "ZULNormalLayout"));
    EXPECT_FALSE(store.HasSection(Section("Summary")));
    EXPECT_FALSE(store.HasSection("DockingPaneLayouts"));
    // Without an open key the values are the defaults and writes fail.
    EXPECT_EQ(read.ReadInt("Summary", "Panes", 7), 7);
    EXPECT_EQ(read.ReadString("Pane-1", "Title", "none"), "none");
    EXPECT_FALSE(read.WriteInt("Summary", "Panes", 1));
    // The live layout is never overwritten by a read.
    EXPECT_FALSE(frame.Host().GetLayout()->ReadFromStore(store, "ZULNormalLayout"));
}

} // namespace
