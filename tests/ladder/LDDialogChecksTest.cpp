// The checks behind the LD dialogs: the Contact/Coil OK (type and text ->
// stored operand or message, label bookkeeping), the parameter entries of
// a box and its instance name, and what the block chooser offers.

#include "ElementFixture.h"

#include "ladder/CBlock.h"
#include "ladder/CCoil.h"
#include "ladder/CContact.h"
#include "ladder/CLDBlockChoices.h"
#include "ladder/CLDBlockParamCheck.h"
#include "ladder/CLDContactCoilCheck.h"
#include "model/CInstructionDef.h"
#include "model/CProjTreeNode.h"
#include "model/CZULFB.h"
#include "model/CZULFBPara.h"
#include "model/CZULFunc.h"

#include <algorithm>

namespace {

const char* const NO_MESSAGE = "";
const char* const LOCAL_MISMATCH = "The data type or I/O type is not valid for the instruction operand.";
const char* const MEMORY_MISMATCH = "The data type or memory type is not valid for the instruction operand.";
const char* const TYPE_MISMATCH = "The data type is not valid for the instruction operand.";
const char* const NOT_LEGAL = "The input is not legal.";
const char* const DUPLICATE_LABEL = "A duplicate identifier already existed.";
const char* const ILLEGAL_IDENTIFIER = "This is not a legal identifier.";
const char* const BAD_INSTANCE = "This is not a legal FB instance name, or A duplicate FB instance already existed.";

CInstructionDef& NotRow()
{
    static CInstructionDef row = {"-|NOT|-", INSTRUCTION_KIND_CONTACT, 0, 0, {}, {}, 1, "Not", 0xFF, 0};
    return row;
}

bool Offers(const std::vector<std::string>& list, const std::string& text)
{
    return std::find(list.begin(), list.end(), text) != list.end();
}

} // namespace

class LDDialogChecksTest : public ElementFixture {
protected:
    LDLocalLookup Locals()
    {
        return [this](const std::string& name, OperandTypeFlags& flags) { return m_locals.FindLocalVar(name, flags); };
    }

    // The one message shown since the last call, "" when none; the caption goes to *caption.
    std::string TakeMessage(std::string* caption = nullptr, UINT* type = nullptr)
    {
        const std::vector<RecordedMessage> messages = m_ui.box.Messages();
        m_ui.box.Clear();
        if (messages.empty())
            return NO_MESSAGE;
        EXPECT_EQ(messages.size(), 1u);
        if (caption)
            *caption = messages.back().caption;
        if (type)
            *type = messages.back().type;
        return messages.back().text;
    }
};

TEST_F(LDDialogChecksTest, ContactAndCoilOperandsAreStoredOrRefusedByTheTypesMask)
{
    struct Row {
        BOOL coil;
        const char* type;
        const char* text;
        int result;
        const char* stored;   // the element's operand afterwards
        const char* message;
        const char* caption;
    };
    const Row rows[] = {
        {FALSE, "-| |-", "%i0.0", LD_ENTRY_CLOSE, "%I0.0", NO_MESSAGE, ""},
        {FALSE, "-| |-", "Start", LD_ENTRY_CLOSE, "%I0.1", NO_MESSAGE, ""},       // a global symbol: its address
        {FALSE, "-| |-", "FLAG", LD_ENTRY_CLOSE, "FLAG", NO_MESSAGE, ""},         // a local BOOL variable
        {FALSE, "-| |-", "COUNT", LD_ENTRY_STAY, "old", LOCAL_MISMATCH, "Note"},  // a local INT
        {FALSE, "-| |-", "VB10", LD_ENTRY_STAY, "old", MEMORY_MISMATCH, "Note"},  // a byte for a bit
        {FALSE, "-|I|-", "Q0.0", LD_ENTRY_STAY, "old", MEMORY_MISMATCH, "Note"},  // immediate contacts read I only
        {FALSE, "-| |-", "t5", LD_ENTRY_CLOSE, "T5", NO_MESSAGE, ""},             // a timer name, upper-cased
        {FALSE, "-| |-", "%t5", LD_ENTRY_CLOSE, "T5", NO_MESSAGE, ""},            // ... and without "%"
        {TRUE, "-( )", "t5", LD_ENTRY_STAY, "old", MEMORY_MISMATCH, "Note"},      // a coil checks it as an address
        {TRUE, "-( )", "q0.1", LD_ENTRY_CLOSE, "%Q0.1", NO_MESSAGE, ""},
        {FALSE, "-| |-", "1000", LD_ENTRY_STAY, "old", TYPE_MISMATCH, "Note"},    // a number for a bit
        {TRUE, "-( )", "1", LD_ENTRY_STAY_ADDRESS, "old", NOT_LEGAL, "Error"},    // coils take no constant
        {FALSE, "-| |-", "a b", LD_ENTRY_STAY_ADDRESS, "old", NOT_LEGAL, "Error"},
        {FALSE, "-|NOT|-", "", LD_ENTRY_CLOSE, "????", NO_MESSAGE, ""},           // no operand: stored as entered
        {TRUE, "-(NUL)", "anything", LD_ENTRY_CLOSE, "anything", NO_MESSAGE, ""},
    };
    const CLDContactCoilCheck check(*m_app, Locals());
    for (const Row& row : rows) {
        CContact contact;
        CCoil coil;
        CLDElement& element = row.coil ? static_cast<CLDElement&>(coil) : contact;
        element.AttachNames(&m_names);
        element.SetOperand("old");
        EXPECT_EQ(check.Apply(element, row.coil, row.type, row.text, "", &m_names), row.result) << row.text;
        EXPECT_EQ(element.GetOperand(), row.stored) << row.text;
        std::string caption;
        UINT type = 0;
        EXPECT_EQ(TakeMessage(&caption, &type), row.message) << row.text;
        if (*row.message) {
            EXPECT_EQ(caption, row.caption) << row.text;
            EXPECT_EQ(type & MB_ICONMASK, row.result == LD_ENTRY_STAY_ADDRESS ? MB_ICONERROR : MB_ICONINFORMATION);
        }
    }
}

