// Find, Replace and the force commands of the ladder editor, and its small
// answers to the view: symbolic addressing and the extent.
//
// A current-file search steps through the hits that the program's find pass
// recorded in the application's find-result table; the dialog advances the
// current result number before each step and the editor scrolls to that
// hit's element and moves the found mark onto it.

#include "CLDEditor.h"

#include "CBlock.h"
#include "CComment.h"
#include "CLDProgram.h"
#include "model/CFindResult.h"
#include "model/CFindState.h"
#include "model/CZULAppData.h"
#include "model/CZULFBPara.h"
#include "model/CZULProjectPOUs.h"
#include "platform/ByteString.h"
#include "platform/CUserInterface.h"
#include "pouedit/ForceOperand.h"
#include "pouedit/IFindReplaceDialog.h"
#include "pouedit/IPOUEditorHost.h"

#include <algorithm>

namespace {
constexpr int DIALOG_FIND = 1;
constexpr int DIALOG_REPLACE = 2;
constexpr int BLOCK_GROUP_ELEMENT = 0;
constexpr int BLOCK_GROUP_OUTPUT = 1;
constexpr int BLOCK_GROUP_INPUT = 2;

// "Finished searching for the string "%s"! Search again from the start?"
const char* const RESTART_QUESTION = "\xD2\xD1\xCD\xEA\xB3\xC9\xB6\xD4\xD7\xD6\xB7\xFB\xB4\xAE\xA1\xB0%s\xA1\xB1"
                                     "\xB5\xC4\xB2\xE9\xD5\xD2\xA3\xA1\xCA\xC7\xB7\xF1\xB4\xD3\xCD\xB7\xBF\xAA\xCA\xBC"
                                     "\xD6\xD8\xD0\xC2\xB2\xE9\xD5\xD2\xA3\xBF";
// "Finished replacing the string "%s"!"
const char* const REPLACE_FINISHED = "\xD2\xD1\xCD\xEA\xB3\xC9\xB6\xD4\xD7\xD6\xB7\xFB\xB4\xAE\xA1\xB0%s\xA1\xB1"
                                     "\xB5\xC4\xCC\xE6\xBB\xBB\xA3\xA1";

// The first occurrence of find in text, both upper-cased unless the case must match.
int FindIn(const std::string& text, const std::string& find, BOOL matchCase)
{
    if (find.empty())
        return -1;
    return matchCase ? ByteString::Find(text, find) : ByteString::Find(ByteString::Upper(text), ByteString::Upper(find));
}

BOOL MatchesAt(const std::string& text, int at, const std::string& find, BOOL matchCase)
{
    if (at < 0 || find.empty() || static_cast<size_t>(at) + find.size() > text.size())
        return FALSE;
    const std::string part = text.substr(size_t(at), find.size());
    return matchCase ? part == find : ByteString::Upper(part) == ByteString::Upper(find);
}
} // namespace

// ---- Find and Replace ----

void CLDEditor::OnEditFind()
{
    OpenFindReplace(FALSE);
}

void CLDEditor::OnEditReplace()
{
    OpenFindReplace(TRUE);
}

void CLDEditor::OpenFindReplace(BOOL replace)
{
    if (!m_host || IsMonitoring())
        return;
    CFindState& state = m_program.GetApp().Find;
    if (state.DialogMode == (replace ? DIALOG_FIND : DIALOG_REPLACE))
        return;
    IFindReplaceDialog* dialog = m_host->OpenFindReplaceDialog(!replace);
    if (!dialog)
        return;
    state.DialogMode = replace ? DIALOG_REPLACE : DIALOG_FIND;
    std::string text;
    if (m_editingOperand)
        text = m_inplace.GetText();
    else
        GetSelectionFindText(&text);
    // Without a selection the last search is offered again.
    if (text.empty())
        text = state.LastFindText;
    dialog->AddFindHistory(state.LastFindText);
    dialog->SetFindText(text);
    const BOOL any = text.empty() ? FALSE : TRUE;
    dialog->EnableFindButtons(any);
    dialog->SetFindOnly(!replace);
    dialog->Show(replace);
    if (replace)
        dialog->EnableReplaceButtons(any && !dialog->IsScopeBeyondWindow(), any);
}

