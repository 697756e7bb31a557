#include "CLDEditor.h"

#include "CLDProgram.h"
#include "pouedit/IPOUEditorHost.h"

namespace {
constexpr int PAGE_CELLS = 2; // a page step moves this many cells
} // namespace

CLDEditor::CLDEditor(CLDProgram& program, IPOUEditorHost* host)
    : CPOUEditor(POU_LANGUAGE_LD)
    , m_program(program)
    , m_host(host)
{
}

void CLDEditor::Find(const std::string& text, int mode)
{
    m_program.Find(text, mode);
}

void CLDEditor::ReplaceAll(const std::string& find, const std::string& replace)
{
    m_program.ReplaceAll(find, replace);
}

void CLDEditor::Replace(const std::string& find, const std::string& replace)
{
    m_program.Replace(find, replace);
}

void CLDEditor::OnInitialUpdate()
{
    if (!m_host)
        return;
    const CSize cells = m_program.GetExtent();
    const CSize cell = m_program.GetCellSize();
    const CSize total(cells.cx * cell.cx, cells.cy * cell.cy);
    m_host->SetScrollSizes(total, CSize(cell.cx * PAGE_CELLS, cell.cy * PAGE_CELLS), cell);
}

void CLDEditor::OnEditUndo()
{
    if (m_program.Undo())
        Repaint();
}

void CLDEditor::OnUpdateEditUndo(IPOUCommandUI& ui)
{
    ui.Enable(m_program.CanUndo());
}

void CLDEditor::OnEditRedo()
{
    if (m_program.Redo())
        Repaint();
}

void CLDEditor::OnUpdateEditRedo(IPOUCommandUI& ui)
{
    ui.Enable(m_program.CanRedo());
}

CSize CLDEditor::GetExtent(CSize& size)
{
    const CSize cells = m_program.GetExtent();
    const CSize cell = m_program.GetCellSize();
    size = CSize(cells.cx * cell.cx, cells.cy * cell.cy);
    return size;
}

void CLDEditor::RemoveCaret()
{
    if (!m_host)
        return;
    m_host->HideCaret();
    m_host->DestroyCaret();
}

void CLDEditor::Repaint()
{
    if (m_host)
        m_host->Invalidate();
    TriggerRepaint();
}
