#include "CLDClipboard.h"

#include "CBlock.h"
#include "CCoil.h"
#include "CComment.h"
#include "CContact.h"
#include "CLDEditor.h"
#include "CLDProgram.h"
#include "CLadderProgramFactory.h"
#include "CLogicNode.h"
#include "ILDInsertTarget.h"
#include "model/CZULAppData.h"
#include "model/CZULFB.h"
#include "model/CZULFBPara.h"
#include "model/CZULFunc.h"
#include "platform/ByteString.h"
#include "platform/CUserInterface.h"
#include "pouedit/IPOUEditorHost.h"
#include "pouedit/IPOUProgramFactory.h"

#include <algorithm>
#include <memory>

namespace {

const char* const UNSET_OPERAND = "????";
const char* const NOTE_CAPTION = "Note";
// Messages of the application as a whole carry its own caption.
const char* const APP_CAPTION = "";
const char* const NETWORK_LIMIT = "The number of networks has reached the upper limit. ";
const char* const WIDTH_LIMIT = "The number of horizontal elements in this network has reached the upper limit. ";
const char* const BRANCH_LIMIT = "The number of branches has reached the upper limit. ";
// "The project has no subroutine "%s"; the subroutine's actual parameters will be deleted."
const char* const MISSING_SUBROUTINE = "\xb9\xa4\xb3\xcc\xd6\xd0\xb2\xbb\xb4\xe6\xd4\xda\xd7\xd3\xb3\xcc\xd0\xf2\xa1\xb0"
                                       "%s"
                                       "\xa1\xb1\xa3\xac\xd7\xd3\xb3\xcc\xd0\xf2\xb5\xc4\xca\xb5\xb2\xce\xbd\xab\xb1"
                                       "\xbb\xc9\xbe\xb3\xfd\xa1\xa3";
const char* const CALL_NAME = "CAL";
const char TRANSFER_SEPARATOR = '\x01';
const char FIELD_END = ' ';
const std::string CRLF = "\r\n";
const std::string COMMENT_OPEN = "(*";
const std::string COMMENT_CLOSE = "*)";
const char* const NOT_INNER = "NOT";
// The first header of an empty program stands in this column and row.
constexpr int FIRST_HEADER_CELL = 1;

// FB types whose copies must not share the original's instance.
const char* const FB_TYPES_WITHOUT_INSTANCE_COPY[] = {"CTU", "CTD", "CTUD", "TON", "TOF", "TP", "RS", "SR"};

// Takes the field before the next blank off the front of rest; FALSE, with
// an empty field, when no blank is left.
BOOL TakeField(std::string& rest, std::string& field)
{
    const size_t end = rest.find(FIELD_END);
    if (end == std::string::npos) {
        field.clear();
        return FALSE;
    }
    field = rest.substr(0, end);
    rest.erase(0, end + 1);
    return TRUE;
}

// Fills the operands of inputs 1 .. n-1 and outputs 1 .. m-1 from the fields;
// a missing field gives the fallback text.
void FillOperands(CZULFBParaArray& inputs, CZULFBParaArray& outputs, std::string& rest, const std::string& fallback)
{
    for (CZULFBParaArray* list : {&inputs, &outputs}) {
        for (int i = 1; i < list->GetSize(); ++i) {
            std::string field;
            if (!TakeField(rest, field))
                field = fallback;
            list->GetAt(i)->typeText = field;
        }
    }
}

LDItemPtr Own(CLDElement* element)
{
    return LDItemPtr(element);
}

// A copy of one element without its successors; null for an element class the clipboard does not know.
LDItemPtr CloneOne(const CLDElement* element)
{
    if (const auto* coil = dynamic_cast<const CCoil*>(element)) {
        auto copy = std::make_unique<CCoil>();
        copy->SetOperand(coil->GetOperand());
        copy->SetTypeText(coil->GetTypeText());
        copy->SetLink(coil->GetLink());
        copy->SetGraphicalFlag(coil->GetGraphicalFlag());
        copy->SetHeldILText(coil->GetHeldILText());
        return Own(copy.release());
    }
    if (const auto* contact = dynamic_cast<const CContact*>(element)) {
        auto copy = std::make_unique<CContact>();
        copy->SetOperand(contact->GetOperand());
        copy->SetTypeText(contact->GetTypeText());
        copy->SetLink(contact->GetLink());
        return Own(copy.release());
    }
    if (const auto* block = dynamic_cast<const CBlock*>(element)) {
        auto copy = std::make_unique<CBlock>();
        copy->SetLink(block->GetLink());
        if (block->IsFunction()) {
            auto function = std::make_unique<CZULFunc>();
            if (block->GetFunction())
                *function = *block->GetFunction();
            copy->SetFunction(std::move(function));
        } else {
            auto fb = std::make_unique<CZULFB>();
            if (block->GetFB())
                *fb = *block->GetFB();
            if (CLDClipboard::IsFBTypeWithoutInstanceCopy(fb->typeName))
                fb->instanceName = UNSET_OPERAND;
            copy->SetFB(std::move(fb));
        }
        copy->UpdateHeight();
        return Own(copy.release());
    }
    if (const auto* node = dynamic_cast<const CLogicNode*>(element)) {
        auto copy = std::make_unique<CLogicNode>();
        copy->SetLink(node->GetLink());
        return Own(copy.release());
    }
    return nullptr;
}

} // namespace

