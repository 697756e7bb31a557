#pragma once
// One group of MDI tabs of the tab client: a tab set whose tabs stand for
// MDI child frames. It asks the children for icons, colours and tooltips,
// activates a child when its tab is clicked, closes it with the close
// button, and carries its share of the groups' common length and the
// splitter after it. In strip mode it is drawn in a workspace window of its
// own; in groups mode in the MDI client.

#include "toolkit/docking/tabs/CTKTabSet.h"
#include "toolkit/docking/tabs/CTKTabWorkspace.h"

#include <QPointer>

#include <memory>

class CTKTabClientWnd;

class CTKMDITabGroup : public CTKTabSet {
public:
    static constexpr double kDefaultShare = 100.0;

    CTKMDITabGroup();
    ~CTKMDITabGroup() override;

    void OnLayoutChanged() override;
    const CIconImage* GetTabIcon(const CTKTabItem* tab) const override;
    COLORREF GetTabColor(const CTKTabItem* tab) const override;
    std::string GetTabTooltip(const CTKTabItem* tab) const override;
    void SetSelectedTab(CTKTabItem* tab) override;
    CTKTabRenderer* GetRenderer() const override;
    void Redraw() override;
    BOOL IsReorderAllowed() const override;
    void SetReorderAllowed(BOOL allowed) override;
    BOOL IsFrameVisible() const override;
    BOOL DrawTabIcon(CDC* dc, int x, int y, CTKTabItem* tab, BOOL draw) override;
    void OnTabClick(CTKTabItem* tab) override;
    // Reorders within the strip; in groups mode a drag out of the header
    // drops the tab on another group or opens the drop menu.
    void TrackTabDrag(CWnd* window, int x, int y, CTKTabItem* tab) override;
    void OnNavigateButtonClick(int kind) override;
    BOOL IsInputLocked() const override;

    CTKTabClientWnd* GetClient() const { return m_client; }
    void SetClient(CTKTabClientWnd* client) { m_client = client; }
    // The window of the selected tab.
    CWnd* GetActiveWnd() const { return m_activeWindow; }
    double GetShare() const { return m_share; }
    void SetShare(double share) { m_share = share; }
    CRect GetSplitterRect() const { return m_splitterRect; }
    void SetSplitterRect(const CRect& rect) { m_splitterRect = rect; }

    // The strip-mode window the group is drawn in; null in groups mode.
    CTKTabWorkspace* GetWorkspace() const { return m_workspace; }
    void SetWorkspace(CTKTabWorkspace* workspace) { m_workspace = workspace; }
    // The window the group is drawn in: the workspace or the MDI client.
    CWnd* GetDrawWindow() const;

private:
    // The tab's MDI child while it still lives, else null.
    CWnd* ChildOf(const CTKTabItem* tab) const;
    // The drag in progress: the outside feedback, the drop, the reorder.
    void DragMoved(CWnd* window, CPoint point, CTKTabItem* tab, const std::vector<CRect>& places, BOOL* outside);

    CTKTabClientWnd* m_client = nullptr;
    QPointer<CWnd> m_activeWindow;
    double m_share = kDefaultShare;
    CRect m_splitterRect;
    // Owned; deleted (window first) with the group.
    QPointer<CTKTabWorkspace> m_workspace;
};
