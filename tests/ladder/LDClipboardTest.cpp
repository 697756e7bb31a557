// Ladder copy and paste: the bytes a copy leaves in the shared copy block,
// elements rebuilt from their transfer texts, where pasted networks land,
// the network limit in the middle of a paste, copies of networks kept as IL,
// and a copy in one process pasted in another over the real block.

#include "ElementFixture.h"
#include "RecordingInsertTarget.h"
#include "../pouedit/ILProgramFixture.h"
#include "ladder/CBlock.h"
#include "ladder/CCoil.h"
#include "ladder/CComment.h"
#include "ladder/CContact.h"
#include "ladder/CLDClipboard.h"
#include "ladder/CLDEditor.h"
#include "ladder/CLDProgram.h"
#include "ladder/CLadderProgramFactory.h"
#include "model/CSharedCopyBlock.h"
#include "model/CZULFB.h"
#include "model/CZULFunc.h"
#include "platform/CSharedMemoryBlock.h"
#include "support/TextLines.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

namespace {

// count networks "LD <tag>n / ST q<tag>n".
std::string Networks(int count, const std::string& tag)
{
    std::string text;
    for (int n = 0; n < count; ++n)
        text += "(* Network " + std::to_string(n) + " *)\nLD " + tag + std::to_string(n) + "\nST q" + tag
            + std::to_string(n) + "\n";
    return text;
}

// What the copy left in the shared copy block.
struct BlockContent {
    DWORD kind = 0;
    DWORD extra = 0;
    std::vector<int> values;
    std::string text;
};

BlockContent ReadBlock()
{
    BlockContent content;
    CSharedMemoryBlock raw;
    if (!raw.Open(SHARED_COPY_BLOCK_NAME))
        return content;
    auto field = [&raw](DWORD offset) {
        DWORD value = 0;
        std::memcpy(&value, raw.Data() + offset, 4);
        return value;
    };
    const DWORD total = field(SCB_TOTAL_SIZE);
    content.kind = field(SCB_KIND);
    content.extra = field(SCB_EXTRA);
    const DWORD count = field(SCB_COUNT);
    for (DWORD i = 0; i < count; ++i)
        content.values.push_back(int(field(SHARED_COPY_HEADER_BYTES + 4 * i)));
    const DWORD textAt = SHARED_COPY_HEADER_BYTES + 4 * count;
    content.text.assign(reinterpret_cast<const char*>(raw.Data() + textAt), total - textAt);
    return content;
}

// The other instance: its own application data and an empty LD POU. It
// pastes what the block holds, reports the POU's IL text, then copies the
// timer box of its second network.
std::string PasteAndCopyInAnotherInstance()
{
    auto other = std::make_unique<CZULAppData>();
    g_pAppData = other.get();
    other->Project.CPUFamilyIndex = LADDER_TEST_FAMILY;
    other->LoadAreaTable();
    other->ApplyFamilyProfile();
    other->BuildInstructionCatalog();
    RegisterLadderProgramFactory(*other);
    FakePOUHost host;
    CLDProgram pasted(*other, &host);
    std::vector<std::string> lines;
    if (!CLDClipboard(pasted).Paste())
        return "no paste";
    pasted.GetILLines(lines);
    std::string report;
    for (const std::string& line : lines)
        report += line + "\n";
    CLDElement* box = pasted.GetNetworkCount() == 2 ? pasted.GetItems()[3]->GetChildA() : nullptr;
    while (box && box->GetKind() != LD_KIND_BLOCK)
        box = box->GetChildB() && box->GetChildB()->GetKind() == LD_KIND_BLOCK ? box->GetChildB() : box->GetChildA();
    pasted.Select(box);
    if (!box || !CLDClipboard(pasted).CopyElement())
        report += "no copy";
    return report;
}

} // namespace

class LDClipboardTest : public ElementFixture {
protected:
    void SetUp() override
    {
        ElementFixture::SetUp();
        RegisterLadderProgramFactory(*m_app);
    }

    std::unique_ptr<CLDProgram> Program(const std::string& il)
    {
        auto program = std::make_unique<CLDProgram>(*m_app, &m_host);
        if (!il.empty()) {
            EXPECT_TRUE(program->LoadFromIL(SplitLines(il)));
        }
        program->PushUndoSnapshot();
        program->GetLDEditor().LayoutAll();
        return program;
    }