CLDClipboard::CLDClipboard(CLDProgram& program, ILDInsertTarget* insertTarget)
    : m_program(program)
    , m_editor(program.GetLDEditor())
    , m_app(program.GetApp())
    , m_insertTarget(insertTarget)
{
}

BOOL CLDClipboard::IsFBTypeWithoutInstanceCopy(const std::string& fbType)
{
    const std::string type = ByteString::Trim(fbType);
    for (const char* name : FB_TYPES_WITHOUT_INSTANCE_COPY) {
        if (type == name)
            return TRUE;
    }
    return FALSE;
}

LDItemPtr CLDClipboard::CloneHeader(const CComment& header)
{
    auto copy = std::make_unique<CComment>();
    copy->SetNetworkNumber(header.GetNetworkNumber());
    copy->SetPosition(header.GetPosition());
    copy->SetText(header.GetText());
    copy->SetValidFlag(header.GetValidFlag());
    return Own(copy.release());
}

LDItemPtr CLDClipboard::CloneTree(const CLDElement* root)
{
    if (!root)
        return nullptr;
    LDItemPtr copy = CloneOne(root);
    if (!copy)
        return nullptr;
    const CLDElement* children[] = {root->GetChildA(), root->GetChildB()};
    for (int side = 0; side < 2; ++side) {
        if (!children[side])
            continue;
        LDItemPtr child = CloneTree(children[side]);
        if (!child)
            return nullptr;
        child->SetParent(copy.get());
        if (side == 0)
            copy->SetChildA(child.release());
        else
            copy->SetChildB(child.release());
    }
    return copy;
}

BOOL CLDClipboard::SendElement(CLDElement& element, int elementKind)
{
    element.AttachNames(&m_program.GetNames());
    std::string text;
    switch (elementKind) {
    case LD_KIND_COIL:
        text = static_cast<CCoil&>(element).GetExchangeText();
        break;
    case LD_KIND_CONTACT:
        text = static_cast<CContact&>(element).GetTransferText();
        break;
    case LD_KIND_BLOCK:
        text = static_cast<CBlock&>(element).GetTransferText();
        break;
    default:
        text = element.GetILText();
        break;
    }
    return m_app.CopyToSharedMemory(text, LD_TRANSFER_ELEMENT, 0, nullptr, elementKind);
}

BOOL CLDClipboard::CopyElement()
{
    m_app.ClearLDClipboard();
    CLDElement* selection = m_program.GetSelection();
    if (!selection)
        return FALSE;
    const int kind = selection->GetKind();
    if (kind == LD_KIND_COMMENT) {
        LDItemPtr header = CloneHeader(static_cast<const CComment&>(*selection));
        SendElement(*header, kind);
        return TRUE;
    }
    if (kind != LD_KIND_COIL && kind != LD_KIND_CONTACT && kind != LD_KIND_BLOCK)
        return TRUE;
    // The element alone: its successors stay behind.
    LDItemPtr copy = CloneOne(selection);
    if (copy) {
        if (kind == LD_KIND_CONTACT)
            copy->SetLink(LD_LINK_SERIES);
        SendElement(*copy, kind);
    }
    return TRUE;
}

