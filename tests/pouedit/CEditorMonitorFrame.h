#pragma once
// The main frame's monitor notification as the POU editors meet it: after
// each monitor cycle the active editor shows its live values, and once
// monitoring has ended it removes them. Tests of the editors' live values
// run the link's Monitor command with this frame.

#include "plclink/IMonitorFrame.h"
#include "pouedit/CPOUEditor.h"

class CEditorMonitorFrame : public IMonitorFrame {
public:
    explicit CEditorMonitorFrame(CPOUEditor* activeEditor = nullptr) : m_editor(activeEditor) {}

    void SetActiveEditor(CPOUEditor* editor) { m_editor = editor; }
    void CloseFindReplaceDialog() override {}
    void RefreshMonitorDisplay(BOOL monitoring) override
    {
        ++refreshes;
        if (!m_editor)
            return;
        if (monitoring)
            m_editor->UpdateMonitorDisplay();
        else
            m_editor->ClearMonitorDisplay();
    }

    int refreshes = 0;

private:
    CPOUEditor* m_editor;
};
