#include "CLDProgram.h"

#include "CCoil.h"
#include "CComment.h"
#include "CContact.h"
#include "CBlock.h"
#include "CLDEditor.h"
#include "CLogicNode.h"
#include "model/CILLineParser.h"
#include "model/CZULAppData.h"
#include "pid/PIDTemplate.h"
#include "platform/ByteString.h"
#include "platform/CUserInterface.h"
#include "pouedit/IPOUEditorHost.h"

#include <algorithm>

namespace {

constexpr int EXTENT_COLUMNS = 40;
constexpr int EXTENT_ROWS = 80;
constexpr int INITIAL_ROW_MARGIN = 36;
constexpr BYTE TYPE_BITS = 0x07;
constexpr unsigned FIND_REPLACE_LIST = 2;
constexpr int SEARCH_UP = 1;
constexpr int FIND_RESULT_SHOWN = 1;
constexpr int FIND_RESULT_NEXT = 2;
constexpr int FIND_RESULT_REPLACE = 3;
constexpr int PID_WIZARD_FIRST_MODE = 1;
constexpr int PID_WIZARD_LAST_MODE = 2;
const std::string LINE_END = "\r\n";
const std::string NEW_OPERAND;
const std::string NEW_CONTACT_OPERAND = "????";
const std::string NEW_COIL_TYPE = "-(NUL)";
const std::string NEW_CONTACT_TYPE = "-| |-";

// A new element of the class a type byte's low three bits name; null for 3, 5 and 7.
std::unique_ptr<CLDElement> NewElementOfType(BYTE type)
{
    switch (type & TYPE_BITS) {
    case LD_TYPE_OTHER:
        return std::make_unique<CComment>();
    case LD_TYPE_COIL:
        return std::make_unique<CCoil>();
    case LD_TYPE_LOGIC_NODE:
        return std::make_unique<CLogicNode>();
    case LD_TYPE_CONTACT:
        return std::make_unique<CContact>();
    case LD_TYPE_BLOCK:
        return std::make_unique<CBlock>();
    default:
        return nullptr;
    }
}

// The POU name of a file path: the file name's part between its first "_"
// and its last ".", trimmed.
std::string POUNameOfPath(const std::string& path)
{
    const size_t slash = path.find_last_of("\\/");
    const std::string file = slash == std::string::npos ? path : path.substr(slash + 1);
    const size_t underscore = file.find('_');
    const size_t dot = file.rfind('.');
    const size_t first = underscore == std::string::npos ? 0 : underscore + 1;
    const size_t last = dot == std::string::npos || dot < first ? file.size() : dot;
    return ByteString::Trim(file.substr(first, last - first));
}

BOOL IsFindResultNumber(int result)
{
    return result > 0 && result < FIND_TABLE_SIZE;
}

// The local tables hold addresses with or without "%"; the maps with one.
std::string WithPercent(const std::string& address)
{
    return !address.empty() && address.front() == '%' ? address : "%" + address;
}

} // namespace

CLDProgram::CLDProgram(CZULAppData& app, IPOUEditorHost* host)
    : CPOUProgram(app)
    , m_context(app)
    , m_editor(std::make_unique<CLDEditor>(*this, host))
    , m_host(host)
    , m_extentColumns(EXTENT_COLUMNS)
    , m_extentRows(EXTENT_ROWS)
{
    m_language = POU_LANGUAGE_LD;
    m_pEditor = m_editor.get();
    m_editor->SetDialogs(host ? host->GetLDDialogs() : nullptr);
    m_names.ForceQuery = host ? host->GetLDForceQuery() : nullptr;
    m_names.LocalVariables = host ? this : nullptr;
    m_names.Context = &m_context;
}

CLDProgram::~CLDProgram()
{
    Clear();
}

void CLDProgram::Serialize(CArchive& ar, BOOL toFile)
{
    if (toFile) {
        SerializeIL(ar);
        return;
    }
    if (ar.IsStoring())
        StoreSnapshot(ar);
    else
        LoadSnapshot(ar);
}

void CLDProgram::Clear()
{
    ClearSelection();
    m_branchStart = nullptr;
    m_branchEnd = nullptr;
    m_positionMap.clear();
    m_items.clear();
}

// Each item's records in pre-order, each after its type byte. A header also
// carries its valid flag and a coil its held IL through its own record, so a
// network kept as IL comes back as it was.
void CLDProgram::StoreSnapshot(CArchive& ar)
{
    ar << static_cast<int>(m_items.size());
    for (const LDItemPtr& item : m_items) {
        std::vector<CLDElement*> elements;
        std::vector<BYTE> types;
        item->Flatten(&elements, &types);
        ar << static_cast<int>(elements.size());
        for (size_t i = 0; i < elements.size(); ++i) {
            ar << types[i];
            elements[i]->Serialize(ar);
            if (auto* header = dynamic_cast<CComment*>(elements[i]))
                ar << header->GetValidFlag();
        }
    }
    m_editor->Repaint();
}

