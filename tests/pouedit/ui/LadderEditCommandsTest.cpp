// The LD commands reach the ladder editor of an LD POU through the POU
// view by their menu ids: each changes the networks, marks the document
// modified and takes one undo snapshot; the view's update runs the
// editor's rules, and everything is disabled while monitoring.

#include "LadderWindowFixture.h"

#include "ladder/CBlock.h"
#include "ladder/CLDEditor.h"
#include "ladder/CLDProgram.h"
#include "ladder/ILDDialogs.h"
#include "support/ScriptedUi.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

class FunctionChooser : public ILDDialogs {
public:
    BOOL SelectBlock(int* choice, std::string* name, std::string* instance) override
    {
        *choice = 0;
        *name = "MOVE";
        instance->clear();
        return TRUE;
    }
    BOOL EditContactCoil(CLDProgram&, CLDElement&, BOOL, std::string*) override { return FALSE; }
    BOOL EditBlockParameters(const std::string&, CLDProgram&, CBlock&) override { return FALSE; }
    BOOL EditComment(std::string*, BOOL*) override { return FALSE; }
};

class LadderEditCommandsTest : public LadderWindowFixture {
protected:
    void SetUp() override
    {
        LadderWindowFixture::SetUp();
        ASSERT_TRUE(OpenLadderWindow(m_folder / "MAIN_Pump.ilp", {"(* Network 0 *)", "LD %I0.0", "ST %Q0.0"}));
        Ladder()->GetLDEditor().SetDialogs(&m_chooser);
    }

public:
    // The steps' own checks reach these.
    using LadderWindowFixture::Ladder;
    CLDElement* Root() const { return Ladder()->GetItems()[1].get(); }

    FunctionChooser m_chooser;
    CScopedUi m_ui;
};

TEST_F(LadderEditCommandsTest, EachCommandEditsTheNetworksThroughTheView)
{
    struct Step {
        const char* name;
        UINT id;
        std::function<CLDElement*(LadderEditCommandsTest&)> select;
        std::function<bool(LadderEditCommandsTest&, CLDElement* selected)> done;
    };
    // The leftmost contact of the rung: the left part of any series node before it.
    const auto firstContact = [](LadderEditCommandsTest& t) {
        CLDElement* e = t.Root()->GetChildA();
        while (e && e->GetKind() == LD_KIND_LOGIC_NODE)
            e = e->GetLink() == LD_LINK_SERIES ? e->GetChildB() : e->GetChildA();
        return e;
    };
    const Step steps[] = {
        {"right contact", ID_LD_RIGHT_CONTACT, firstContact,
         [](LadderEditCommandsTest& t, CLDElement* s) {
             return s->GetChildA() == t.Ladder()->GetSelection() && s->GetChildA()->GetOperand() == "????";
         }},
        {"left contact", ID_LD_LEFT_CONTACT, firstContact,
         [](LadderEditCommandsTest& t, CLDElement* s) { return t.Ladder()->GetSelection()->GetChildA() == s; }},
        {"parallel contact", ID_LD_PARALLEL_CONTACT, firstContact,
         [](LadderEditCommandsTest& t, CLDElement* s) {
             return s->GetChildB() == t.Ladder()->GetSelection() && s->GetLink() == LD_LINK_PARALLEL;
         }},
        {"coil", ID_LD_COIL, [](LadderEditCommandsTest& t) { return t.Root(); },
         [](LadderEditCommandsTest& t, CLDElement* s) {
             return s->GetChildB() == t.Ladder()->GetSelection() && s->GetChildB()->GetTypeText() == "-( )";
         }},
        {"block", ID_LD_BLOCK, [](LadderEditCommandsTest& t) { return t.Root()->GetChildB(); },
         [](LadderEditCommandsTest& t, CLDElement*) {
             // A parallel coil takes no block: the command only reports it.
             return t.m_ui.box.Texts() == std::vector<std::string> {"Block and the coil cannot be parallel. "};
         }},
        {"block after a contact", ID_LD_BLOCK, firstContact,
         [](LadderEditCommandsTest& t, CLDElement* s) {
             return dynamic_cast<CBlock*>(s->GetChildA()) && t.Ladder()->GetSelection() == s->GetChildA();
         }},
        {"delete component", ID_LD_DELETE_COMPONENT, [](LadderEditCommandsTest& t) { return t.Root()->GetChildB(); },
         [](LadderEditCommandsTest& t, CLDElement*) { return t.Root()->GetChildB() == nullptr; }},
        {"network", ID_LD_NETWORK, firstContact,
         [](LadderEditCommandsTest& t, CLDElement*) { return t.Ladder()->GetNetworkCount() == 2; }},
        {"delete network", ID_LD_DELETE_NETWORK, firstContact,
         [](LadderEditCommandsTest& t, CLDElement*) { return t.Ladder()->GetNetworkCount() == 1; }},
    };
    for (const Step& step : steps) {
        m_ui.box.Clear();
        m_doc->SetModifiedFlag(FALSE);
        CLDElement* selected = step.select(*this);
        ASSERT_NE(selected, nullptr) << step.name;
        Ladder()->Select(selected);
        const int snapshots = Ladder()->GetUndoCount();
        const BOOL refused = std::string(step.name) == "block";
        EXPECT_EQ(IsEnabled(step.id), !refused) << step.name;

        ASSERT_TRUE(RunCommand(step.id)) << step.name;

        EXPECT_TRUE(step.done(*this, selected)) << step.name;
        EXPECT_EQ(m_doc->IsModified(), !refused) << step.name;
        EXPECT_EQ(Ladder()->GetUndoCount(), snapshots + (refused ? 0 : 1)) << step.name;
    }
}

TEST_F(LadderEditCommandsTest, UndoAndRedoThroughTheViewAndNothingWhileMonitoring)
{
    Ladder()->Select(Root()->GetChildA());
    ASSERT_TRUE(RunCommand(ID_LD_RIGHT_CONTACT));
    ASSERT_NE(Root()->GetChildA()->GetChildA(), nullptr);

    EXPECT_TRUE(IsEnabled(ID_EDIT_UNDO));
    ASSERT_TRUE(RunCommand(ID_EDIT_UNDO));
    EXPECT_EQ(Root()->GetChildA()->GetChildA(), nullptr);
    EXPECT_FALSE(IsEnabled(ID_EDIT_UNDO));
    EXPECT_TRUE(IsEnabled(ID_EDIT_REDO));
    ASSERT_TRUE(RunCommand(ID_EDIT_REDO));
    EXPECT_NE(Root()->GetChildA()->GetChildA(), nullptr);

    Ladder()->Select(Root()->GetChildA());
    m_app->Monitoring = 1;
    for (UINT id : {ID_LD_NETWORK, ID_LD_LEFT_CONTACT, ID_LD_RIGHT_CONTACT, ID_LD_PARALLEL_CONTACT, ID_LD_BRANCH,
                    ID_LD_COIL, ID_LD_BLOCK, ID_LD_DELETE_COMPONENT, ID_LD_DELETE_NETWORK, ID_EDIT_UNDO})
        EXPECT_FALSE(IsEnabled(id)) << id;
    const int snapshots = Ladder()->GetUndoCount();
    RunCommand(ID_LD_RIGHT_CONTACT);
    RunCommand(ID_LD_DELETE_NETWORK);
    m_app->Monitoring = 0;
    EXPECT_EQ(Ladder()->GetUndoCount(), snapshots);
    EXPECT_EQ(Ladder()->GetNetworkCount(), 1);
    EXPECT_TRUE(IsEnabled(ID_LD_BRANCH));
}

} // namespace
