// Inserting a double-clicked catalogue row or subroutine at the ladder
// selection: what is created for each catalogue kind, where it goes, and
// the refusals with their messages.

#include "LadderFixture.h"
#include "RecordingInsertTarget.h"

#include "ladder/CBlock.h"
#include "ladder/CCoil.h"
#include "ladder/CContact.h"
#include "ladder/CLDCatalogueInsert.h"
#include "model/CInstructionDef.h"
#include "model/CZULFB.h"
#include "model/CZULFBPara.h"
#include "model/CZULFunc.h"
#include "model/InstructionCatalog.h"

#include <cstring>
#include <memory>

namespace {

const char* const TOO_WIDE = "The number of horizontal elements in this network has reached the upper limit. ";
const char* const SELF_CALL = "A subroutine can not call itself.  ";

// The inverting contact as a catalogue row would carry it.
const CInstructionDef NOT_ROW = {"-|NOT|-", INSTRUCTION_KIND_CONTACT, 0, 0, {}, {}, 1, "Not", 0xFF, 0};

const CInstructionDef* Row(const char* name)
{
    if (std::strcmp(name, NOT_ROW.name) == 0)
        return &NOT_ROW;
    for (const CInstructionDef& row : g_LDInstructionTable) {
        if (std::strcmp(row.name, name) == 0)
            return &row;
    }
    return nullptr;
}

std::vector<std::string> Actuals(const CZULFBParaArray& list)
{
    std::vector<std::string> texts;
    for (int i = 0; i < list.GetSize(); ++i)
        texts.push_back(list.GetAt(i)->typeText);
    return texts;
}

} // namespace

class LDCatalogueInsertTest : public LadderFixture {
protected:
    void SetUp() override
    {
        LadderFixture::SetUp();
        m_app->BuildInstructionCatalog();
        // A root coil with a second coil chained below it; a contact on the
        // main rung; a contact heading the last branch of a column.
        m_root.SetLink(LD_LINK_PARALLEL);
        m_lower.SetLink(LD_LINK_PARALLEL);
        m_lower.SetParent(&m_root);
        m_rung.SetLink(LD_LINK_SERIES);
        m_branch.SetLink(LD_LINK_PARALLEL);
    }

    int Insert(CLDElement* selection, std::uintptr_t kind, const void* item)
    {
        m_target.selection = selection;
        return CLDCatalogueInsert(*m_app, m_target).Insert(kind, reinterpret_cast<std::intptr_t>(item));
    }

    CRecordingInsertTarget m_target;
    CCoil m_root;
    CCoil m_lower;
    CContact m_rung;
    CContact m_branch;
};

TEST_F(LDCatalogueInsertTest, EachCatalogueKindGoesWhereItsRuleSays)
{
    enum Selection { ROOT_COIL, LOWER_COIL, RUNG_CONTACT, BRANCH_CONTACT };
    struct Case {
        const char* row;
        Selection selection;
        BOOL widthAllows;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {"-| |-", RUNG_CONTACT, TRUE, {"Commit", "AppendSeries", "Finish", "Focus"}},
        {"-| |-", ROOT_COIL, TRUE, {"Commit", "AppendSeries", "Finish", "Focus"}},
        {"-| |-", LOWER_COIL, TRUE, {"Commit"}},
        {"-| |-", RUNG_CONTACT, FALSE, {"Commit", std::string("Note:") + TOO_WIDE, "Focus"}},
        {"-|NOT|-", RUNG_CONTACT, TRUE, {"Commit", "AppendSeries", "Finish", "Focus"}},
        {"-|NOT|-", BRANCH_CONTACT, TRUE, {"Commit"}},
        {"-|NOT|-", ROOT_COIL, TRUE, {"Commit", "AppendSeries", "Finish", "Focus"}},
        {"-( )", ROOT_COIL, TRUE, {"Commit", "AddParallelCoil", "Finish", "Focus"}},
        {"-( )", RUNG_CONTACT, TRUE, {"Commit", "Focus"}},
        {"-( )", ROOT_COIL, FALSE, {"Commit", "AddParallelCoil", "Finish", "Focus"}}, // no width check
        {"ADD", RUNG_CONTACT, TRUE, {"Commit", "InsertBlock", "Finish", "Focus"}},
        {"ADD", ROOT_COIL, TRUE, {"Commit"}},  // the root has coils below: the parallel link
        {"ADD", RUNG_CONTACT, FALSE, {"Commit", std::string("Note:") + TOO_WIDE, "Focus"}},
        {"TON", RUNG_CONTACT, TRUE, {"Commit", "InsertBlock", "Finish", "Focus"}},
        {"TON", ROOT_COIL, TRUE, {"Commit", "InsertBlock", "Finish", "Focus"}},
        {"TON", LOWER_COIL, TRUE, {"Commit"}},
    };
    CLDElement* selections[] = {&m_root, &m_lower, &m_rung, &m_branch};
    for (const Case& c : cases) {
        m_target.calls.clear();
        m_target.finished.reset();
        m_target.widthAllows = c.widthAllows;
        EXPECT_EQ(Insert(selections[c.selection], LD_INSERT_CATALOGUE_ROW, Row(c.row)), 1);
        EXPECT_EQ(m_target.calls, c.calls) << c.row << " on " << c.selection;
        if (!m_target.finished)
            continue;
        if (Row(c.row)->kind <= INSTRUCTION_KIND_COIL) {
            EXPECT_EQ(m_target.finished->GetTypeText(), c.row);
        }
    }
    EXPECT_EQ(m_target.noteType, MB_OK | MB_ICONINFORMATION);
}