void CLDProgram::LoadSnapshot(CArchive& ar)
{
    ClearSelection();
    int count = 0;
    ar >> count;
    if (count < 0 || static_cast<size_t>(count) > ar.GetRemaining()) {
        ar.SetError(CArchive::badCount);
        return;
    }
    for (int i = 0; i < count && ar.IsOK(); ++i) {
        BOOL stop = FALSE;
        LDItemPtr item = LoadItem(ar, &stop);
        if (stop)
            return;
        if (item)
            AppendItem(std::move(item));
    }
    m_editor->Repaint();
}

LDItemPtr CLDProgram::LoadItem(CArchive& ar, BOOL* stop)
{
    int count = 0;
    ar >> count;
    if (count < 0 || static_cast<size_t>(count) > ar.GetRemaining()) {
        ar.SetError(CArchive::badCount);
        *stop = TRUE;
        return nullptr;
    }
    // Owns the records read so far until they are linked into one tree.
    std::vector<std::unique_ptr<CLDElement>> records;
    for (int i = 0; i < count; ++i) {
        BYTE type = 0;
        ar >> type;
        std::unique_ptr<CLDElement> element = NewElementOfType(type);
        if (!element || !ar.IsOK()) {
            *stop = TRUE;
            return nullptr;
        }
        element->Serialize(ar);
        if (auto* header = dynamic_cast<CComment*>(element.get())) {
            int valid = 1;
            ar >> valid;
            header->SetValidFlag(valid);
        }
        records.push_back(std::move(element));
    }
    if (records.empty() || !ar.IsOK()) {
        *stop = !ar.IsOK();
        return nullptr;
    }
    std::vector<CLDElement*> elements;
    for (const auto& record : records)
        elements.push_back(record.get());
    if (!CLDElement::LinkSequence(elements, 0)) {
        ar.SetError(CArchive::badIndex);
        *stop = TRUE;
        return nullptr;
    }
    for (auto& record : records)
        record.release();
    return LDItemPtr(elements.front());
}

void CLDProgram::SerializeIL(CArchive& ar)
{
    if (ar.IsStoring()) {
        for (const LDItemPtr& item : m_items) {
            const std::string text = item->GetILText();
            ar.Write(text.data(), text.size());
        }
        return;
    }
    std::vector<std::string> lines;
    ar.ReadLines(lines);
    // Text that gives no network opens nothing: the file is left as it is.
    if (!lines.empty() && !LoadFromIL(lines))
        ar.SetError(CArchive::badClass);
}

BOOL CLDProgram::LoadFromIL(const std::vector<std::string>& lines)
{
    return ReplaceFromIL(lines, TRUE);
}

BOOL CLDProgram::ConvertFromIL(const std::vector<std::string>& lines)
{
    return ReplaceFromIL(lines, FALSE);
}

BOOL CLDProgram::ReplaceFromIL(const std::vector<std::string>& lines, BOOL keepUnbuildable)
{
    m_editor->RemoveCaret();
    CILToLDConverter converter(m_context);
    if (keepUnbuildable)
        converter.KeepUnbuildableNetworks();
    std::string errorText;
    if (!converter.Parse(lines, &errorText) || !converter.Build()) {
        ClearSelection();
        m_editor->OnInitialUpdate();
        m_editor->Repaint();
        return FALSE;
    }
    Clear();
    for (LDItemPtr& item : converter.TakeResults())
        AppendItem(std::move(item));
    ClearSelection();
    m_layoutChanged = TRUE;
    return TRUE;
}

void CLDProgram::AppendItem(LDItemPtr item)
{
    item->AttachNames(&m_names);
    m_items.push_back(std::move(item));
}

void CLDProgram::InsertItem(int index, LDItemPtr item)
{
    item->AttachNames(&m_names);
    const int at = std::clamp(index, 0, static_cast<int>(m_items.size()));
    m_items.insert(m_items.begin() + at, std::move(item));
}

BOOL CLDProgram::InitNew()
{
    if (m_app.PIDGenerateMode >= PID_WIZARD_FIRST_MODE && m_app.PIDGenerateMode <= PID_WIZARD_LAST_MODE) {
        std::vector<std::string> lines;
        if (BuildCurrentPIDLoopIL(m_app, lines))
            LoadFromIL(lines);
    } else {
        InsertNetwork();
    }
    PushUndoSnapshot();
    return TRUE;
}

