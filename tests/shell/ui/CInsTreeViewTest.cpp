#include "shell/ui/CInsTreeView.h"

#include "model/CZULAppData.h"
#include "model/CZULFunc.h"
#include "model/CpuProfile.h"
#include "platform/ui/QtText.h"
#include "shell/InsTreeRules.h"
#include "shell/ui/IInsTreeHost.h"
#include "shell/ui/RegisterShellUiClasses.h"
#include "support/ScriptedUi.h"

#include <QCoreApplication>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

struct PostedInsert {
    WPARAM wParam;
    LPARAM lParam;
};

// Stands in for the active POU editor view: records what the catalogue posts.
class CRecordingEditorView : public CWnd {
public:
    std::vector<PostedInsert> inserts;

protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_INSERT_FROM_CATALOGUE) {
            inserts.push_back({wParam, lParam});
            return 0;
        }
        return CWnd::DefWindowProc(message, wParam, lParam);
    }
};

class CRecordingInsTreeHost : public IInsTreeHost {
public:
    CWnd* editorView = nullptr;
    bool paneActive = true;

    CWnd* GetActivePOUEditorView() override { return editorView; }
    bool IsInstructionsPaneActive() override { return paneActive; }
};

class InsTreeViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(RegisterShellUiClasses(&error)) << error;
        m_app = std::make_unique<CZULAppData>();
        m_editor = std::make_unique<CRecordingEditorView>();
        m_host.editorView = m_editor.get();
        m_view = std::make_unique<CInsTreeView>();
        m_view->m_bAutoDelete = FALSE;
        m_view->Attach(m_app.get(), &m_host);
        ASSERT_TRUE(m_view->Create(nullptr, CRect(0, 0, 260, 900), 1, WS_VISIBLE));
        m_view->BuildInstructionTree(TRUE);
    }

    CTreeCtrl& Tree() { return m_view->GetTreeCtrl(); }

    std::vector<std::string> RootTexts()
    {
        std::vector<std::string> texts;
        for (HTREEITEM item = Tree().GetRootItem(); item; item = Tree().GetNextSiblingItem(item))
            texts.push_back(Tree().GetItemText(item));
        return texts;
    }

    HTREEITEM Find(const std::string& category, const std::string& text)
    {
        for (HTREEITEM root = Tree().GetRootItem(); root; root = Tree().GetNextSiblingItem(root)) {
            if (Tree().GetItemText(root) != category)
                continue;
            if (text.empty())
                return root;
            for (HTREEITEM item = Tree().GetChildItem(root); item; item = Tree().GetNextSiblingItem(item)) {
                if (Tree().GetItemText(item) == text)
                    return item;
            }
        }
        return nullptr;
    }

    // The item's text centre in the tree's viewport, the item's category expanded first.
    QPoint Reveal(HTREEITEM item)
    {
        if (HTREEITEM parent = Tree().GetParentItem(item))
            Tree().Expand(parent, TVE_EXPAND);
        Tree().Tree()->scrollToItem(item);
        CRect text;
        EXPECT_TRUE(Tree().GetItemRect(item, &text, TRUE));
        const QPoint inView(text.left + 3, (text.top + text.bottom) / 2);
        return Tree().Tree()->viewport()->mapFrom(m_view.get(), inView);
    }

    void DoubleClick(HTREEITEM item)
    {
        QTest::mouseDClick(Tree().Tree()->viewport(), Qt::LeftButton, {}, Reveal(item));
        QCoreApplication::sendPostedEvents();
    }

    void UseSubroutines()
    {
        for (const char* name : {"Pump", "Motor", "Alarm"}) {
            auto function = std::make_unique<CZULFunc>();
            function->SetName(name);
            m_subroutines[name] = function.get();
            m_owned.push_back(std::move(function));
        }
        m_view->AddSubroutines(m_subroutines);
    }

    CScopedUi m_ui;
    std::unique_ptr<CZULAppData> m_app;
    std::unique_ptr<CRecordingEditorView> m_editor;
    CRecordingInsTreeHost m_host;
    std::unique_ptr<CInsTreeView> m_view;
    std::map<std::string, CZULFunc*> m_subroutines;
    std::vector<std::unique_ptr<CZULFunc>> m_owned;
};

} // namespace