    static CLDElement* Item(CLDProgram& program, int item) { return program.GetItems()[size_t(item)].get(); }

    static void SelectItem(CLDProgram& program, int item, CLDElement* element)
    {
        program.Select(element);
        program.GetLDEditor().SetCurrentItem(item);
    }
    static void SelectHeader(CLDProgram& program, int network)
    {
        SelectItem(program, 2 * network, Item(program, 2 * network));
    }
    // The input contact of the network's root coil.
    static void SelectContact(CLDProgram& program, int network)
    {
        SelectItem(program, 2 * network + 1, Item(program, 2 * network + 1)->GetChildA());
    }
    static void SelectNetworks(CLDProgram& program, int first, int last)
    {
        CLDEditor& editor = program.GetLDEditor();
        editor.LayoutAll();
        const std::vector<int>& rows = editor.GetFirstRows();
        editor.SelectNetworksByRows(0, rows[size_t(first)], 0, rows[size_t(last + 1)] - 1);
        ASSERT_TRUE(editor.IsNetworkSelection());
        ASSERT_EQ(editor.GetSelectionFirst(), first);
        ASSERT_EQ(editor.GetSelectionLast(), last);
    }

    // The operand of each network's first load, in network order.
    static std::vector<std::string> Loads(CLDProgram& program)
    {
        std::vector<std::string> loads;
        std::vector<std::string> lines;
        program.GetILLines(lines);
        for (const std::string& line : lines) {
            if (line.rfind("LD", 0) == 0)
                loads.push_back(ByteString::Trim(line.substr(2)));
        }
        return loads;
    }

    static std::string FileText(CLDProgram& program)
    {
        std::vector<std::string> lines;
        program.GetILLines(lines);
        std::string text;
        for (const std::string& line : lines)
            text += line + "\n";
        return text;
    }

    static void ExpectHeadersNumbered(CLDProgram& program)
    {
        for (int n = 0; n < program.GetNetworkCount(); ++n)
            EXPECT_EQ(static_cast<CComment*>(Item(program, 2 * n))->GetNetworkNumber(), n);
    }

    FakePOUHost m_host;
};