BOOL CLDProgram::InsertNetwork()
{
    const int network = GetNetworkCount();
    if (network >= LD_MAX_NETWORKS)
        return FALSE;
    auto* header = new CComment;
    header->SetNetworkNumber(network);
    AppendItem(LDItemPtr(header));
    auto* coil = new CCoil;
    coil->SetOperand(NEW_OPERAND);
    coil->SetLink(LD_LINK_SERIES);
    coil->SetTypeText(NEW_COIL_TYPE);
    AppendItem(LDItemPtr(coil));
    auto* contact = new CContact;
    contact->SetOperand(NEW_CONTACT_OPERAND);
    contact->SetTypeText(NEW_CONTACT_TYPE);
    contact->SetLink(LD_LINK_SERIES);
    coil->SetChildA(contact);
    contact->SetParent(coil);
    contact->AttachNames(&m_names);
    Select(contact);
    return TRUE;
}

BOOL CLDProgram::OnOpened(const std::string& path)
{
    m_layoutChanged = TRUE;
    SetName(POUNameOfPath(path));
    m_savedFBNames.clear();
    m_savedFBTypes.clear();
    m_app.Project.FBTable.GetFBInstancesOfPOU(m_name, m_savedFBNames, m_savedFBTypes);
    PushUndoSnapshot();
    return TRUE;
}

void CLDProgram::SetName(const std::string& name)
{
    m_name = name;
    m_names.POUName = name;
}

void CLDProgram::OnSnapshotPushed()
{
    m_editor->RegisterFBInstances();
}

void CLDProgram::AfterSave(const std::string&, int)
{
}

// The modified flag is the document's to clear, once the file is written.
int CLDProgram::PrepareSave(const std::string&)
{
    // An operand still being typed belongs in the file.
    m_editor->CommitOperandEdit();
    RebuildLocalSymbolMaps();
    return TRUE;
}

void CLDProgram::DiscardChanges()
{
    const std::string pou = m_host ? m_host->GetPOUName() : std::string();
    if (pou.empty())
        return;
    m_app.Project.FBTable.RemoveFBInstancesOfPOU(pou);
    const size_t count = std::min(m_savedFBNames.size(), m_savedFBTypes.size());
    for (size_t i = 0; i < count; ++i)
        m_app.Project.FBTable.AddFBInstance(m_savedFBNames[i], m_savedFBTypes[i], pou, FB_LIST_TABLE);
}

// The program's own local maps first, so that no other POU's names reach the IL.
void CLDProgram::GetILLines(std::vector<std::string>& lines)
{
    m_editor->CommitOperandEdit();
    RebuildLocalSymbolMaps();
    CILLineParser parser;
    for (const LDItemPtr& item : m_items)
        parser.SplitAtDelimiter(item->GetILText(), LINE_END, lines);
}

// The current hit moves to result r: the previous hit's mark goes, r's is set.
BOOL CLDProgram::GoToFindResult(int result, int column, int row)
{
    CFindState& state = m_app.Find;
    if (!IsFindResultNumber(result))
        return FALSE;
    const CFindResult& record = state.Results[static_cast<size_t>(result)];
    CLDElement* element = CLDElement::FromFindResult(record);
    if (!element)
        return m_editor->ShowFindResult(result, column, row);
    const int previous = state.FindResultMode == FIND_RESULT_NEXT || state.FindResultMode == FIND_RESULT_REPLACE
                             ? state.CurrentResult
                             : state.FindResultMode == FIND_RESULT_SHOWN ? state.SavedResult : 0;
    if (state.MarksShown != 1 && IsFindResultNumber(previous)) {
        const CFindResult& old = state.Results[static_cast<size_t>(previous)];
        CLDElement* marked = CLDElement::FromFindResult(old);
        if (marked && marked->GetPosition().column == old.RowOrColumn && marked->GetPosition().row == old.ColumnOrRow)
            marked->SetFindResultMark(old, 0);
    }
    element->SetFindResultMark(record, 1);
    m_editor->ShowFindResult(result, column, row);
    state.SavedResult = result;
    state.FindResultMode = FIND_RESULT_SHOWN;
    return TRUE;
}

BOOL CLDProgram::GoToLine(int network)
{
    return m_editor->GoToNetwork(network);
}

BOOL CLDProgram::SearchesUp() const
{
    return m_app.Find.Direction == SEARCH_UP;
}

