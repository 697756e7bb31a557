// The LD editor's force commands and its part of opening the Find/Replace
// dialog: the operand picked by a right press while monitoring (contacts,
// coils, block pins, symbols) reaches the host's force requests with the
// right address and value; the dialog opens for one command at a time,
// prefilled from the operand being typed or the selection; the compile
// request ends a pending edit and a network range.

#include "ElementFixture.h"
#include "NetworkElements.h"
#include "../pouedit/ILProgramFixture.h"
#include "ladder/CBlock.h"
#include "ladder/CLDEditor.h"
#include "ladder/CLDProgram.h"
#include "platform/ui/WinMessages.h"
#include "support/ScriptedUi.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using Requests = std::vector<std::string>;

const std::vector<std::string> PROGRAM = {
    "(* Network 0 *)", "LD %I0.0", "ST Motor",
    "(* Network 1 *)", "LD %I0.2", "MOVE %VW0, %VW2", "ST %Q0.2",
    "(* Network 2 *)", "LD FLAG", "ST %Q0.3",
};

} // namespace

class LDFindForceTest : public ElementFixture {
protected:
    void SetUp() override
    {
        ElementFixture::SetUp();
        m_host.clientSize = CSize(800, 400);
        m_host.totalSize = CSize(2000, 4000);
        m_host.locals["FLAG"] = {"V10.0", OT_BOOL};
        m_program = std::make_unique<CLDProgram>(*m_app, &m_host);
        ASSERT_TRUE(m_program->LoadFromIL(PROGRAM));
        Editor().LayoutAll();
    }
    void TearDown() override
    {
        m_app->Monitoring = 0;
        m_program.reset();
        ElementFixture::TearDown();
    }

    CLDEditor& Editor() { return m_program->GetLDEditor(); }

    CLDElement* Element(int kind, int network) { return FirstElementOfKind(*m_program, kind, network); }

    // A point on the operand of a pin of the block of network 1.
    CPoint AnchorPoint(int label)
    {
        const CPoint anchor = static_cast<CBlock*>(Element(LD_KIND_BLOCK, 1))->GetLabelAnchor(label);
        return CPoint(anchor.x + 5, anchor.y + 5);
    }

    static CPoint BodyPoint(const CLDElement* element)
    {
        const CLDCellRect cell = element->GetPosition();
        return CPoint(cell.column * LD_CELL_WIDTH + LD_CELL_WIDTH / 2, cell.row * LD_CELL_HEIGHT + 30);
    }

    // The right press and the menu request of the view, then the pick it makes before menu 126.
    void RightPressAt(CPoint point)
    {
        Editor().OnRButtonDown(0, point.x, point.y);
        Editor().GetContextMenuId(point);
        Editor().PickForceOperand();
    }

    // The block selected, the context point on the operand of one of its pins.
    void PickOnPin(int label)
    {
        auto* block = static_cast<CBlock*>(Element(LD_KIND_BLOCK, 1));
        ASSERT_NE(block, nullptr);
        const CPoint body = BodyPoint(block);
        Editor().OnLButtonDown(0, body.x, body.y);
        Editor().OnLButtonUp(0, body.x, body.y);
        ASSERT_EQ(m_program->GetSelection(), block);
        const CPoint anchor = block->GetLabelAnchor(label);
        CPoint point(anchor.x + 5, anchor.y + 5);
        Editor().GetContextMenuId(point);
        Editor().PickForceOperand();
    }

    BOOL Enabled(void (CLDEditor::*update)(IPOUCommandUI&))
    {
        FakeCommandUI ui;
        (Editor().*update)(ui);
        return ui.enabled;
    }

    // Every force command once, in menu order.
    Requests RunForceCommands()
    {
        m_host.forceRequests.clear();
        Editor().OnForceTrue();
        Editor().OnForceFalse();
        Editor().OnUnforce();
        Editor().OnForce();
        return m_host.forceRequests;
    }

    FakePOUHost m_host;
    CScopedUi m_ui;
    std::unique_ptr<CLDProgram> m_program;
};

