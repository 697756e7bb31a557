#pragma once
// The instruction catalogue: the view of the "Instructions" pane. It lists
// by category the rows of the LD or the IL instruction table that the
// project's CPU family has, and the project's subroutines under "SBR". A
// double-click hands the item to the active POU editor view, hovering shows
// the row's description, F1 opens the item's help.

#include "platform/CImageList.h"
#include "platform/ui/CTreeView.h"

#include <QTimer>

#include <map>
#include <string>

class CZULAppData;
class CZULFunc;
class IInsTreeHost;

class CInsTreeView : public CTreeView {
    Q_OBJECT
    DECLARE_DYNAMIC(CInsTreeView)
public:
    CInsTreeView();

    // The application data and the main frame; both outlive the view.
    void Attach(CZULAppData* app, IInsTreeHost* host);

    // Every visible row of the table, no family filter; the set flags stay. Returns "SBR".
    HTREEITEM BuildInstructionTree(BOOL ld);
    // Refills with the table the flags then name, filtered by the project's family.
    void RebuildInstructionTree(BOOL ld);

    // The subroutine entries under "SBR", kept sorted by name.
    void AddSubroutine(CZULFunc* function);
    void AddSubroutines(const std::map<std::string, CZULFunc*>& interfaces);
    BOOL RenameSubroutine(const std::string& oldName, const std::string& newName);
    BOOL RemoveSubroutine(const std::string& name);
    void ClearSubroutines();

    HTREEITEM GetSubroutineItem() const { return m_sbr; }
    // The description the tooltip shows for a client point; empty for none.
    std::string GetTooltipText(CPoint point) const;
    // The text the armed tooltip will show; empty while none is armed.
    const std::string& GetArmedTooltip() const { return m_armedTip; }

protected:
    DWORD GetTreeStyle() const override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonDblClk(UINT flags, CPoint point) override;
    void OnRButtonDown(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnKeyDown(UINT ch, UINT repeat, UINT flags) override;

private:
    void FillTree(BOOL ld, DWORD familyBit);
    bool IsInstructionLeaf(HTREEITEM item) const;
    void RelayTooltip(CPoint point);
    void PopTooltip();
    void ShowTooltip();

    CZULAppData* m_app = nullptr;
    IInsTreeHost* m_host = nullptr;
    BOOL m_mouseSeen = FALSE;
    CImageList m_images;
    HTREEITEM m_sbr = nullptr;
    HTREEITEM m_clock = nullptr;
    HTREEITEM m_interrupt = nullptr;
    HTREEITEM m_pid = nullptr;
    HTREEITEM m_timer = nullptr;
    QTimer m_tipDelay;
    std::string m_armedTip;
    CPoint m_tipPoint;
};