BOOL CLDClipboard::CopyNetworks()
{
    const auto& items = m_program.GetItems();
    const int first = m_editor.GetSelectionFirst();
    const int last = m_editor.GetSelectionLast();
    if (!m_editor.IsNetworkSelection() || first < 0 || last < first || 2 * last + 1 >= int(items.size()))
        return FALSE;
    m_app.ClearLDClipboard();
    m_editor.LayoutAll();
    const std::vector<int>& firstRows = m_editor.GetFirstRows();
    int rows[LD_PASTE_VALUE_COUNT] = {};
    for (int item = 2 * first; item <= 2 * last + 1; ++item) {
        const CLDElement* element = items[size_t(item)].get();
        LDItemPtr copy;
        if (item % 2 == 0) {
            const int network = item / 2;
            const int slot = (item - 2 * first) / 2;
            if (slot < LD_PASTE_VALUE_COUNT && network + 1 < int(firstRows.size()))
                rows[slot] = firstRows[size_t(network + 1)] - firstRows[size_t(network)];
            copy = CloneHeader(static_cast<const CComment&>(*element));
        } else {
            copy = CloneTree(element);
        }
        if (!copy)
            return FALSE;
        copy->AttachNames(&m_program.GetNames());
        m_app.LDClipboard.emplace_back(copy.release());
    }
    SendNetworks(last - first + 1, rows);
    return TRUE;
}

BOOL CLDClipboard::SendNetworks(int count, const int* rows)
{
    std::string text;
    for (const auto& entry : m_app.LDClipboard)
        text += static_cast<CLDElement*>(entry.get())->GetILText();
    return m_app.CopyToSharedMemory(text, LD_TRANSFER_NETWORKS, count, rows, LD_TRANSFER_NO_ELEMENT);
}

BOOL CLDClipboard::Copy()
{
    if (m_editor.IsNetworkSelection())
        return CopyNetworks();
    return CopyElement();
}

BOOL CLDClipboard::ParseTransferText(const std::string& text, int elementKind)
{
    switch (elementKind) {
    case LD_KIND_COIL:
    case LD_KIND_CONTACT: {
        const size_t split = text.find(TRANSFER_SEPARATOR);
        const std::string type = text.substr(0, split);
        const std::string operand = split == std::string::npos ? std::string() : text.substr(split + 1);
        if (elementKind == LD_KIND_COIL) {
            auto coil = std::make_unique<CCoil>();
            coil->SetTypeText(type);
            coil->SetOperand(operand);
            m_app.LDClipboard.emplace_back(coil.release());
        } else {
            auto contact = std::make_unique<CContact>();
            contact->SetTypeText(type);
            contact->SetOperand(operand);
            m_app.LDClipboard.emplace_back(contact.release());
        }
        return TRUE;
    }
    case LD_KIND_BLOCK:
        return ParseBlockText(text);
    case LD_KIND_COMMENT: {
        const size_t lineEnd = text.find(CRLF);
        std::string body;
        if (lineEnd != std::string::npos) {
            const std::string rest = text.substr(lineEnd + CRLF.size());
            const size_t open = rest.find(COMMENT_OPEN);
            const size_t from = open == std::string::npos ? 0 : open + COMMENT_OPEN.size();
            const size_t close = rest.find(COMMENT_CLOSE, from);
            body = rest.substr(from, close == std::string::npos ? std::string::npos : close - from);
        }
        ByteString::Replace(body, std::string(1, TRANSFER_SEPARATOR), CRLF);
        auto comment = std::make_unique<CComment>();
        comment->SetText(body);
        m_app.LDClipboard.emplace_back(comment.release());
        return TRUE;
    }
    default:
        return FALSE;
    }
}

BOOL CLDClipboard::ParseBlockText(const std::string& text)
{
    std::string rest = text;
    std::string name;
    if (!TakeField(rest, name)) {
        name = rest;
        rest.clear();
    }
    auto block = std::make_unique<CBlock>();
    auto fb = std::make_unique<CZULFB>();
    if (m_app.LookupFunctionBlock(name, *fb)) {
        fb->typeName = name;
        TakeField(rest, fb->instanceName);
        FillOperands(fb->inputs, fb->outputs, rest, std::string());
        block->SetFB(std::move(fb));
    } else {
        auto function = std::make_unique<CZULFunc>();
        if (name == CALL_NAME) {
            std::string subroutine;
            TakeField(rest, subroutine);
            if (subroutine.empty())
                return FALSE;
            if (!m_app.Project.POUs.CopySubroutineInterface(subroutine, function.get())) {
                function->SetName(subroutine);
                ShowMessage(APP_CAPTION, ByteString::Format(MISSING_SUBROUTINE, subroutine.c_str()),
                            MB_OK | MB_ICONINFORMATION);
            }
        } else if (!m_app.LookupFunction(name, *function)) {
            function->SetName(name);
        }
        FillOperands(function->inputs, function->outputs, rest, UNSET_OPERAND);
        block->SetFunction(std::move(function));
    }
    block->SetLink(LD_LINK_SERIES);
    block->UpdateHeight();
    m_app.LDClipboard.emplace_back(block.release());
    return TRUE;
}

BOOL CLDClipboard::IsMonitoring() const
{
    return m_app.Monitoring.load() != 0;
}