TEST_F(LDFindForceTest, ForceCommandsSendThePickedOperandsAddress)
{
    struct Case {
        const char* name;
        std::function<void()> pick;
        std::string operand;
        BOOL boolCommands;
        Requests requests;
    };
    const Case cases[] = {
        {"a contact", [&] { RightPressAt(BodyPoint(Element(LD_KIND_CONTACT, 0))); }, "%I0.0", TRUE,
         {"force %I0.0=1", "force %I0.0=0", "unforce %I0.0", "dialog @%I0.0"}},
        {"a coil named by a global symbol", [&] { RightPressAt(BodyPoint(Element(LD_KIND_COIL, 0))); }, "Motor",
         TRUE, {"force %Q0.1=1", "force %Q0.1=0", "unforce %Q0.1", "dialog Motor@%Q0.1"}},
        {"a contact named by a local variable", [&] { RightPressAt(BodyPoint(Element(LD_KIND_CONTACT, 2))); },
         "FLAG", TRUE, {"force V10.0=1", "force V10.0=0", "unforce V10.0", "dialog FLAG@V10.0"}},
        {"a block's word input", [&] { PickOnPin(1); }, "%VW0", FALSE, {"unforce %VW0", "dialog @%VW0"}},
        // The input's text stands left of the box: a right press on it picks the pin, not what the cell holds.
        {"a right press on a block's word input", [&] { RightPressAt(AnchorPoint(1)); }, "%VW0", FALSE,
         {"unforce %VW0", "dialog @%VW0"}},
        {"a block's word output", [&] { RightPressAt(AnchorPoint(3)); }, "%VW2", FALSE, {"unforce %VW2", "dialog @%VW2"}},
    };
    m_app->Monitoring = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.pick();
        EXPECT_EQ(Editor().GetForceOperand(), c.operand);
        EXPECT_TRUE(Enabled(&CLDEditor::OnUpdateForce));
        EXPECT_TRUE(Enabled(&CLDEditor::OnUpdateUnforce));
        EXPECT_EQ(Enabled(&CLDEditor::OnUpdateForceTrue), c.boolCommands);
        EXPECT_EQ(Enabled(&CLDEditor::OnUpdateForceFalse), c.boolCommands);
        EXPECT_EQ(RunForceCommands(), c.requests);
    }
}