TEST_F(LDClipboardTest, ACopiedElementLeavesItsKindAndTransferTextInTheBlock)
{
    auto program = Program("(* Network 0 *)\n(*first\x01second*)\nLD %I0.0\nTON T19, %MW30\nST %Q0.0\n"
                           "(* Network 1 *)\nLD %I0.1\nST %Q0.1\n");
    CLDElement* tonRoot = Item(*program, 1);
    auto boxOf = [](CLDElement* root) {
        for (CLDElement* element = root->GetChildA(); element; element = element->GetChildA()) {
            if (element->GetKind() == LD_KIND_BLOCK)
                return element;
            if (element->GetChildB() && element->GetChildB()->GetKind() == LD_KIND_BLOCK)
                return element->GetChildB();
        }
        return static_cast<CLDElement*>(nullptr);
    };
    ASSERT_NE(boxOf(tonRoot), nullptr);

    struct Case {
        const char* name;
        CLDElement* selection;
        DWORD extra;
        std::string text;
    };
    const Case cases[] = {
        {"coil", tonRoot, LD_KIND_COIL, "-( )\x01%Q0.0"},
        {"contact", nullptr, LD_KIND_CONTACT, "-| |-\x01%I0.0"},
        {"timer loses its instance", boxOf(tonRoot), LD_KIND_BLOCK, "TON ???? %MW30  "},
        {"comment", Item(*program, 0), LD_KIND_COMMENT, "(* Network 0 *)\r\n(*first\x01second*)\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CLDElement* selection = c.selection;
        if (!selection) {
            // The first contact of network 0, wherever the tree puts it.
            selection = tonRoot->GetChildA();
            while (selection && selection->GetKind() != LD_KIND_CONTACT)
                selection = selection->GetChildB() ? selection->GetChildB() : selection->GetChildA();
        }
        ASSERT_NE(selection, nullptr);
        program->Select(selection);
        ASSERT_TRUE(CLDClipboard(*program).CopyElement());
        const BlockContent block = ReadBlock();
        EXPECT_EQ(block.kind, DWORD(LD_TRANSFER_ELEMENT));
        EXPECT_EQ(block.extra, c.extra);
        EXPECT_TRUE(block.values.empty());
        EXPECT_EQ(block.text, c.text);
        EXPECT_TRUE(m_app->LDClipboard.empty());
    }

    program->ClearSelection();
    EXPECT_FALSE(CLDClipboard(*program).CopyElement());
}

TEST_F(LDClipboardTest, CopiedNetworksLeaveTheirILTextAndRowCountsInTheBlock)
{
    auto program = Program(Networks(4, "s"));
    SelectNetworks(*program, 1, 2);
    ASSERT_TRUE(CLDClipboard(*program).CopyNetworks());

    const BlockContent block = ReadBlock();
    EXPECT_EQ(block.kind, DWORD(LD_TRANSFER_NETWORKS));
    EXPECT_EQ(block.extra, DWORD(LD_TRANSFER_NO_ELEMENT));
    const std::vector<int>& rows = program->GetLDEditor().GetFirstRows();
    EXPECT_EQ(block.values, (std::vector<int> {rows[2] - rows[1], rows[3] - rows[2]}));
    EXPECT_GT(block.values[0], 0);
    EXPECT_EQ(block.text, "(* Network 1 *)\r\nLD    s1\r\nST   qs1\r\n(* Network 2 *)\r\nLD    s2\r\nST   qs2\r\n");
    // The clones stay in the LD clipboard: header, root, header, root.
    ASSERT_EQ(m_app->LDClipboard.size(), 4u);
    EXPECT_EQ(static_cast<CLDElement*>(m_app->LDClipboard[2].get())->GetKind(), LD_KIND_COMMENT);

    program->GetLDEditor().EndNetworkSelection();
    EXPECT_FALSE(CLDClipboard(*program).CopyNetworks());
}

// A network kept as IL is copied with its own lines and stays one where it is pasted.
TEST_F(LDClipboardTest, ANetworkKeptAsILPastesItsOwnLines)
{
    const std::string source = "(* Network 0 *)\nLD I0.0\nST Q0.0\nAND I0.1\n(* Network 1 *)\nLD a\nST b\n";
    auto program = Program(source);
    const auto* header = static_cast<CComment*>(Item(*program, 0));
    const auto* root = static_cast<CCoil*>(Item(*program, 1));
    ASSERT_EQ(header->GetValidFlag(), 0);
    ASSERT_EQ(root->GetGraphicalFlag(), 0);

    LDItemPtr headerCopy = CLDClipboard::CloneHeader(*header);
    LDItemPtr rootCopy = CLDClipboard::CloneTree(root);
    ASSERT_TRUE(headerCopy && rootCopy);
    EXPECT_EQ(static_cast<CComment*>(headerCopy.get())->GetValidFlag(), 0);
    EXPECT_EQ(static_cast<CCoil*>(rootCopy.get())->GetGraphicalFlag(), 0);
    EXPECT_EQ(rootCopy->GetILText(), Item(*program, 1)->GetILText());

    SelectNetworks(*program, 0, 1);
    ASSERT_TRUE(CLDClipboard(*program).CopyNetworks());
    auto target = Program("");
    ASSERT_TRUE(CLDClipboard(*target).Paste());
    EXPECT_EQ(FileText(*target), FileText(*program));
    EXPECT_EQ(static_cast<CComment*>(Item(*target, 0))->GetValidFlag(), 0);
}

TEST_F(LDClipboardTest, CopiedTreesKeepTheirShapeAndOnlyTimerCountersAndBistablesLoseTheirInstance)
{
    auto program = Program("(* Network 0 *)\nLD %I0.0\nAND(\nLD %I0.2\nOR %I0.3\n)\nMOVE %MW0, %MW2\nST %Q0.1\n");
    LDItemPtr copy = CLDClipboard::CloneTree(Item(*program, 1));
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->GetILText(), Item(*program, 1)->GetILText());
    EXPECT_EQ(copy->GetChildA()->GetParent(), copy.get());
    EXPECT_EQ(CLDClipboard::CloneTree(nullptr), nullptr);

    const struct {
        const char* type;
        BOOL dropped;
    } types[] = {{"CTU", TRUE}, {"CTD", TRUE}, {"CTUD", TRUE}, {"TON", TRUE}, {"TOF", TRUE}, {"TP", TRUE},
                 {"RS", TRUE}, {"SR", TRUE}, {" TON ", TRUE}, {"ton", FALSE}, {"PWM", FALSE}, {"", FALSE}};
    for (const auto& t : types)
        EXPECT_EQ(CLDClipboard::IsFBTypeWithoutInstanceCopy(t.type), t.dropped) << t.type;
}