TEST_F(LDDialogChecksTest, LabelCoilsKeepTheLabelListAndAcceptTheirOwnLabelUnchanged)
{
    struct Row {
        const char* type;
        std::vector<std::string> labelsBefore;
        const char* previous;
        const char* text;
        int result;
        const char* stored;
        std::vector<std::string> labelsAfter;
        const char* message;
    };
    const Row rows[] = {
        {"-(LBL)", {}, "????", "LOOP", LD_ENTRY_CLOSE, "LOOP", {"LOOP"}, NO_MESSAGE},
        {"-(LBL)", {"A", "B", "A"}, "A", "C", LD_ENTRY_CLOSE, "C", {"A", "B", "C"}, NO_MESSAGE}, // the last "A" goes
        {"-(LBL)", {"A", "B"}, "A", "B", LD_ENTRY_CLOSE, "A", {"A", "B"}, DUPLICATE_LABEL},
        // Reopened and confirmed unchanged: its own label is no duplicate.
        {"-(LBL)", {"A", "B"}, " A ", "A", LD_ENTRY_CLOSE, "A", {"A", "B"}, NO_MESSAGE},
        {"-(LBL)", {}, "????", "%LOOP", LD_ENTRY_CLOSE, "LOOP", {"LOOP"}, NO_MESSAGE},
        {"-(LBL)", {"A"}, "A", "1st", LD_ENTRY_STAY, "old", {"A"}, ILLEGAL_IDENTIFIER},
        // No label: the coil's label leaves the list and it is unset.
        {"-(LBL)", {"A", "B", "A"}, "A", "", LD_ENTRY_CLOSE, "????", {"B"}, NO_MESSAGE},
        {"-(LBL)", {"A", "B"}, "A", "  ", LD_ENTRY_CLOSE, "????", {"B"}, NO_MESSAGE},
        {"-(JMP)", {"A"}, "????", "A", LD_ENTRY_CLOSE, "A", {"A"}, NO_MESSAGE},
        {"-(JMPC)", {"A"}, "????", "Z", LD_ENTRY_CLOSE, "Z", {"A"}, NO_MESSAGE},
    };
    const CLDContactCoilCheck check(*m_app, Locals());
    for (const Row& row : rows) {
        m_names.LDLabelList = row.labelsBefore;
        CCoil coil;
        coil.AttachNames(&m_names);
        coil.SetTypeText(row.type);
        coil.SetOperand("old");
        EXPECT_EQ(check.Apply(coil, TRUE, row.type, row.text, row.previous, &m_names), row.result) << row.text;
        EXPECT_EQ(coil.GetOperand(), row.stored) << row.text;
        EXPECT_EQ(m_names.LDLabelList, row.labelsAfter) << row.text;
        EXPECT_EQ(TakeMessage(), row.message) << row.text;
    }
}