TEST_F(InsTreeViewTest, FirstBuildShowsEveryVisibleRowAndLeavesTheSetFlags)
{
    std::vector<std::string> expected;
    for (const CInstructionCategory& category : g_InstructionCategories)
        expected.push_back(category.name);
    expected.push_back("SBR");
    EXPECT_EQ(RootTexts(), expected);
    EXPECT_EQ(m_view->GetSubroutineItem(), Find("SBR", ""));
    EXPECT_EQ(Tree().GetCount(), UINT(INSTRUCTION_CATEGORY_COUNT + 1 + LD_INSTRUCTION_COUNT - 4));
    EXPECT_EQ(Find("Program Control", "-(RET)"), nullptr);
    EXPECT_EQ(m_app->InsTreeLDShown, 0);
    EXPECT_EQ(m_app->InsTreeILShown, 0);

    HTREEITEM ton = Find("Timer", "TON");
    ASSERT_NE(ton, nullptr);
    EXPECT_EQ(Tree().GetItemData(ton), reinterpret_cast<LPARAM>(&g_LDInstructionTable[106]));
    int image = -1;
    int selected = -1;
    Tree().GetItemImage(ton, image, selected);
    EXPECT_EQ(image, INSTREE_IMAGE_LD_IEC);
    Tree().GetItemImage(Find("Timer", ""), image, selected);
    EXPECT_EQ(image, INSTREE_IMAGE_LD_CATEGORY);

    // Right after the first build nothing is posted, not even for an instruction.
    DoubleClick(ton);
    EXPECT_TRUE(m_editor->inserts.empty());
}

TEST_F(InsTreeViewTest, RebuildFiltersByTheProjectFamily)
{
    m_app->Project.CPUFamilyIndex = 5; // VA10
    m_view->RebuildInstructionTree(FALSE);
    EXPECT_EQ(m_app->InsTreeILShown, 1);
    EXPECT_EQ(m_app->InsTreeLDShown, 0);
    const std::vector<std::string> roots = RootTexts();
    EXPECT_EQ(roots.size(), size_t(INSTRUCTION_CATEGORY_COUNT - 4 + 1));
    EXPECT_EQ(roots.back(), "SBR");
    EXPECT_EQ(Find("Clock", ""), nullptr);
    EXPECT_EQ(Find("Program Control", "NEXT"), nullptr);
    ASSERT_NE(Find("Program Control", "CAL"), nullptr);
    int image = -1;
    int selected = -1;
    Tree().GetItemImage(Find("Program Control", ""), image, selected);
    EXPECT_EQ(image, INSTREE_IMAGE_IL_CATEGORY);

    m_app->Project.CPUFamilyIndex = 7; // VC16
    m_view->RebuildInstructionTree(TRUE);
    EXPECT_EQ(m_app->InsTreeLDShown, 1);
    EXPECT_EQ(m_app->InsTreeILShown, 0);
    EXPECT_EQ(RootTexts().size(), size_t(INSTRUCTION_CATEGORY_COUNT + 1));
    EXPECT_NE(Find("Communications", "MBUSW"), nullptr);
}