TEST_F(LDClipboardTest, TransferTextsRebuildTheirElements)
{
    auto program = Program(Networks(1, "s"));
    CLDClipboard clipboard(*program);
    auto only = [this]() { return static_cast<CLDElement*>(m_app->LDClipboard.back().get()); };

    ASSERT_TRUE(clipboard.ParseTransferText("-(S)\x01%Q0.3", LD_KIND_COIL));
    EXPECT_EQ(only()->GetTypeText(), "-(S)");
    EXPECT_EQ(only()->GetOperand(), "%Q0.3");
    ASSERT_TRUE(clipboard.ParseTransferText("-|/|-\x01%I0.4", LD_KIND_CONTACT));
    EXPECT_EQ(only()->GetKind(), LD_KIND_CONTACT);
    EXPECT_EQ(only()->GetOperand(), "%I0.4");
    ASSERT_TRUE(clipboard.ParseTransferText("(* Network 3 *)\r\n(*one\x01two*)\r\n", LD_KIND_COMMENT));
    EXPECT_EQ(static_cast<CComment*>(only())->GetText(), "one\r\ntwo");

    // The last operand without a blank after it: "????" in a function, empty in an FB.
    ASSERT_TRUE(clipboard.ParseTransferText("MOVE %MW0 %MW2", LD_KIND_BLOCK));
    auto* move = static_cast<CBlock*>(only());
    EXPECT_TRUE(move->IsFunction());
    EXPECT_EQ(move->GetName(), "MOVE");
    EXPECT_EQ(move->GetInputOperand(1), "%MW0");
    EXPECT_EQ(move->GetOutputOperand(1), "????");
    ASSERT_TRUE(clipboard.ParseTransferText("TON T19 %MW30", LD_KIND_BLOCK));
    auto* ton = static_cast<CBlock*>(only());
    EXPECT_FALSE(ton->IsFunction());
    EXPECT_EQ(ton->GetOperand(), "T19");
    EXPECT_EQ(ton->GetInputOperand(1), "");
    EXPECT_EQ(ton->GetTransferText(), "TON T19   ");

    // A call of a subroutine the project does not have keeps its name and says so.
    const size_t before = m_app->LDClipboard.size();
    EXPECT_FALSE(clipboard.ParseTransferText("CAL  %MW0 ", LD_KIND_BLOCK));
    EXPECT_EQ(m_app->LDClipboard.size(), before);
    ASSERT_TRUE(clipboard.ParseTransferText("CAL NOSUCH %MW0 ", LD_KIND_BLOCK));
    auto* call = static_cast<CBlock*>(only());
    EXPECT_TRUE(call->IsFunction());
    EXPECT_EQ(call->GetName(), "NOSUCH");
    EXPECT_EQ(call->GetInputCount(), 0);
    const auto messages = m_ui.box.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "\xb9\xa4\xb3\xcc\xd6\xd0\xb2\xbb\xb4\xe6\xd4\xda\xd7\xd3\xb3\xcc\xd0\xf2\xa1\xb0NOSUCH"
                                "\xa1\xb1\xa3\xac\xd7\xd3\xb3\xcc\xd0\xf2\xb5\xc4\xca\xb5\xb2\xce\xbd\xab\xb1\xbb\xc9"
                                "\xbe\xb3\xfd\xa1\xa3");
    EXPECT_EQ(messages[0].type, UINT(MB_OK | MB_ICONINFORMATION));

    EXPECT_FALSE(clipboard.ParseTransferText("x", 7));
}

