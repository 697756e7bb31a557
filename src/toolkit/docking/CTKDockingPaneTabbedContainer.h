#pragma once
// A tabbed container: the window that shows one or more panes, with a
// caption (title, close and pin buttons), a row of tabs from two panes on,
// and the selected pane's window in the rest. It is a docking node of type
// 1 and the tab set its renderer lays out.

#include "platform/ui/CWnd.h"
#include "toolkit/docking/CTKDockingPaneCaptionButton.h"
#include "toolkit/docking/CTKDockingPaneNode.h"
#include "toolkit/docking/tabs/CTKTabSet.h"

#include <string>
#include <vector>

class CTKDockingPaneHost;
class CTKDockingPaneItem;
class CTKDockingPaneRenderer;

class CTKDockingPaneTabbedContainer : public CWnd, public CTKDockingPaneNode, public CTKTabSet {
public:
    // Caption kinds: docked (pin upright), floating (no pin), sliding (pin lying).
    static constexpr int kCaptionDocked = 1;
    static constexpr int kCaptionFloating = 0;
    static constexpr int kCaptionSliding = 3;
    static constexpr int kHitCaption = -2;
    static constexpr UINT kTipAutoHide = 9900;
    static constexpr UINT kTipClose = 9901;

    CTKDockingPaneTabbedContainer(CTKDockingPaneItem* pane, CWnd* frame, CTKDockingPaneLayout* layout);
    ~CTKDockingPaneTabbedContainer() override;

    // The automatic tab colour of a pane id (the remainder keeps the id's sign).
    static COLORREF TabColorForId(int id);

    void AddPane(CTKDockingPaneItem* pane);
    void SelectPane(CTKDockingPaneItem* pane, BOOL focus);
    void RebuildTabs();
    // Client coordinates: kHitCaption, a tab index, or -1.
    int HitTest(int x, int y) const;
    CTKDockingPaneItem* GetPaneAt(int index) const;
    std::string GetCaption() const;
    void SetCaptionVisible(BOOL visible);
    // The point (screen) lies on the title band or, with tabs, on the tab row of screenRect.
    virtual BOOL IsTitleHit(const CRect& screenRect, int x, int y) const;
    // Keeps the caption button's tooltip on its rectangle.
    void UpdateButtonTip(CTKDockingPaneCaptionButton* button);

    // Node slots.
    void Layout(CWnd* frame, CRect rect, AFX_SIZEPARENTPARAMS* params) override;
    void UpdateIdle() override;
    void SetParentFrame(CWnd* frame) override;
    void OnAttached(CTKDockingPaneNode* parent) override;
    void RemoveChild(CTKDockingPaneNode* node) override;
    void FindNodes(int type, std::vector<CTKDockingPaneNode*>* out) override;
    BOOL IsEmpty() const override { return m_panes.empty(); }
    // The panes copied in order, the copy of the selected one selected.
    CTKDockingPaneNode* Clone(CTKDockingPaneLayout* dest, CloneMap* map) const override;
    void SaveToRegistry(CTKDockingPaneLayout* layout) override;
    BOOL LoadFromRegistry(CTKDockingPaneLayout* layout, const IndexMap& nodesByIndex) override;

    // Tab set.
    CTKTabRenderer* GetRenderer() const override;
    void Redraw() override;
    BOOL DrawTabIcon(CDC* dc, int x, int y, CTKTabItem* tab, BOOL draw) override;
    void OnLayoutChanged() override;
    void SetSelectedTab(CTKTabItem* tab) override;

    BOOL IsActive() const { return m_active; }
    BOOL IsCaptionVisible() const { return m_captionVisible; }
    BOOL IsTabsVisible() const { return m_tabsVisible; }
    int GetCaptionKind() const { return m_captionKind; }
    CTKDockingPaneItem* GetSelected() const { return m_selected; }
    const std::vector<CTKDockingPaneItem*>& GetPanes() const { return m_panes; }
    CTKDockingPaneCaptionButton* GetCloseButton() { return &m_closeButton; }
    CTKDockingPaneCaptionButton* GetPinButton() { return &m_pinButton; }
    const CTKDockingPaneCaptionButton* GetCloseButton() const { return &m_closeButton; }
    const CTKDockingPaneCaptionButton* GetPinButton() const { return &m_pinButton; }
    // The pane area in client coordinates, as the renderer leaves it.
    CRect GetPaneArea();

protected:
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonDblClk(UINT flags, CPoint point) override;
    void OnRButtonDown(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnMouseLeave() override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnCaptureChanged(CWnd* wnd) override;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* info) const override;

private:
    CTKDockingPaneHost* Host() const;
    CTKDockingPaneRenderer* Renderer() const;
    BOOL IsLive() const;
    void CreateContainerWindow();
    void FocusSelected();
    void RecalcFrameNow();
    void ClickClose(CPoint point);
    void ClickAutoHide(CPoint point);
    // Starts a pane drag of node at a client point.
    void StartPaneDrag(CTKDockingPaneNode* node, CPoint point);
    BOOL IsInSlideWnd() const;
    // Moves the dragged tab's pane to the place of the tab under the point.
    void DragTab(CPoint point);
    void EndTabDrag();

    CTKDockingPaneCaptionButton m_closeButton;
    CTKDockingPaneCaptionButton m_pinButton;
    std::vector<CTKDockingPaneItem*> m_panes;
    CTKDockingPaneItem* m_selected = nullptr;
    CTKDockingPaneItem* m_draggedTab = nullptr;
    std::vector<CRect> m_tabRects;   // the tabs' places when the drag began
    int m_layoutLock = 0;
    int m_captionKind = kCaptionDocked;
    BOOL m_active = FALSE;
    BOOL m_captionVisible = TRUE;
    BOOL m_tabsVisible = FALSE;
};