TEST_F(InsTreeViewTest, DoubleClickPostsToTheActiveEditorView)
{
    m_app->Project.CPUFamilyIndex = 2; // VB16
    struct Case {
        BOOL ld;
        const char* category;
        const char* text;
        WPARAM wParam;
    };
    const Case cases[] = {
        {TRUE, "Timer", "TON", 2},
        {FALSE, "Timer", "TON", 0},
        {TRUE, "SBR", "Motor", 3},
        {FALSE, "SBR", "Motor", 1},
    };
    for (const Case& c : cases) {
        m_view->RebuildInstructionTree(c.ld);
        UseSubroutines();
        m_editor->inserts.clear();
        HTREEITEM item = Find(c.category, c.text);
        ASSERT_NE(item, nullptr) << c.text;
        DoubleClick(item);
        ASSERT_EQ(m_editor->inserts.size(), 1u) << c.text << " ld " << c.ld;
        EXPECT_EQ(m_editor->inserts[0].wParam, c.wParam) << c.text;
        EXPECT_EQ(m_editor->inserts[0].lParam, Tree().GetItemData(item)) << c.text;
    }
    EXPECT_EQ(m_editor->inserts[0].lParam, reinterpret_cast<LPARAM>(m_subroutines.at("Motor")));
}

TEST_F(InsTreeViewTest, DoubleClickPostsNothingWhereNoInsertFits)
{
    m_view->RebuildInstructionTree(TRUE);
    HTREEITEM sbr = m_view->GetSubroutineItem();
    DoubleClick(sbr); // empty "SBR"
    DoubleClick(Find("Timer", ""));
    EXPECT_TRUE(m_editor->inserts.empty());

    m_app->Monitoring = 1;
    DoubleClick(Find("Timer", "TON"));
    m_app->Monitoring = 0;
    m_host.editorView = nullptr; // the active child is no POU editor
    DoubleClick(Find("Timer", "TON"));
    EXPECT_TRUE(m_editor->inserts.empty());
}

TEST_F(InsTreeViewTest, SubroutinesStaySortedUnderSbr)
{
    m_view->RebuildInstructionTree(TRUE);
    UseSubroutines();
    auto names = [this] {
        std::vector<std::string> texts;
        for (HTREEITEM item = Tree().GetChildItem(m_view->GetSubroutineItem()); item; item = Tree().GetNextSiblingItem(item))
            texts.push_back(Tree().GetItemText(item));
        return texts;
    };
    EXPECT_EQ(names(), (std::vector<std::string>{"Alarm", "Motor", "Pump"}));
    EXPECT_TRUE(Tree().GetItemState(m_view->GetSubroutineItem(), TVIS_EXPANDED));
    auto valve = std::make_unique<CZULFunc>();
    valve->SetName("Valve");
    m_view->AddSubroutine(valve.get());
    auto boiler = std::make_unique<CZULFunc>();
    boiler->SetName("Boiler");
    m_view->AddSubroutine(boiler.get());
    EXPECT_EQ(names(), (std::vector<std::string>{"Alarm", "Boiler", "Motor", "Pump", "Valve"}));
    int image = -1;
    int selected = -1;
    Tree().GetItemImage(Find("SBR", "Boiler"), image, selected);
    EXPECT_EQ(image, INSTREE_IMAGE_SUBROUTINE);
    EXPECT_TRUE(m_view->RenameSubroutine("Pump", "Feed"));
    EXPECT_FALSE(m_view->RenameSubroutine("Nothing", "Else"));
    EXPECT_TRUE(m_view->RemoveSubroutine("Motor"));
    EXPECT_FALSE(m_view->RemoveSubroutine("Motor"));
    EXPECT_EQ(names(), (std::vector<std::string>{"Alarm", "Boiler", "Feed", "Valve"}));
    m_view->ClearSubroutines();
    EXPECT_TRUE(names().empty());
}

TEST_F(InsTreeViewTest, RightButtonSelects)
{
    HTREEITEM ton = Find("Timer", "TON");
    QTest::mouseClick(Tree().Tree()->viewport(), Qt::RightButton, {}, Reveal(ton));
    EXPECT_EQ(Tree().GetSelectedItem(), ton);
}

