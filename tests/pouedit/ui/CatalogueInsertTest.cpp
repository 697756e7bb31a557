// A double-click in the instruction catalogue reaches the editor of a real
// POU window.

#include "POUWindowFixture.h"

#include "shell/InsTreeRules.h"
#include "shell/ui/CInsTreeView.h"
#include "shell/ui/IInsTreeHost.h"
#include "shell/ui/RegisterShellUiClasses.h"
#include "support/FileBytes.h"

#include <QCoreApplication>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

const std::string LD_FILE = "(*2*)\r\n(* Network 0 *)\r\nLD      %I0.0\r\n";

class CPOUWindowInsTreeHost : public IInsTreeHost {
public:
    CWnd* editorView = nullptr;

    CWnd* GetActivePOUEditorView() override { return editorView; }
    bool IsInstructionsPaneActive() override { return true; }
};

} // namespace

class CatalogueInsertTest : public POUWindowFixture {};

TEST_F(CatalogueInsertTest, DoubleClickOnAnInstructionReachesThePOUEditor)
{
    std::string error;
    ASSERT_TRUE(RegisterShellUiClasses(&error)) << error;
    const std::string path = m_folder / "MAIN_MAIN.ilp";
    WriteFileText(path, LD_FILE);
    ASSERT_TRUE(OpenWindow(path, POU_LANGUAGE_LD));
    ASSERT_NE(Recorder(), nullptr);

    CPOUWindowInsTreeHost host;
    host.editorView = m_view;
    CInsTreeView tree;
    tree.m_bAutoDelete = FALSE;
    tree.Attach(m_app.get(), &host);
    ASSERT_TRUE(tree.Create(nullptr, CRect(0, 0, 260, 900), 1, WS_VISIBLE));
    tree.BuildInstructionTree(TRUE);
    tree.RebuildInstructionTree(TRUE);

    CTreeCtrl& ctrl = tree.GetTreeCtrl();
    HTREEITEM ton = nullptr;
    for (HTREEITEM root = ctrl.GetRootItem(); root && !ton; root = ctrl.GetNextSiblingItem(root)) {
        if (ctrl.GetItemText(root) != "Timer")
            continue;
        ctrl.Expand(root, TVE_EXPAND);
        for (HTREEITEM item = ctrl.GetChildItem(root); item && !ton; item = ctrl.GetNextSiblingItem(item)) {
            if (ctrl.GetItemText(item) == "TON")
                ton = item;
        }
    }
    ASSERT_NE(ton, nullptr);
    ctrl.Tree()->scrollToItem(ton);
    CRect text;
    ASSERT_TRUE(ctrl.GetItemRect(ton, &text, TRUE));
    const QPoint at = ctrl.Tree()->viewport()->mapFrom(&tree, QPoint(text.left + 3, (text.top + text.bottom) / 2));

    Recorder()->log.clear();
    QTest::mouseDClick(ctrl.Tree()->viewport(), Qt::LeftButton, {}, at);
    const std::string expected = "InsertFromInstructionTree:" + std::to_string(INSERT_LD_SET) + ":" +
                                 std::to_string(ctrl.GetItemData(ton));
    WaitFor([&] { return !Recorder()->log.empty(); });
    EXPECT_EQ(Recorder()->log, std::vector<std::string> {expected});
}
