#pragma once
// What the instruction catalogue needs of the main frame.

class CWnd;

class IInsTreeHost {
public:
    virtual ~IInsTreeHost() = default;
    // The active view of the active MDI child when that child is a POU
    // editor frame; null otherwise or when the frame has no active view.
    virtual CWnd* GetActivePOUEditorView() = 0;
    // The "Instructions" pane is the selected tab of its container and holds the focus.
    virtual bool IsInstructionsPaneActive() = 0;
};
