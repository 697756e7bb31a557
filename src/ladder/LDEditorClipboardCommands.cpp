// The ladder editor's Copy, Cut and Paste commands with their update
// handlers; the transfer itself is CLDClipboard's.

#include "CLDClipboard.h"
#include "CLDEditor.h"
#include "CLDProgram.h"
#include "platform/WinTypes.h"
#include "platform/ui/WinMessages.h"
#include "pouedit/IPOUCommandUI.h"
#include "pouedit/IPOUEditorHost.h"

#include <algorithm>

namespace {
// The first network starts in this row.
constexpr int FIRST_NETWORK_ROW = 1;
} // namespace

// While an operand is typed, the clipboard commands work on its text.
void CLDEditor::OnEditCopy()
{
    if (m_editingOperand) {
        m_inplace.Copy();
        return;
    }
    CLDClipboard(m_program).Copy();
}

void CLDEditor::OnUpdateEditCopy(IPOUCommandUI& ui)
{
    if (m_editingOperand) {
        ui.Enable(!IsMonitoring() && m_inplace.HasSelection() ? TRUE : FALSE);
        return;
    }
    ui.Enable(CLDClipboard(m_program).CanCopy());
}

void CLDEditor::OnEditCut()
{
    if (!m_host || !m_host->HasDocument())
        return;
    OnEditCopy();
    OnKeyDown(VK_DELETE, 1, 0);
    m_host->SetModified();
}

void CLDEditor::OnUpdateEditCut(IPOUCommandUI& ui)
{
    if (m_editingOperand) {
        OnUpdateEditCopy(ui);
        return;
    }
    ui.Enable(CLDClipboard(m_program).CanCut());
}

void CLDEditor::OnEditPaste()
{
    if (m_editingOperand) {
        if (IsMonitoring())
            return;
        m_inplace.Paste();
        Repaint();
        return;
    }
    CLDClipboard(m_program, this).Paste();
}

void CLDEditor::OnUpdateEditPaste(IPOUCommandUI& ui)
{
    if (m_editingOperand) {
        ui.Enable(!IsMonitoring() ? TRUE : FALSE);
        return;
    }
    ui.Enable(CLDClipboard(m_program).CanPaste());
}

void CLDEditor::InsertNetworkRows(int network, int rows)
{
    if (m_firstRows.empty())
        m_firstRows.push_back(FIRST_NETWORK_ROW);
    const int at = std::clamp(network, 0, static_cast<int>(m_firstRows.size()) - 1);
    m_firstRows.insert(m_firstRows.begin() + at, m_firstRows[size_t(at)]);
    ShiftNetworkRows(at + 1, rows);
    m_endRow = m_firstRows.back();
}