void CLDEditor::ClearResultMark(int result)
{
    CFindState& state = m_program.GetApp().Find;
    if (result < 1 || result >= FIND_TABLE_SIZE || state.MarksShown == 1)
        return;
    const CFindResult& record = state.Results[size_t(result)];
    CLDElement* element = CLDElement::FromFindResult(record);
    if (!element)
        return;
    const CLDCellRect position = element->GetPosition();
    if (position.column == record.RowOrColumn && position.row == record.ColumnOrRow)
        element->SetFindResultMark(record, 0);
}

BOOL CLDEditor::IsPastLastResult(int result) const
{
    const CFindState& state = m_program.GetApp().Find;
    // Hits beyond the table were counted but not recorded: they cannot be opened.
    const int last = std::min(state.ResultCount, FIND_TABLE_SIZE - 1);
    return result > last && !state.Results[1].POUName.empty();
}

CLDEditor::FindStep CLDEditor::OpenFindResult(int result)
{
    ClearResultMark(result - 1);
    Repaint();
    const CFindState& state = m_program.GetApp().Find;
    const int last = std::min(state.ResultCount, FIND_TABLE_SIZE - 1);
    if (result < 1 || result > last)
        return FindStep::NONE;
    const CFindResult& record = state.Results[size_t(result)];
    if (ShowFindResult(result, record.RowOrColumn, record.ColumnOrRow))
        return FindStep::OPENED;
    EndVanishedSearch();
    return FindStep::VANISHED;
}

CLDEditor::FindStep CLDEditor::StepFindResults(int result)
{
    const FindStep step = OpenFindResult(result);
    if (step != FindStep::NONE)
        return step;
    if (IsPastLastResult(result))
        return FindStep::PAST_LAST;
    const CFindState& state = m_program.GetApp().Find;
    if (state.ResultCount == 0 && result == 1 && !state.NewSearch)
        return FindStep::IDLE;
    return FindStep::NEW_PASS;
}

// The element of a hit was deleted after the search: the search is over and
// the next Find next starts a new one.
void CLDEditor::EndVanishedSearch()
{
    CFindState& state = m_program.GetApp().Find;
    state.SearchPOUName.clear();
    state.ResultCount = 0;
    state.CurrentResult = 1;
    CUserInterface::Output().ClearOutputList(FIND_OUTPUT_LIST);
    state.ResetResultTable();
    Repaint();
}

void CLDEditor::ShowFirstResult(const IFindReplaceDialog& dialog)
{
    const CFindState& state = m_program.GetApp().Find;
    if (dialog.GetScope() != FIND_SCOPE_CURRENT_FILE || !state.NewSearch || state.ResultCount <= 0)
        return;
    const CFindResult& record = state.Results[1];
    ShowFindResult(1, record.RowOrColumn, record.ColumnOrRow);
}