TEST_F(LDDialogChecksTest, TypeListsFollowTheCataloguesAndHideNotInParallelPositions)
{
    const CLDContactCoilCheck check(*m_app, Locals());
    const std::vector<std::string> coils = check.TypeList(TRUE, FALSE);
    EXPECT_EQ(coils.front(), "-(NUL)");
    EXPECT_TRUE(Offers(coils, "-(LBL)"));
    EXPECT_FALSE(Offers(coils, "-(RET)")); // not visible in the catalogue
    EXPECT_FALSE(Offers(coils, "-| |-"));
    EXPECT_EQ(check.TypeList(FALSE, FALSE).front(), "-| |-");
    // The inverting contact, when the catalogue has it, is left out in parallel positions.
    m_app->ContactCatalog[NotRow().name] = &NotRow();
    EXPECT_TRUE(Offers(check.TypeList(FALSE, FALSE), "-|NOT|-"));
    EXPECT_FALSE(Offers(check.TypeList(FALSE, TRUE), "-|NOT|-"));
    EXPECT_EQ(check.OperandCount(TRUE, "-(NUL)"), 0);
    EXPECT_EQ(check.OperandCount(FALSE, "-| |-"), 1);
    EXPECT_EQ(check.OperandCount(FALSE, "unknown"), 0);

    // A contact heading a parallel branch, one inside the last branch of a
    // column, and one on the main rung.
    CContact branch;
    branch.SetLink(LD_LINK_PARALLEL);
    CContact lastBranch;
    lastBranch.SetLink(LD_LINK_PARALLEL);
    CContact inside;
    inside.SetLink(LD_LINK_SERIES);
    inside.SetParent(&lastBranch);
    CContact rung;
    rung.SetLink(LD_LINK_SERIES);
    CContact afterRung;
    afterRung.SetLink(LD_LINK_SERIES);
    afterRung.SetParent(&rung);
    EXPECT_TRUE(CLDContactCoilCheck::IsParallelPosition(branch));
    EXPECT_TRUE(CLDContactCoilCheck::IsParallelPosition(inside));
    EXPECT_FALSE(CLDContactCoilCheck::IsParallelPosition(afterRung));
    // A branch with a parallel successor below is not the last one.
    lastBranch.SetChildB(&branch);
    EXPECT_FALSE(CLDContactCoilCheck::IsParallelPosition(inside));
    lastBranch.SetChildB(nullptr);
}

class LDBlockParamCheckTest : public LDDialogChecksTest {
protected:
    void SetUp() override
    {
        LDDialogChecksTest::SetUp();
        auto* node = new CProjTreeNode;
        node->name = "Alarm";
        node->number = 3;
        m_app->Project.POUs.AddInterruptNode(node);
        ASSERT_TRUE(m_app->LookupFunctionBlock("TON", m_timer));
        ASSERT_TRUE(m_app->LookupFunction("ADD", m_add));
        ASSERT_TRUE(m_app->LookupFunction("ATCH", m_attach));
        ResetActuals();
    }

    void ResetActuals()
    {
        for (CZULFBParaArray* list : {&m_timer.inputs, &m_timer.outputs, &m_add.inputs, &m_add.outputs,
                                      &m_attach.inputs, &m_attach.outputs}) {
            for (int i = 0; i < list->GetSize(); ++i)
                list->GetAt(i)->typeText = "????";
        }
    }

    static std::string Actual(const CZULFBParaArray& list, const std::string& name)
    {
        for (int i = 0; i < list.GetSize(); ++i) {
            if (list.GetAt(i)->name == name)
                return list.GetAt(i)->typeText;
        }
        return "<none>";
    }

    CZULFB m_timer;
    CZULFunc m_add;
    CZULFunc m_attach;
};