void CLDClipboard::ShowNote(const char* text) const
{
    ShowMessage(NOTE_CAPTION, text, MB_OK | MB_ICONINFORMATION);
    if (IPOUEditorHost* host = m_editor.GetHost())
        host->SetFocus();
}

BOOL CLDClipboard::Paste()
{
    if (IsMonitoring())
        return FALSE;
    m_app.ClearLDClipboard();
    int kind = 0;
    int count = 0;
    int extra = 0;
    int values[LD_PASTE_VALUE_COUNT] = {};
    if (!m_app.PasteFromSharedMemory(kind, count, values, LD_PASTE_VALUE_COUNT, extra, FALSE))
        return FALSE;
    if (kind == LD_TRANSFER_NETWORKS) {
        if (!m_app.ProgramFactory || !m_app.ProgramFactory->ConvertILToNetworks(m_app.PasteText, values, m_app))
            return FALSE;
    } else if (!ParseTransferText(m_app.PasteText, extra)) {
        return FALSE;
    }
    BOOL pasted = FALSE;
    if (m_app.LDClipboard.size() == 1)
        pasted = PasteElement();
    else if (m_app.LDClipboard.size() > 1)
        pasted = PasteNetworks();
    if (!pasted)
        return FALSE;
    m_editor.EndNetworkSelection();
    if (IPOUEditorHost* host = m_editor.GetHost(); host && host->HasDocument())
        host->SetModified();
    m_editor.Repaint();
    m_editor.UpdateScrollSizes();
    m_editor.EnsureFocusVisible(0, 0);
    return TRUE;
}

BOOL CLDClipboard::PasteElement()
{
    if (m_app.LDClipboard.empty())
        return FALSE;
    const auto* pasted = static_cast<const CLDElement*>(m_app.LDClipboard.front().get());
    CLDElement* selection = m_program.GetSelection();
    const int kind = pasted->GetKind();
    if (kind == LD_KIND_COMMENT) {
        if (!selection || selection->GetKind() != LD_KIND_COMMENT)
            return FALSE;
        static_cast<CComment*>(selection)->SetText(static_cast<const CComment*>(pasted)->GetText());
        m_program.PushUndoSnapshot();
        return TRUE;
    }
    if (kind == LD_KIND_COIL)
        return PasteCoil(*pasted, selection);
    if ((kind != LD_KIND_CONTACT && kind != LD_KIND_BLOCK) || !m_insertTarget)
        return FALSE;
    if (!m_insertTarget->CheckWidth()) {
        m_insertTarget->ShowNote(WIDTH_LIMIT, MB_OK | MB_ICONINFORMATION);
        m_insertTarget->SetFocus();
        return FALSE;
    }
    if (!selection)
        return TRUE;
    if (kind == LD_KIND_CONTACT && static_cast<const CContact*>(pasted)->GetInnerText() == NOT_INNER
        && selection->GetKind() != LD_KIND_COIL) {
        if (selection->GetLink() == LD_LINK_PARALLEL)
            return TRUE;
        for (const CLDElement* up = selection->GetParent(); up; up = up->GetParent()) {
            if (up->GetLink() == LD_LINK_PARALLEL && !up->GetChildB())
                return TRUE;
        }
    }
    LDItemPtr element = CloneOne(pasted);
    if (!element)
        return FALSE;
    element->SetLink(LD_LINK_SERIES);
    const BOOL placed = kind == LD_KIND_CONTACT ? m_insertTarget->AppendSeries(element.get())
                                                : m_insertTarget->InsertBlock(element.get());
    if (!placed)
        return FALSE;
    CLDElement* inserted = element.release();
    m_insertTarget->FinishInsertion(inserted);
    return TRUE;
}

BOOL CLDClipboard::PasteCoil(const CLDElement& pasted, CLDElement* selection)
{
    if (!selection || selection->GetKind() != LD_KIND_COIL || !m_insertTarget)
        return FALSE;
    if (!m_editor.CheckBranchRows(selection)) {
        m_insertTarget->ShowNote(BRANCH_LIMIT, MB_ICONINFORMATION | MB_TASKMODAL);
        m_insertTarget->SetFocus();
        return FALSE;
    }
    LDItemPtr coil = CloneOne(&pasted);
    if (!coil)
        return FALSE;
    coil->SetLink(LD_LINK_PARALLEL);
    coil->AttachNames(&m_program.GetNames());
    if (!m_insertTarget->AddParallelCoil(coil.get()))
        return FALSE;
    m_insertTarget->FinishInsertion(coil.release());
    return TRUE;
}