void CLDEditor::Find(const std::string& findText, int mode)
{
    const std::string text = ByteString::Trim(findText);
    const IFindReplaceDialog* dialog = m_host ? m_host->GetFindReplaceDialog() : nullptr;
    // Marking, unmarking and the searches over several POUs run the program's pass alone.
    if (mode != LD_FIND_REPORT || !dialog || dialog->GetScope() != FIND_SCOPE_CURRENT_FILE) {
        m_program.Find(text, mode);
        return;
    }
    CZULAppData& app = m_program.GetApp();
    CFindState& state = app.Find;
    const int current = state.CurrentResult;
    const FindStep step = StepFindResults(current);
    if (step == FindStep::OPENED) {
        const CFindResult& record = state.Results[size_t(current)];
        if (CLDElement* element = CLDElement::FromFindResult(record))
            element->SetFindResultMark(record, 1);
        Repaint();
        return;
    }
    if (step == FindStep::PAST_LAST) {
        const int answer = ShowMessage("", ByteString::Format(RESTART_QUESTION, text.c_str()), MB_YESNO | MB_ICONQUESTION);
        if (answer == IDYES) {
            state.CurrentResult = 0;
            return;
        }
        state.ResultCount = 0;
        state.CurrentResult = 0;
        // Without this the next Find next would continue the finished search and ask again.
        app.SearchFlag = 0;
        return;
    }
    if (step != FindStep::NEW_PASS)
        return;
    m_program.Find(text, LD_FIND_REPORT);
    ShowFirstResult(*dialog);
}

void CLDEditor::ReplaceAll(const std::string& find, const std::string& replace)
{
    m_program.ReplaceAll(ByteString::Trim(find), ByteString::Trim(replace));
}

void CLDEditor::Replace(const std::string& findText, const std::string& replaceText)
{
    const IFindReplaceDialog* dialog = m_host ? m_host->GetFindReplaceDialog() : nullptr;
    if (!dialog)
        return;
    const std::string find = ByteString::Trim(findText);
    const std::string replace = ByteString::Trim(replaceText);
    CZULAppData& app = m_program.GetApp();
    CFindState& state = app.Find;
    const int current = state.CurrentResult;
    const FindStep step = StepFindResults(current);
    if (step == FindStep::OPENED) {
        ReplaceInResult(current, find, replace, dialog->GetMatchCase());
        return;
    }
    if (step == FindStep::PAST_LAST) {
        state.CurrentResult = 0;
        state.ResultCount = 0;
        // The next Replace starts a new pass instead of reporting the end again.
        app.SearchFlag = 0;
        ShowMessage("", ByteString::Format(REPLACE_FINISHED, find.c_str()), MB_OK);
        return;
    }
    if (step != FindStep::NEW_PASS)
        return;
    m_program.Replace(find, replace);
    ShowFirstResult(*dialog);
}

// Splices the replacement into the text of the hit as it was found, so the
// rest of the operand keeps its case, and stores it into the hit's part.
void CLDEditor::ReplaceInResult(int result, const std::string& find, const std::string& replace, BOOL matchCase)
{
    const CFindResult& record = m_program.GetApp().Find.Results[size_t(result)];
    CLDElement* element = CLDElement::FromFindResult(record);
    if (!element)
        return;
    const int kind = element->GetKind();
    if (kind == LD_KIND_COMMENT) {
        element->SetFindResultMark(record, 1);
        ReplaceInComment(*element, record, find, replace, matchCase);
        FinishReplace();
        return;
    }
    if (record.LineText.empty())
        return;
    if (kind == LD_KIND_BLOCK && record.InstanceFlag == 1 && record.ParamGroup == BLOCK_GROUP_ELEMENT)
        return;
    if (kind == LD_KIND_BLOCK && record.ParamGroup == BLOCK_GROUP_ELEMENT) {
        FinishReplace();
        return;
    }
    element->SetFindResultMark(record, 1);
    std::string text = record.LineText;
    const int at = FindIn(text, find, matchCase);
    if (at >= 0) {
        text.replace(size_t(at), find.size(), replace);
        if (kind == LD_KIND_BLOCK) {
            auto* block = static_cast<CBlock*>(element);
            CZULFBPara* para = record.ParamGroup == BLOCK_GROUP_INPUT    ? block->GetInput(record.ParamIndex)
                               : record.ParamGroup == BLOCK_GROUP_OUTPUT ? block->GetOutput(record.ParamIndex)
                                                                         : nullptr;
            if (para)
                para->typeText = text;
        } else {
            element->SetOperand(text);
        }
    }
    FinishReplace();
}