// Networks 2 and 3 of a four-network program pasted into programs of networks tgt0, tgt1, ...
TEST_F(LDClipboardTest, PastedNetworksLandByTheSelection)
{
    enum Selection { HEADER, CONTACT, NONE };
    const struct Case {
        const char* name;
        int targetNetworks;
        Selection selection;
        int network;        // of the selected element
        int rangeFirst;     // network selection, -1 for none
        int rangeLast;
        std::vector<std::string> loads;
        int firstPasted;    // the network whose header ends up selected
    } cases[] = {
        {"before the selected header", 3, HEADER, 0, -1, -1, {"s2", "s3", "tgt0", "tgt1", "tgt2"}, 0},
        {"after the network of the selected contact", 3, CONTACT, 1, -1, -1, {"tgt0", "tgt1", "s2", "s3", "tgt2"}, 2},
        {"after the last network", 3, CONTACT, 2, -1, -1, {"tgt0", "tgt1", "tgt2", "s2", "s3"}, 3},
        {"over the selected networks", 3, HEADER, 2, 1, 2, {"tgt0", "s2", "s3"}, 1},
        {"over the selection around a contact", 3, CONTACT, 1, 0, 1, {"s2", "s3", "tgt2"}, 0},
        {"beside the selected networks", 3, CONTACT, 0, 1, 2, {"tgt0", "s2", "s3"}, 1},
        {"behind the deleted networks", 4, CONTACT, 2, 0, 0, {"tgt1", "tgt2", "s2", "s3", "tgt3"}, 2},
        {"into an empty program", 0, NONE, 0, -1, -1, {"s2", "s3"}, 0},
    };
    auto source = Program(Networks(4, "s"));
    SelectNetworks(*source, 2, 3);
    ASSERT_TRUE(CLDClipboard(*source).CopyNetworks());

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto target = Program(c.targetNetworks ? Networks(c.targetNetworks, "tgt") : std::string());
        if (c.selection == HEADER)
            SelectHeader(*target, c.network);
        if (c.selection == CONTACT)
            SelectContact(*target, c.network);
        if (c.rangeFirst >= 0)
            SelectNetworks(*target, c.rangeFirst, c.rangeLast);
        m_host.modified = FALSE;

        CLDClipboard clipboard(*target);
        EXPECT_TRUE(clipboard.CanPaste());
        ASSERT_TRUE(clipboard.Paste());
        EXPECT_EQ(Loads(*target), c.loads);
        ExpectHeadersNumbered(*target);
        EXPECT_EQ(target->GetSelection(), Item(*target, 2 * c.firstPasted));
        EXPECT_EQ(target->GetLDEditor().GetCurrentItem(), 2 * c.firstPasted);
        EXPECT_FALSE(target->GetLDEditor().IsNetworkSelection());
        EXPECT_TRUE(m_host.modified);
        EXPECT_EQ(int(target->GetLDEditor().GetFirstRows().size()), target->GetNetworkCount() + 1);
    }
}

TEST_F(LDClipboardTest, APasteStopsAtTheNetworkLimitAndOneUndoTakesItBack)
{
    auto source = Program(Networks(3, "s"));
    SelectNetworks(*source, 0, 2);
    ASSERT_TRUE(CLDClipboard(*source).CopyNetworks());

    auto target = Program(Networks(LD_MAX_NETWORKS - 1, "tgt"));
    SelectContact(*target, LD_MAX_NETWORKS - 2);
    m_host.focused = FALSE;
    CLDClipboard clipboard(*target);
    EXPECT_FALSE(clipboard.Paste());
    EXPECT_EQ(target->GetNetworkCount(), LD_MAX_NETWORKS);
    EXPECT_EQ(Loads(*target).back(), "s0");
    ExpectHeadersNumbered(*target);
    const auto messages = m_ui.box.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].caption, "Note");
    EXPECT_EQ(messages[0].text, "The number of networks has reached the upper limit. ");
    EXPECT_EQ(messages[0].type, UINT(MB_OK | MB_ICONINFORMATION));
    EXPECT_TRUE(m_host.focused);

    ASSERT_TRUE(target->Undo());
    EXPECT_EQ(target->GetNetworkCount(), LD_MAX_NETWORKS - 1);
    EXPECT_EQ(Loads(*target).back(), "tgt" + std::to_string(LD_MAX_NETWORKS - 2));
}