TEST_F(LDBlockParamCheckTest, EntriesAreCheckedAgainstTheParameterAndStored)
{
    enum Record { TIMER, ADD, ATTACH };
    struct Row {
        Record record;
        BOOL input;
        const char* name;
        const char* text;
        BOOL accepted;
        const char* stored;
    };
    const Row rows[] = {
        {TIMER, TRUE, "PT", "100", TRUE, "100"},
        {TIMER, TRUE, "PT", "COUNT", TRUE, "COUNT"},      // a local INT keeps its name
        {TIMER, TRUE, "IN", "Start", TRUE, "%I0.1"},      // a global symbol becomes its address
        {TIMER, TRUE, "PT", "vw10", TRUE, "VW10"},        // a direct address, upper-cased
        {TIMER, TRUE, "PT", "VB10", FALSE, "????"},       // a byte for an INT
        {TIMER, TRUE, "PT", "FLAG", FALSE, "????"},       // a local BOOL for an INT
        {TIMER, TRUE, "PT", "1.5", FALSE, "????"},        // a REAL constant for an INT
        {TIMER, FALSE, "ET", "", TRUE, ""},               // a timer output may stay empty
        {TIMER, FALSE, "ET", "VW20", TRUE, "VW20"},
        {ADD, FALSE, "OUT", "", FALSE, "????"},           // a function output may not
        {ADD, TRUE, "IN1", "nonsense!", FALSE, "????"},
        {ATTACH, TRUE, "INT", "Alarm", TRUE, "Alarm"},    // an interrupt routine by name
        {ATTACH, TRUE, "INT", "INT03", TRUE, "INT03"},    // ... or by its alias
        {ATTACH, TRUE, "INT", "INT04", FALSE, "????"},
        {ATTACH, TRUE, "INT", "Nothing", FALSE, "????"},
    };
    const CLDBlockParamCheck check(*m_app, Locals());
    for (const Row& row : rows) {
        ResetActuals();
        CZULFunc* function = row.record == ADD ? &m_add : row.record == ATTACH ? &m_attach : nullptr;
        CZULFB* block = row.record == TIMER ? &m_timer : nullptr;
        EXPECT_EQ(check.ApplyEntry(function, block, row.input, row.name, row.text), row.accepted) << row.text;
        const CZULFBParaArray& list = function ? (row.input ? function->inputs : function->outputs)
                                               : (row.input ? block->inputs : block->outputs);
        EXPECT_EQ(Actual(list, row.name), row.stored) << row.text;
    }
    EXPECT_EQ(TakeMessage(), NO_MESSAGE); // refusals are silent

    // Without the POU at hand every checked entry is refused.
    const CLDBlockParamCheck noPOU(*m_app, nullptr);
    EXPECT_FALSE(noPOU.ApplyEntry(nullptr, &m_timer, TRUE, "PT", "100"));
}

TEST_F(LDBlockParamCheckTest, InstanceNamesAreAddedOrRenamedAndDuplicatesRefused)
{
    const CLDBlockParamCheck check(*m_app, Locals());
    m_timer.instanceName = "????";
    EXPECT_TRUE(check.ApplyInstanceName(m_timer, "????", "MAIN")); // nothing to do
    EXPECT_EQ(m_timer.instanceName, "????");
    EXPECT_TRUE(check.ApplyInstanceName(m_timer, " t37 ", "MAIN"));
    EXPECT_EQ(m_timer.instanceName, "T37");
    EXPECT_EQ(InstancesOfMain(), std::vector<std::string>{"T37"});

    CZULFB other;
    ASSERT_TRUE(m_app->LookupFunctionBlock("TON", other));
    other.instanceName = "????";
    ASSERT_TRUE(check.ApplyInstanceName(other, "T38", "MAIN"));
    EXPECT_FALSE(check.ApplyInstanceName(m_timer, "T38", "MAIN"));
    EXPECT_EQ(m_timer.instanceName, "T37");
    std::string caption;
    EXPECT_EQ(TakeMessage(&caption), BAD_INSTANCE);
    EXPECT_EQ(caption, "Note");
    EXPECT_FALSE(check.ApplyInstanceName(m_timer, "X1", "MAIN"));
    EXPECT_EQ(TakeMessage(), BAD_INSTANCE);

    EXPECT_TRUE(check.ApplyInstanceName(m_timer, "T40", "MAIN"));
    EXPECT_EQ(m_timer.instanceName, "T40");
    std::vector<std::string> names = InstancesOfMain();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"T38", "T40"}));
}

TEST_F(LDDialogChecksTest, TheChooserOffersTheFamilysFunctionsAndTheProjectsSubroutines)
{
    const std::vector<std::string> vb16 = CLDBlockChoices::FunctionsAndFBs(*m_app);
    EXPECT_EQ(vb16.front(), "NCR");
    EXPECT_TRUE(Offers(vb16, "TON"));
    EXPECT_FALSE(Offers(vb16, "-( )"));
    UseFamily(0); // VA10 lacks the instructions of mask 0xD4
    const std::vector<std::string> va10 = CLDBlockChoices::FunctionsAndFBs(*m_app);
    EXPECT_FALSE(Offers(va10, "NCR"));
    EXPECT_EQ(va10.front(), "R_TRIG");
    EXPECT_TRUE(CLDBlockChoices::IsFBType(*m_app, "TON"));
    EXPECT_FALSE(CLDBlockChoices::IsFBType(*m_app, "ADD"));

    EXPECT_TRUE(CLDBlockChoices::Subroutines(*m_app).empty());
    for (const char* name : {"Mix", "Fill"}) {
        auto* node = new CProjTreeNode;
        node->name = name;
        node->number = name[0] == 'M' ? 1 : 2;
        m_app->Project.POUs.AddSubroutineNode(node);
    }
    EXPECT_EQ(CLDBlockChoices::Subroutines(*m_app), (std::vector<std::string>{"Fill", "Mix"}));
}
