#pragma once
// The "Cross Reference" window's list: every use of an operand found by
// the last Compile All, filtered by the memory areas and data types of the
// Options sheet, with the POU and the row or network of each use. A
// double click or Enter opens the POU there.

#include "platform/ui/CListView.h"

class CCmdUI;
class CZULAppData;
class ICrossRefHost;

// Commands of the list's context menu.
constexpr UINT ID_XREF_GOTO = 32895;
constexpr UINT ID_XREF_REFRESH = 32896;
constexpr UINT ID_XREF_OPTIONS = 32960;

class CUsedVarRefView : public CListView {
    Q_OBJECT
    DECLARE_DYNCREATE(CUsedVarRefView)
public:
    CUsedVarRefView();

    // Set by the frame after it created the view.
    void Attach(CZULAppData* app, ICrossRefHost* host);

    // Fills the list again with the current masks.
    void OnRefresh();
    // Opens the POU of the item of the selection mark.
    void OnGoTo();
    // Go to needs a current item.
    void OnUpdateGoTo(CCmdUI* cmdUI);
    // Runs the Options sheet with the filter page in front, then refreshes.
    void OnOptions();
    // Opens the POU of an item at its row or network; nothing for item < 0.
    void GoToReference(int item);

    // The references shown (a trailing note of a list cut short not counted).
    int GetReferenceCount() const { return m_referenceCount; }

protected:
    int OnCreate() override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void InsertColumns();
    void MakeCurrent(int item);

    CZULAppData* m_app = nullptr;
    ICrossRefHost* m_host = nullptr;
    int m_referenceCount = 0;
};