TEST_F(LDClipboardTest, AnElementTransferFollowsTheSelectionRules)
{
    auto program = Program("(* Network 0 *)\n(*note*)\nLD %I0.0\nST %Q0.0\n");
    CComment* header = static_cast<CComment*>(Item(*program, 0));
    CLDElement* coil = Item(*program, 1);

    // A comment pastes only onto a header, whose text it replaces.
    program->Select(header);
    ASSERT_TRUE(CLDClipboard(*program).CopyElement());
    header->SetText("changed");
    program->Select(coil);
    EXPECT_FALSE(CLDClipboard(*program).CanPaste());
    EXPECT_FALSE(CLDClipboard(*program).Paste());
    program->Select(header);
    EXPECT_TRUE(CLDClipboard(*program).CanPaste());
    ASSERT_TRUE(CLDClipboard(*program).Paste());
    EXPECT_EQ(header->GetText(), "note");

    // A coil is offered only to a coil; nothing is offered without a selection.
    program->Select(coil);
    ASSERT_TRUE(CLDClipboard(*program).CopyElement());
    EXPECT_TRUE(CLDClipboard(*program).CanPaste());
    program->Select(header);
    EXPECT_FALSE(CLDClipboard(*program).CanPaste());
    program->ClearSelection();
    EXPECT_FALSE(CLDClipboard(*program).CanPaste());

    // Cutting the only coil of a network is refused; monitoring refuses everything.
    program->Select(coil);
    EXPECT_TRUE(CLDClipboard(*program).CanCopy());
    EXPECT_FALSE(CLDClipboard(*program).CanCut());
    program->Select(coil->GetChildA());
    EXPECT_TRUE(CLDClipboard(*program).CanCut());
    m_app->Monitoring = 1;
    EXPECT_FALSE(CLDClipboard(*program).CanCopy());
    EXPECT_FALSE(CLDClipboard(*program).CanCut());
    EXPECT_FALSE(CLDClipboard(*program).CanPaste());
    EXPECT_FALSE(CLDClipboard(*program).Paste());
    m_app->Monitoring = 0;
}