TEST_F(InsTreeViewTest, TooltipIsArmedAfterTheFirstClickOnlyWhileThePaneIsActive)
{
    m_view->RebuildInstructionTree(TRUE);
    UseSubroutines();
    QWidget* viewport = Tree().Tree()->viewport();
    // Each move goes to another point: the pointer moves only when its place changes.
    QTest::mouseMove(viewport, Reveal(Find("Timer", "TP")));
    EXPECT_EQ(m_view->GetArmedTooltip(), "") << "before any click";

    QTest::mouseClick(viewport, Qt::LeftButton, {}, Reveal(Find("Timer", "")));
    QTest::mouseMove(viewport, Reveal(Find("Timer", "TON")));
    EXPECT_EQ(m_view->GetArmedTooltip(), "On-delay timing");

    const struct {
        const char* category;
        const char* text;
        bool paneActive;
        const char* tip;
    } cases[] = {
        {"Timer", "TOF", true, "Off-delay timing"},
        {"Timer", "TP", false, ""},
        {"Timer", "", true, ""},
        {"SBR", "Motor", true, ""},
        {"SBR", "", true, ""},
    };
    for (const auto& c : cases) {
        m_host.paneActive = c.paneActive;
        QTest::mouseMove(viewport, Reveal(Find(c.category, c.text)));
        EXPECT_EQ(m_view->GetArmedTooltip(), c.tip) << c.category << " " << c.text;
    }
}

TEST_F(InsTreeViewTest, F1OpensTheSelectedItemsHelp)
{
    m_view->RebuildInstructionTree(FALSE);
    UseSubroutines();
    const struct {
        const char* category;
        const char* text;
        const char* topic;
    } cases[] = {
        {"Bit Logic", "AND", "AND_BOOL"},
        {"Logical Operations", "AND", "AND"},
        {"SBR", "Pump", "CAL"},
    };
    for (const auto& c : cases) {
        m_ui.help.Clear();
        Tree().SelectItem(Find(c.category, c.text));
        QTest::keyClick(Tree().Tree(), Qt::Key_F1);
        const std::vector<RecordedHelp> shown = m_ui.help.Requests();
        ASSERT_EQ(shown.size(), 1u) << c.text;
        EXPECT_EQ(shown[0].topic, c.topic);
    }
}

TEST_F(InsTreeViewTest, ImagesAreDrawn)
{
    m_view->RebuildInstructionTree(TRUE);
    Tree().Expand(Find("Bit Logic", ""), TVE_EXPAND);
    const QImage shot = m_view->grab().toImage();
    if (const char* folder = std::getenv("ORVEL_SHOT_DIR"))
        shot.save(QString::fromUtf8(folder) + "/instruction_tree.png");
    // The LD category folder's blue and the IEC instruction's green show.
    bool blue = false;
    bool green = false;
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < 60 && x < shot.width(); ++x) {
            const QRgb pixel = shot.pixel(x, y);
            blue = blue || pixel == qRgb(90, 140, 220);
            green = green || pixel == qRgb(80, 190, 90);
        }
    }
    EXPECT_TRUE(blue);
    EXPECT_TRUE(green);
}

TEST_F(InsTreeViewTest, EveryFamilyShowsItsCategoriesAndRows)
{
    constexpr int kFamilyCount = 8;
    for (int family = 0; family < kFamilyCount; ++family) {
        m_app->Project.CPUFamilyIndex = family;
        for (BOOL ld : {TRUE, FALSE}) {
            m_view->RebuildInstructionTree(ld);
            std::vector<std::string> expected;
            size_t rows = 0;
            for (const CInsTreeCategory& category : InsTreeCategories(ld, 1u << family)) {
                expected.push_back(category.name);
                rows += category.rows.size();
            }
            expected.push_back("SBR");
            EXPECT_EQ(RootTexts(), expected) << "family " << family << " ld " << ld;
            EXPECT_EQ(Tree().GetCount(), UINT(expected.size() + rows)) << "family " << family << " ld " << ld;
        }
    }
}