BOOL CLDClipboard::GetPasteInsertIndex(int& index) const
{
    index = -1;
    const int current = m_editor.GetCurrentItem();
    const CLDElement* selection = m_program.GetSelection();
    if (!selection || current < 0 || current >= int(m_program.GetItems().size()))
        return FALSE;
    if (selection->GetKind() == LD_KIND_COMMENT) {
        index = current;
        return TRUE;
    }
    index = current + 1;
    return FALSE;
}

BOOL CLDClipboard::PasteNetworks()
{
    const BOOL emptyProgram = m_program.GetItems().empty();
    int index = 0;
    BOOL beforeHeader = TRUE;
    if (!emptyProgram) {
        beforeHeader = GetPasteInsertIndex(index);
        if (index < 0)
            return FALSE;
    }
    if (m_editor.IsNetworkSelection()) {
        const int first = m_editor.GetSelectionFirst();
        const int last = m_editor.GetSelectionLast();
        const int network = (beforeHeader ? index : index - 1) / 2;
        if (network >= first && network <= last)
            index = 2 * first;
        else if (index > 2 * last + 1)
            index -= 2 * (last - first + 1); // the networks in front of the insertion point go
        m_editor.DeleteSelectedNetworks();
    }
    index = std::clamp(index - index % 2, 0, int(m_program.GetItems().size()));
    BOOL result = TRUE;
    BOOL firstPasted = TRUE;
    const auto& entries = m_app.LDClipboard;
    for (size_t entry = 0; entry + 1 < entries.size(); entry += 2) {
        const auto* header = dynamic_cast<const CComment*>(static_cast<CLDElement*>(entries[entry].get()));
        const auto* root = static_cast<const CLDElement*>(entries[entry + 1].get());
        if (!header)
            break;
        if (m_program.GetNetworkCount() >= LD_MAX_NETWORKS) {
            ShowNote(NETWORK_LIMIT);
            result = FALSE;
            break;
        }
        LDItemPtr headerCopy = CloneHeader(*header);
        LDItemPtr rootCopy = CloneTree(root);
        if (!rootCopy)
            break;
        if (m_program.GetItems().empty())
            headerCopy->SetPosition(CLDCellRect(FIRST_HEADER_CELL, FIRST_HEADER_CELL, 0, 0));
        CLDElement* placedHeader = headerCopy.get();
        m_program.InsertItem(index, std::move(headerCopy));
        // The header of a pasted network carries its row count.
        m_editor.InsertNetworkRows(index / 2, header->GetNetworkNumber());
        m_program.InsertItem(index + 1, std::move(rootCopy));
        if (firstPasted) {
            m_program.Select(placedHeader);
            m_editor.SetCurrentItem(index);
            firstPasted = FALSE;
        }
        index += 2;
    }
    m_editor.RenumberHeaders();
    m_editor.Repaint();
    m_program.PushUndoSnapshot();
    m_editor.UpdateScrollSizes();
    return result;
}

BOOL CLDClipboard::CanCopy() const
{
    if (IsMonitoring())
        return FALSE;
    return m_editor.IsNetworkSelection() || m_program.GetSelection() ? TRUE : FALSE;
}

BOOL CLDClipboard::CanCut() const
{
    if (IsMonitoring())
        return FALSE;
    if (m_editor.IsNetworkSelection())
        return TRUE;
    const CLDElement* selection = m_program.GetSelection();
    if (!selection)
        return FALSE;
    // The root coil of a network stays while no coil below it can take its place.
    const BOOL root = selection->GetKind() == LD_KIND_COIL && !selection->GetParent();
    return root && !selection->GetChildB() ? FALSE : TRUE;
}

BOOL CLDClipboard::CanPaste() const
{
    if (IsMonitoring())
        return FALSE;
    int kind = 0;
    int count = 0;
    int extra = 0;
    int values[LD_PASTE_VALUE_COUNT] = {};
    if (!m_app.PasteFromSharedMemory(kind, count, values, LD_PASTE_VALUE_COUNT, extra, TRUE))
        return FALSE;
    const CLDElement* selection = m_program.GetSelection();
    if (kind == LD_TRANSFER_NETWORKS)
        return m_program.GetItems().empty() || selection ? TRUE : FALSE;
    if (!selection)
        return FALSE;
    const int selected = selection->GetKind();
    if (extra == LD_KIND_COMMENT && selected != LD_KIND_COMMENT)
        return FALSE;
    if (extra == LD_KIND_COIL && selected != LD_KIND_COIL)
        return FALSE;
    if (selected == LD_KIND_COIL && selection->GetLink() == LD_LINK_PARALLEL && extra != LD_KIND_COIL)
        return FALSE;
    return TRUE;
}