TEST_F(LDCatalogueInsertTest, NewElementsCarryUnsetOperandsAndTheirLinks)
{
    Insert(&m_rung, LD_INSERT_CATALOGUE_ROW, Row("-|/|-"));
    auto* contact = dynamic_cast<CContact*>(m_target.finished.get());
    ASSERT_NE(contact, nullptr);
    EXPECT_EQ(contact->GetOperand(), "????");
    EXPECT_EQ(contact->GetTypeText(), "-|/|-");
    EXPECT_EQ(contact->GetLink(), LD_LINK_SERIES);

    Insert(&m_root, LD_INSERT_CATALOGUE_ROW, Row("-(S)"));
    auto* coil = dynamic_cast<CCoil*>(m_target.finished.get());
    ASSERT_NE(coil, nullptr);
    EXPECT_EQ(coil->GetOperand(), "????");
    EXPECT_EQ(coil->GetTypeText(), "-(S)");
    EXPECT_EQ(coil->GetLink(), LD_LINK_PARALLEL);

    // A function box: every pin, the first included, is "????".
    Insert(&m_rung, LD_INSERT_CATALOGUE_ROW, Row("ADD"));
    auto* box = dynamic_cast<CBlock*>(m_target.finished.get());
    ASSERT_NE(box, nullptr);
    ASSERT_TRUE(box->IsFunction());
    EXPECT_EQ(box->GetName(), "ADD");
    EXPECT_EQ(Actuals(box->GetFunction()->inputs), (std::vector<std::string>{"????", "????", "????"}));
    EXPECT_EQ(Actuals(box->GetFunction()->outputs), (std::vector<std::string>{"????", "????"}));

    // An FB: instance "????" and, unlike the Block command, its outputs too;
    // no instance is registered yet.
    Insert(&m_rung, LD_INSERT_CATALOGUE_ROW, Row("TON"));
    box = dynamic_cast<CBlock*>(m_target.finished.get());
    ASSERT_NE(box, nullptr);
    ASSERT_FALSE(box->IsFunction());
    EXPECT_EQ(box->GetFB()->instanceName, "????");
    EXPECT_EQ(Actuals(box->GetFB()->inputs), (std::vector<std::string>{"????", "????"}));
    EXPECT_EQ(Actuals(box->GetFB()->outputs), (std::vector<std::string>{"????", "????"}));
    EXPECT_TRUE(InstancesOfMain().empty());
}

TEST_F(LDCatalogueInsertTest, SubroutineCallsRefuseTheirOwnPOU)
{
    CZULFunc mix;
    mix.SetName("Mix");
    mix.AddInput(new CZULFBPara);
    mix.AddOutput(new CZULFBPara);
    Insert(&m_rung, LD_INSERT_SUBROUTINE, &mix);
    EXPECT_EQ(m_target.calls, (std::vector<std::string>{"Commit", "InsertBlock", "Finish", "Focus"}));
    auto* box = dynamic_cast<CBlock*>(m_target.finished.get());
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->IsFunction());
    EXPECT_EQ(box->GetName(), "Mix");
    EXPECT_EQ(Actuals(box->GetFunction()->inputs), std::vector<std::string>{"????"});
    EXPECT_EQ(Actuals(mix.inputs), std::vector<std::string>{""}); // the project's interface is copied

    m_target.calls.clear();
    m_target.finished.reset();
    m_target.pouName = "Mix";
    Insert(&m_rung, LD_INSERT_SUBROUTINE, &mix);
    EXPECT_EQ(m_target.calls, (std::vector<std::string>{"Commit", "Focus"}));
    const std::vector<RecordedMessage> messages = m_ui.box.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].caption, "Note");
    EXPECT_EQ(messages[0].text, SELF_CALL);
    EXPECT_EQ(messages[0].type & MB_ICONMASK, MB_ICONINFORMATION);
}

TEST_F(LDCatalogueInsertTest, NothingHappensWithoutSelectionDocumentOrKnownKind)
{
    EXPECT_EQ(Insert(nullptr, LD_INSERT_CATALOGUE_ROW, Row("-| |-")), 1);
    EXPECT_TRUE(m_target.calls.empty());
    m_target.hasDocument = FALSE;
    Insert(&m_rung, LD_INSERT_CATALOGUE_ROW, Row("-| |-"));
    EXPECT_EQ(m_target.calls, std::vector<std::string>{"Commit"});
    m_target.hasDocument = TRUE;
    m_target.calls.clear();
    Insert(&m_rung, 1, Row("-| |-"));
    EXPECT_EQ(m_target.calls, std::vector<std::string>{"Commit"});

    // An element the program refuses to place is not finished (and not leaked).
    m_target.calls.clear();
    m_target.places = FALSE;
    Insert(&m_rung, LD_INSERT_CATALOGUE_ROW, Row("TON"));
    EXPECT_EQ(m_target.calls, (std::vector<std::string>{"Commit", "InsertBlock", "Focus"}));
    EXPECT_EQ(m_target.finished, nullptr);
}