template <typename Visit>
void CLDProgram::VisitItems(BOOL backward, Visit visit)
{
    const int count = static_cast<int>(m_items.size());
    for (int k = 0; k < count; ++k) {
        const int i = backward ? count - 1 - k : k;
        m_app.Find.CurrentNetwork = i / 2;
        visit(*m_items[static_cast<size_t>(i)]);
    }
}

BOOL CLDProgram::Find(const std::string& text, int mode)
{
    CFindState& state = m_app.Find;
    if (mode == LD_FIND_CLEAR || mode == LD_FIND_MARK) {
        const BOOL marks = mode == LD_FIND_MARK ? TRUE : FALSE;
        SetMarksShown(marks);
        state.MarksShown = marks;
        for (const LDItemPtr& item : m_items)
            item->Find(text, mode);
        return TRUE;
    }
    state.MarksShown = GetMarksShown();
    CUserInterface::Output().AppendOutputLine(FIND_REPLACE_LIST, LINE_END);
    CUserInterface::Output().AppendOutputLine(FIND_REPLACE_LIST,
                                              ByteString::Format("$$$ Find \"%s\" in the program \"%s\"...",
                                                                 text.c_str(), state.CurrentPOUName.c_str()));
    if (m_items.empty())
        return TRUE;
    VisitItems(SearchesUp(), [&](CLDElement& item) { item.Find(text, LD_FIND_REPORT); });
    PushUndoSnapshot();
    return TRUE;
}

BOOL CLDProgram::ReplaceAll(const std::string& find, const std::string& replace)
{
    CUserInterface::Output().AppendOutputLine(FIND_REPLACE_LIST, LINE_END);
    CUserInterface::Output().AppendOutputLine(
        FIND_REPLACE_LIST, ByteString::Format("$$$ Replace string '%s' in '%s'...", find.c_str(),
                                              m_app.Find.CurrentPOUName.c_str()));
    if (m_items.empty())
        return TRUE;
    VisitItems(FALSE, [&](CLDElement& item) { item.ReplaceAll(find, replace); });
    PushUndoSnapshot();
    m_editor->Repaint();
    return TRUE;
}

void CLDProgram::Replace(const std::string& find, const std::string& replace)
{
    if (m_items.empty())
        return;
    VisitItems(SearchesUp(), [&](CLDElement& item) { item.ReplaceOne(find, replace); });
    if (m_host && m_host->HasDocument())
        m_host->SetModified();
    PushUndoSnapshot();
}

void CLDProgram::RebuildLocalSymbolMaps()
{
    std::vector<std::pair<std::string, std::string>> symbols;
    if (!m_host || !m_host->GetLocalSymbols(symbols))
        return;
    m_names.LocalAddressToSymbol.clear();
    m_names.LocalSymbolToAddress.clear();
    for (const auto& [symbol, address] : symbols) {
        const std::string upperAddress = WithPercent(ByteString::Upper(address));
        m_names.LocalAddressToSymbol[upperAddress] = symbol;
        m_names.LocalSymbolToAddress[ByteString::Upper(symbol)] = upperAddress;
    }
}

BOOL CLDProgram::FindLocalVar(const std::string& name, OperandTypeFlags& flags) const
{
    return m_host && m_host->LookupLocalSymbolType(name, flags);
}

int CLDProgram::GetInitialRowExtent() const
{
    if (m_items.size() < 2)
        return 0;
    return m_items[m_items.size() - 2]->GetPosition().row + INITIAL_ROW_MARGIN;
}

void CLDProgram::Select(CLDElement* element)
{
    m_selected = element;
    m_selectionFlag = element ? TRUE : FALSE;
}

void CLDProgram::ClearSelection()
{
    m_selected = nullptr;
    m_selectionFlag = 0;
}

int CLDProgram::SetSelectionFlag(int flag)
{
    const int previous = m_selectionFlag;
    m_selectionFlag = flag;
    return previous;
}

BOOL CLDProgram::LookupCell(int column, int row, CLDElement** element) const
{
    const auto found = m_positionMap.find(CLDElement::PositionKey(column, row));
    if (found == m_positionMap.end())
        return FALSE;
    *element = found->second;
    return TRUE;
}

void CLDProgram::SetBranchEnds(CLDElement* start, CLDElement* end)
{
    m_branchStart = start;
    m_branchEnd = end;
}

void CLDProgram::DeleteNetworks(int first, int last)
{
    const auto begin = m_items.begin() + 2 * first;
    const auto end = m_items.begin() + 2 * last + 2;
    for (auto at = begin; at != end; ++at)
        at->release()->DeleteTree(TRUE);
    m_items.erase(begin, end);
    m_positionMap.clear();
}

void CLDProgram::ClearRedoList()
{
    DropRedoSnapshots();
}
