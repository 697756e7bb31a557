#include "CPOUProgram.h"

#include "model/CZULAppData.h"

CPOUProgram::CPOUProgram(CZULAppData& app)
    : m_app(app)
{
}

CPOUProgram::~CPOUProgram()
{
    m_marksShown = FALSE;
}

BOOL CPOUProgram::IsMonitoring() const
{
    return m_app.Monitoring.load() != 0;
}

void CPOUProgram::PushUndoSnapshot()
{
    CArchive ar;
    Serialize(ar, FALSE);
    AddUndoSnapshot(ar.GetBuffer());
    m_redoList.clear();
    OnSnapshotPushed();
}

void CPOUProgram::AddUndoSnapshot(Snapshot snapshot)
{
    DropOldestBeyondLimit();
    m_undoList.push_front(std::make_unique<Snapshot>(std::move(snapshot)));
}

void CPOUProgram::DropOldestBeyondLimit()
{
    if (m_undoDepthLimit != 0 && static_cast<int>(m_undoList.size()) > m_undoDepthLimit)
        m_undoList.pop_back();
}

BOOL CPOUProgram::CanUndo() const
{
    return !IsMonitoring() && m_undoList.size() > 1;
}

BOOL CPOUProgram::CanRedo() const
{
    return !IsMonitoring() && !m_redoList.empty();
}

BOOL CPOUProgram::Undo()
{
    if (!CanUndo())
        return FALSE;
    m_redoList.push_front(std::move(m_undoList.front()));
    m_undoList.pop_front();
    Reload(*m_undoList.front());
    return TRUE;
}

BOOL CPOUProgram::Redo()
{
    if (!CanRedo())
        return FALSE;
    std::unique_ptr<Snapshot> snapshot = std::move(m_redoList.front());
    m_redoList.pop_front();
    DropOldestBeyondLimit();
    m_undoList.push_front(std::move(snapshot));
    Reload(*m_undoList.front());
    return TRUE;
}

void CPOUProgram::Reload(const Snapshot& snapshot)
{
    Clear();
    CArchive ar(snapshot);
    Serialize(ar, FALSE);
}