// A single contact, box or coil goes to the editor's tree insertions; the
// width limit, an inverting contact in a branch, a coil offered to anything
// but a coil and a refused placement stop it.
TEST_F(LDClipboardTest, APastedContactOrBoxGoesThroughTheTreeInsertions)
{
    auto program = Program("(* Network 0 *)\nLD %I0.0\nOR %I0.1\nST %Q0.0\n");
    CLDElement* coil = Item(*program, 1);
    CLDElement* branched = nullptr; // an element of the OR with the parallel link
    std::vector<CLDElement*> pending = {coil->GetChildA()};
    while (!pending.empty() && !branched) {
        CLDElement* element = pending.back();
        pending.pop_back();
        if (!element)
            continue;
        if (element->GetKind() == LD_KIND_CONTACT && element->GetLink() == LD_LINK_PARALLEL)
            branched = element;
        pending.push_back(element->GetChildA());
        pending.push_back(element->GetChildB());
    }
    ASSERT_NE(branched, nullptr);

    enum Selection { NONE, COIL, BRANCHED };
    const struct Case {
        const char* name;
        const char* text;
        int kind;
        Selection selection;
        BOOL widthAllows;
        BOOL places;
        BOOL result;
        std::vector<std::string> calls;
    } cases[] = {
        {"contact onto the coil", "-|/|-\x01%I0.5", LD_KIND_CONTACT, COIL, TRUE, TRUE, TRUE, {"AppendSeries", "Finish"}},
        {"box", "MOVE %MW0 %MW2 ", LD_KIND_BLOCK, BRANCHED, TRUE, TRUE, TRUE, {"InsertBlock", "Finish"}},
        {"too wide", "-| |-\x01%I0.5", LD_KIND_CONTACT, COIL, FALSE, TRUE, FALSE,
         {"Note:The number of horizontal elements in this network has reached the upper limit. ", "Focus"}},
        {"no selection", "-| |-\x01%I0.5", LD_KIND_CONTACT, NONE, TRUE, TRUE, TRUE, {}},
        {"inverting contact in a branch", "-|NOT|-\x01", LD_KIND_CONTACT, BRANCHED, TRUE, TRUE, TRUE, {}},
        {"placement refused", "-| |-\x01%I0.5", LD_KIND_CONTACT, COIL, TRUE, FALSE, FALSE, {"AppendSeries"}},
        {"coil below the coil", "-( )\x01%Q0.5", LD_KIND_COIL, COIL, TRUE, TRUE, TRUE, {"AddParallelCoil", "Finish"}},
        {"coil onto a contact", "-( )\x01%Q0.5", LD_KIND_COIL, BRANCHED, TRUE, TRUE, FALSE, {}},
        {"coil without a selection", "-( )\x01%Q0.5", LD_KIND_COIL, NONE, TRUE, TRUE, FALSE, {}},
        {"coil placement refused", "-( )\x01%Q0.5", LD_KIND_COIL, COIL, TRUE, FALSE, FALSE, {"AddParallelCoil"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CRecordingInsertTarget target;
        target.widthAllows = c.widthAllows;
        target.places = c.places;
        program->ClearSelection();
        if (c.selection != NONE)
            program->Select(c.selection == COIL ? coil : branched);
        m_app->ClearLDClipboard();
        CLDClipboard clipboard(*program, &target);
        ASSERT_TRUE(clipboard.ParseTransferText(c.text, c.kind));
        EXPECT_EQ(clipboard.PasteElement(), c.result);
        EXPECT_EQ(target.calls, c.calls);
        if (!target.finished)
            continue;
        EXPECT_EQ(target.finished->GetKind(), c.kind);
        EXPECT_EQ(target.finished->GetLink(), c.kind == LD_KIND_COIL ? LD_LINK_PARALLEL : LD_LINK_SERIES);
        if (c.kind == LD_KIND_CONTACT) {
            EXPECT_EQ(target.finished->GetTypeText(), "-|/|-");
            EXPECT_EQ(target.finished->GetOperand(), "%I0.5");
        }
    }
}

// A copied coil pasted onto a coil goes below it with its operand and type,
// selected, one undo step each, until the network's branch rows run out.
TEST_F(LDClipboardTest, ACopiedCoilPastesBelowTheSelectedCoilUpToTheBranchLimit)
{
    auto program = Program("(* Network 0 *)\nLD %I0.0\nS %Q0.3, 1\n");
    CLDEditor& editor = program->GetLDEditor();
    CLDElement* root = Item(*program, 1);
    SelectItem(*program, 1, root);
    editor.OnEditCopy();

    constexpr int MORE_THAN_THE_LIMIT = 40;
    int pasted = 0;
    for (int attempt = 0; attempt < MORE_THAN_THE_LIMIT; ++attempt) {
        const int undoBefore = program->GetUndoCount();
        m_host.modified = FALSE;
        editor.OnEditPaste();
        if (!m_ui.box.Messages().empty())
            break;
        CLDElement* coil = program->GetSelection();
        ASSERT_NE(coil, nullptr);
        ASSERT_NE(coil, root);
        EXPECT_EQ(coil->GetKind(), LD_KIND_COIL);
        EXPECT_EQ(coil->GetTypeText(), "-(S)");
        EXPECT_EQ(coil->GetOperand(), "%Q0.3");
        EXPECT_EQ(coil->GetLink(), LD_LINK_PARALLEL);
        EXPECT_EQ(program->GetUndoCount(), undoBefore + 1);
        EXPECT_TRUE(m_host.modified);
        ++pasted;
    }
    EXPECT_GT(pasted, 1);
    ASSERT_EQ(m_ui.box.Messages().size(), 1u);
    EXPECT_EQ(m_ui.box.Messages()[0].caption, "Note");
    EXPECT_EQ(m_ui.box.Messages()[0].text, "The number of branches has reached the upper limit. ");
    EXPECT_EQ(m_ui.box.Messages()[0].type, UINT(MB_ICONINFORMATION | MB_TASKMODAL));

    // Every pasted coil sets the same output in the saved text.
    std::vector<std::string> lines;
    program->GetILLines(lines);
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](const std::string& line) { return line.find("%Q0.3") != std::string::npos; }),
              pasted + 1);
}

