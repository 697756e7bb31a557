#pragma once
// The program model of one POU, whatever its language, with the POU's undo
// history: two lists of whole-program snapshots in memory. Every completed
// edit pushes a snapshot; Undo and Redo move snapshots between the lists
// and reload the program from the one that becomes current.

#include "model/LanguageLibrary.h"
#include "platform/CArchive.h"
#include "platform/WinTypes.h"

#include <deque>
#include <memory>
#include <string>
#include <vector>

class CPOUEditor;
class CZULAppData;

// Language codes of the POU file's language line and of the project tree
// (POU_LANGUAGE_IL, POU_LANGUAGE_LD), and no language yet.
constexpr int POU_LANGUAGE_NONE = -1;

class CPOUProgram {
public:
    explicit CPOUProgram(CZULAppData& app);
    CPOUProgram(const CPOUProgram&) = delete;
    CPOUProgram& operator=(const CPOUProgram&) = delete;

    // toFile TRUE: the POU file form; FALSE: the snapshot form with editor state.
    virtual void Serialize(CArchive& ar, BOOL toFile) = 0;
    // Empties the program before it is read again.
    virtual void Clear() = 0;
    virtual ~CPOUProgram();
    // A new POU's default program, with its first snapshot.
    virtual BOOL InitNew() = 0;
    virtual BOOL OnOpened(const std::string& path) = 0;
    virtual void AfterSave(const std::string& path, int prepared) = 0;
    virtual int PrepareSave(const std::string& path) = 0;
    // The POU's FB instances in the project go back to the recorded ones.
    virtual void DiscardChanges() = 0;
    virtual void GetILLines(std::vector<std::string>& lines) = 0;
    virtual BOOL GoToFindResult(int result, int a, int b) = 0;
    virtual BOOL GoToLine(int n) = 0;
    // Whether the program may be converted to the other language.
    virtual BOOL IsValid() = 0;

    // Records the program as it is now at the head of the undo list and ends the redo chain.
    void PushUndoSnapshot();
    // Returns to the snapshot before the current one; FALSE while monitoring
    // or when the current snapshot is the first.
    BOOL Undo();
    // Returns to the snapshot most recently undone; FALSE while monitoring or when there is none.
    BOOL Redo();
    BOOL CanUndo() const;
    BOOL CanRedo() const;
    int GetUndoCount() const { return static_cast<int>(m_undoList.size()); }
    int GetRedoCount() const { return static_cast<int>(m_redoList.size()); }

    int GetLanguage() const { return m_language; }
    CPOUEditor* GetEditor() const { return m_pEditor; }
    BOOL GetMarksShown() const { return m_marksShown; }
    void SetMarksShown(BOOL shown) { m_marksShown = shown ? TRUE : FALSE; }

protected:
    using Snapshot = std::vector<BYTE>;

    // Adds a snapshot written elsewhere at the head of the undo list.
    void AddUndoSnapshot(Snapshot snapshot);
    // Runs after every pushed snapshot, when the program as it now stands
    // is the one the user works on.
    virtual void OnSnapshotPushed() {}
    // Ends the redo chain after an edit that took its undo snapshot itself.
    void DropRedoSnapshots() { m_redoList.clear(); }
    BOOL IsMonitoring() const;

    CZULAppData& m_app;
    CPOUEditor* m_pEditor = nullptr;
    int m_language = POU_LANGUAGE_NONE;

private:
    void DropOldestBeyondLimit();
    void Reload(const Snapshot& snapshot);

    std::deque<std::unique_ptr<Snapshot>> m_undoList; // newest first; the head is the program as it is
    std::deque<std::unique_ptr<Snapshot>> m_redoList; // most recently undone first
    int m_undoDepthLimit = 0;                         // 0: no limit
    BOOL m_marksShown = FALSE;
};