TEST_F(LDFindForceTest, NothingIsForcedWithoutAForceableOperand)
{
    struct Case {
        const char* name;
        int monitoring;
        std::function<void()> pick;
    };
    const Case cases[] = {
        {"not monitoring", 0, [&] { RightPressAt(BodyPoint(Element(LD_KIND_CONTACT, 0))); }},
        {"the block's body", 1,
         [&] {
             CLDElement* block = Element(LD_KIND_BLOCK, 1);
             const CLDCellRect cell = block->GetPosition();
             RightPressAt(CPoint(cell.column * LD_CELL_WIDTH + 40, cell.row * LD_CELL_HEIGHT + 60));
         }},
        {"an empty cell", 1, [&] { RightPressAt(CPoint(790, 390)); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // A valid pick first: every new pick replaces it.
        m_app->Monitoring = 1;
        RightPressAt(BodyPoint(Element(LD_KIND_CONTACT, 0)));
        ASSERT_TRUE(Enabled(&CLDEditor::OnUpdateForce));
        m_app->Monitoring = c.monitoring;
        c.pick();
        m_app->Monitoring = 1;
        EXPECT_EQ(Editor().GetForceOperand(), "");
        EXPECT_FALSE(Enabled(&CLDEditor::OnUpdateForce));
        EXPECT_FALSE(Enabled(&CLDEditor::OnUpdateForceTrue));
        EXPECT_EQ(RunForceCommands(), Requests());
    }
}

TEST_F(LDFindForceTest, FindAndReplaceOpenTheDialogForOneCommandAtATime)
{
    FakeFindReplaceDialog& dialog = m_host.findDialog;
    m_app->Find.LastFindText = "%Q0.0";
    // Nothing selected: the last search is offered again.
    Editor().OnEditFind();
    EXPECT_EQ(dialog.calls, Requests({"open 1", "history %Q0.0", "text %Q0.0", "find 1", "findOnly 1", "show 0"}));
    EXPECT_EQ(m_app->Find.DialogMode, 1);
    dialog.calls.clear();
    Editor().OnEditReplace();
    EXPECT_TRUE(dialog.calls.empty());

    // The operand being typed is the find text.
    m_app->Find.DialogMode = 0;
    CLDElement* contact = Element(LD_KIND_CONTACT, 0);
    const CLDCellRect cell = contact->GetPosition();
    Editor().OnLButtonDown(0, cell.column * LD_CELL_WIDTH + LD_CELL_WIDTH / 2, cell.row * LD_CELL_HEIGHT + 3);
    ASSERT_TRUE(Editor().IsEditingOperand());
    for (char c : std::string("%M3.1"))
        Editor().OnChar(static_cast<unsigned char>(c), 1, 0);
    dialog.wideScope = TRUE;
    Editor().OnEditReplace();
    EXPECT_EQ(dialog.calls, Requests({"open 0", "history %Q0.0", "text %M3.1", "find 1", "findOnly 0", "show 1",
                                      "replace 01"}));
    EXPECT_EQ(m_app->Find.DialogMode, 2);
    dialog.calls.clear();
    Editor().OnEditFind();
    EXPECT_TRUE(dialog.calls.empty());

    // A selected coil gives its type text.
    m_app->Find.DialogMode = 0;
    Editor().OnChar(0x0D, 1, 0);
    const CPoint coil = BodyPoint(Element(LD_KIND_COIL, 1));
    Editor().OnLButtonDown(0, coil.x, coil.y);
    Editor().OnLButtonUp(0, coil.x, coil.y);
    dialog.wideScope = FALSE;
    dialog.calls.clear();
    Editor().OnEditReplace();
    EXPECT_EQ(dialog.calls, Requests({"open 0", "history %Q0.0", "text -( )", "find 1", "findOnly 0", "show 1",
                                      "replace 11"}));
}

TEST_F(LDFindForceTest, TheCompileRequestCommitsTheTypedOperandAndEndsANetworkRange)
{
    CLDElement* contact = Element(LD_KIND_CONTACT, 0);
    const CLDCellRect cell = contact->GetPosition();
    Editor().OnLButtonDown(0, cell.column * LD_CELL_WIDTH + LD_CELL_WIDTH / 2, cell.row * LD_CELL_HEIGHT + 3);
    for (char c : std::string("%i1.5"))
        Editor().OnChar(static_cast<unsigned char>(c), 1, 0);
    EXPECT_EQ(contact->GetOperand(), "%I0.0");
    EXPECT_TRUE(Editor().EndPendingEdit());
    EXPECT_FALSE(Editor().IsEditingOperand());
    EXPECT_EQ(contact->GetOperand(), "%I1.5");

    Editor().OnKeyDown(VK_ESCAPE, 1, 0);
    m_host.heldKeys.insert(VK_SHIFT);
    Editor().OnKeyDown(VK_DOWN, 1, 0);
    m_host.heldKeys.clear();
    ASSERT_TRUE(Editor().IsNetworkSelection());
    EXPECT_TRUE(Editor().EndPendingEdit());
    EXPECT_FALSE(Editor().IsNetworkSelection());
}

TEST_F(LDFindForceTest, TheExtentIsTheOneOfTheInitialUpdateAndSymbolsOnlyRepaint)
{
    CSize extent;
    EXPECT_EQ(Editor().GetExtent(extent), CSize(0, 0));
    Editor().OnInitialUpdate();
    EXPECT_EQ(Editor().GetExtent(extent), m_host.totalSize);
    EXPECT_EQ(extent, m_host.totalSize);

    const std::vector<BYTE> before = [&] {
        CArchive ar;
        m_program->Serialize(ar, TRUE);
        return ar.GetBuffer();
    }();
    const int invalidations = m_host.invalidations;
    Editor().SetSymbolicAddressing(TRUE);
    EXPECT_GT(m_host.invalidations, invalidations);
    CArchive ar;
    m_program->Serialize(ar, TRUE);
    EXPECT_EQ(ar.GetBuffer(), before);
}