// A comment's record carries no text of its own: the hit is replaced in the
// comment's stored text, at the recorded place while the find text still
// stands there, else at its first occurrence; the rest of the comment stays.
void CLDEditor::ReplaceInComment(CLDElement& element, const CFindResult& record, const std::string& find,
                                 const std::string& replace, BOOL matchCase)
{
    auto& comment = static_cast<CComment&>(element);
    std::string text = comment.GetText();
    int at = record.TextOffset;
    if (!MatchesAt(text, at, find, matchCase))
        at = FindIn(text, find, matchCase);
    if (at < 0)
        return;
    text.replace(size_t(at), find.size(), replace);
    comment.SetText(text);
}

void CLDEditor::FinishReplace()
{
    if (HasDocument())
        m_host->SetModified();
    m_program.PushUndoSnapshot();
    RelayoutVisible();
    UpdateScrollSizes();
    Repaint();
}

// ---- force commands ----

namespace {

// The operand of a block pin drawn under the point, anywhere in the tree.
BOOL FindBlockOperandAt(CLDElement* element, const CPoint& point, std::string* operand)
{
    if (!element)
        return FALSE;
    if (element->GetKind() == LD_KIND_BLOCK &&
        element->HitTestOperandText(point.x, point.y, LD_CELL_WIDTH, LD_CELL_HEIGHT, operand))
        return TRUE;
    return FindBlockOperandAt(element->GetChildA(), point, operand) ||
           FindBlockOperandAt(element->GetChildB(), point, operand);
}

} // namespace

BOOL CLDEditor::FindPinOperandAtContextPoint(std::string* operand) const
{
    for (const auto& item : m_program.GetItems()) {
        if (FindBlockOperandAt(item.get(), m_contextPoint, operand))
            return TRUE;
    }
    return FALSE;
}

void CLDEditor::PickForceOperand()
{
    m_forceOperand.clear();
    m_forceFlags = 0;
    m_forceable = 0;
    if (!IsMonitoring())
        return;
    // A block's input operands stand left of the box, in a cell the right
    // press selects apart from the block: the text under the point decides.
    std::string operand;
    CLDElement* selected = m_program.GetSelection();
    if (!FindPinOperandAtContextPoint(&operand)) {
        if (!selected)
            return;
        const int kind = selected->GetKind();
        if (kind != LD_KIND_CONTACT && kind != LD_KIND_COIL)
            return;
        operand = selected->GetOperand();
    }
    operand = ByteString::Trim(operand);
    std::string address = operand;
    if (m_host)
        m_host->FindLocalAddress(ByteString::Upper(operand), address);
    OperandTypeFlags flags = 0;
    if (operand.empty() || !IsForceableOperand(m_program.GetApp().Project, address, flags))
        return;
    m_forceOperand = operand;
    m_forceFlags = flags;
    m_forceable = 1;
}

void CLDEditor::ForcePicked(int value)
{
    if (!m_host || !IsMonitoring() || !m_forceable)
        return;
    ForceOrUnforceOperand(m_program.GetApp(), *m_host, m_forceOperand, value);
}

void CLDEditor::OnForceTrue()
{
    if (m_forceFlags & OT_BOOL)
        ForcePicked(1);
}

void CLDEditor::OnForceFalse()
{
    if (m_forceFlags & OT_BOOL)
        ForcePicked(0);
}

void CLDEditor::OnUnforce()
{
    ForcePicked(UNFORCE_VALUE);
}

void CLDEditor::OnForce()
{
    if (!m_host || !IsMonitoring() || !m_forceable)
        return;
    RunForceDialogOn(m_program.GetApp(), *m_host, m_forceOperand);
}

// ---- view requests ----

int CLDEditor::SetSymbolicAddressing(BOOL)
{
    Repaint();
    return TRUE;
}

CSize CLDEditor::GetExtent(CSize& size)
{
    size = CSize(m_extentWidth, m_extentHeight);
    return size;
}