// IL text in the block, as an IL POU's copy leaves it, becomes networks of an LD POU.
TEST_F(LDClipboardTest, PastedILTextBecomesNetworks)
{
    const int rows[] = {3, 4};
    ASSERT_TRUE(m_app->CopyToSharedMemory("(* Network 0 *)\r\nLD    x1\r\nST   y1\r\n"
                                          "(* Network 1 *)\r\nLD    x2\r\nAND   x3\r\nST   y2\r\n",
                                          LD_TRANSFER_NETWORKS, 2, rows, LD_TRANSFER_NO_ELEMENT));
    auto target = Program("");
    EXPECT_TRUE(CLDClipboard(*target).CanPaste());
    ASSERT_TRUE(CLDClipboard(*target).Paste());
    EXPECT_EQ(Loads(*target), (std::vector<std::string> {"x1", "x2"}));
    ExpectHeadersNumbered(*target);
    const std::vector<int>& firstRows = target->GetLDEditor().GetFirstRows();
    ASSERT_EQ(firstRows.size(), 3u);
    EXPECT_EQ(firstRows[1] - firstRows[0], 3);
    EXPECT_EQ(firstRows[2] - firstRows[1], 4);
}

// The editor's Copy and Paste commands and their update handlers work through the clipboard.
TEST_F(LDClipboardTest, TheEditorCommandsCopyAndPasteNetworks)
{
    auto source = Program(Networks(2, "s"));
    CLDEditor& from = source->GetLDEditor();
    FakeCommandUI copyUi;
    source->ClearSelection();
    from.OnUpdateEditCopy(copyUi);
    EXPECT_FALSE(copyUi.enabled);
    from.OnEditSelectAll();
    from.OnUpdateEditCopy(copyUi);
    EXPECT_TRUE(copyUi.enabled);
    from.OnEditCopy();

    auto target = Program(Networks(1, "tgt"));
    CLDEditor& to = target->GetLDEditor();
    FakeCommandUI pasteUi;
    target->ClearSelection();
    to.OnUpdateEditPaste(pasteUi);
    EXPECT_FALSE(pasteUi.enabled);
    SelectHeader(*target, 0);
    to.OnUpdateEditPaste(pasteUi);
    EXPECT_TRUE(pasteUi.enabled);
    m_host.modified = FALSE;
    to.OnEditPaste();
    EXPECT_EQ(Loads(*target), (std::vector<std::string> {"s0", "s1", "tgt0"}));
    EXPECT_TRUE(m_host.modified);
}

// Two running instances: networks copied here are pasted by another process,
// and a box copied there is read back here, through the one named block.
TEST_F(LDClipboardTest, CopyInOneProcessPastesInAnother)
{
    const std::string source = "(* Network 0 *)\nLD I0.0\nST Q0.0\nAND I0.1\n"
                               "(* Network 1 *)\nLD %I0.0\nTON T19, %MW30\nST %Q0.0\n";
    auto program = Program(source);
    SelectNetworks(*program, 0, 1);
    ASSERT_TRUE(CLDClipboard(*program).CopyNetworks());
    // The copied timer no longer shares the original's instance.
    std::string expected = FileText(*program);
    ASSERT_EQ(ByteString::Replace(expected, "TON   T19,", "TON   ????,"), 1);

    int toParent[2] = {-1, -1};
    ASSERT_EQ(::pipe(toParent), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::close(toParent[0]);
        const std::string report = PasteAndCopyInAnotherInstance();
        const ssize_t written = ::write(toParent[1], report.data(), report.size());
        ::_exit(written == ssize_t(report.size()) ? 0 : 1);
    }
    ::close(toParent[1]);
    std::string report;
    char buffer[512];
    for (ssize_t got = ::read(toParent[0], buffer, sizeof buffer); got > 0;
         got = ::read(toParent[0], buffer, sizeof buffer))
        report.append(buffer, size_t(got));
    ::close(toParent[0]);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(report, expected);

    // The box the other process copied arrives here without its timer instance.
    auto target = Program(Networks(1, "tgt"));
    SelectContact(*target, 0);
    int kind = 0;
    int count = 0;
    int extra = 0;
    int values[LD_PASTE_VALUE_COUNT] = {};
    ASSERT_TRUE(m_app->PasteFromSharedMemory(kind, count, values, LD_PASTE_VALUE_COUNT, extra, FALSE));
    EXPECT_EQ(kind, LD_TRANSFER_ELEMENT);
    EXPECT_EQ(extra, LD_KIND_BLOCK);
    EXPECT_EQ(m_app->PasteText, "TON ???? %MW30  ");
}
