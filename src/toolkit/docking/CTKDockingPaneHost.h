#pragma once
// The docking-pane manager of one frame: an invisible child of the frame
// that takes the frame's layout pass (WM_SIZEPARENT) for its panes and
// hands the rest to the client window, owns the live layout and the
// renderer, and tells the frame what happens to its panes through the
// message kPaneNotify:
//   kNotifyShowing  lParam the pane, sent on each layout of a selected pane,
//                   before its window shows: create the pane's view here
//                   (HostView) when HasHostedWindow is FALSE;
//   kNotifyRightClick lParam the container window;
//   kNotifyClosing  lParam the pane: -1 keeps it open;
//   kNotifyAction   lParam a CTKDockingPaneAction, refused by setting cancel.
//
// The frame creates its panes in OnCreate:
//   host.AttachToFrame(this);
//   CTKDockingPaneItem* tree = host.NewPane(32690, CRect(0, 0, 230, 140), kDockLeft, nullptr);
//   ...
//   host.PlacePane(catalogue, tree);   // tabs in tree's container
//   host.OpenPane(tree);

#include "platform/ui/CWnd.h"

#include <memory>

class CFrameWnd;
class CTKCommandImages;
class CTKDockingPaneItem;
class CTKDockingPaneLayout;
class CTKDockingPaneMiniWnd;
class CTKDockingPaneNode;
class CTKDockingPaneRenderer;
class CTKDockingPaneTabbedContainer;

// What kNotifyAction carries; the frame sets cancel to refuse.
struct CTKDockingPaneAction {
    int action = 0;
    int cancel = 0;
    CTKDockingPaneItem* pane = nullptr;
    CTKDockingPaneNode* target = nullptr;
    int extra = 0;
};

class CTKDockingPaneHost : public CWnd {
public:
    static constexpr UINT kPaneNotify = 35302;
    enum NotifyKind { kNotifyShowing = 1, kNotifyRightClick = 2, kNotifyClosing = 3, kNotifyAction = 4 };
    enum Action {
        kActionFloating = 0,
        kActionFloated = 1,
        kActionClosing = 2,
        kActionClosed = 3,
        kActionDocking = 4,
        kActionDocked = 5,
        kActionAttaching = 6,
        kActionAttached = 7,
        kActionAutoHiding = 8,
        kActionAutoHidden = 9
    };
    enum Direction { kDockLeft = 0, kDockRight = 1, kDockTop = 2, kDockBottom = 3 };
    static constexpr LRESULT kVeto = -1;

    CTKDockingPaneHost();
    ~CTKDockingPaneHost() override;

    // Binds the host to its frame once: the host window and the live layout.
    BOOL AttachToFrame(CFrameWnd* frame);
    // A new pane of size rect docked on a side of neighbour (NULL: of everything).
    CTKDockingPaneItem* NewPane(UINT id, const CRect& rect, int direction, CTKDockingPaneNode* neighbour);
    // Moves node's panes into target's container as tabs.
    void PlacePane(CTKDockingPaneNode* node, CTKDockingPaneNode* target);
    void OpenPane(CTKDockingPaneItem* pane);
    void OpenPaneById(UINT id);
    void ClosePane(CTKDockingPaneItem* pane);
    // Moves the node's container (a pane stands for its container) into the
    // auto-hide strip of its side; one already there only slides back in.
    // The frame's "Hide output windows" command calls it for the output pane.
    void AutoHidePane(CTKDockingPaneNode* node);
    void CloseAllPanes();
    // dest becomes a window-less copy of the live layout.
    void CopyLayoutTo(CTKDockingPaneLayout* dest) const;
    CTKDockingPaneItem* FindPane(UINT id) const;
    // Drawing style 0, 1, 2, 3, 5 or 6; another value changes nothing.
    BOOL SetStyle(int type);

    void DockNode(CTKDockingPaneNode* node, int direction, CTKDockingPaneNode* neighbour);
    // Takes node out of its place and docks it on a side of neighbour.
    void MoveNode(CTKDockingPaneNode* node, int direction, CTKDockingPaneNode* neighbour);
    void AttachToContainer(CTKDockingPaneNode* node, CTKDockingPaneNode* target);
    // Floats node in a new floating frame at rect (screen coordinates).
    CTKDockingPaneMiniWnd* FloatNode(CTKDockingPaneNode* node, const CRect& rect);
    // Docked panes float, floating ones go back to their holders.
    void ToggleDocking(CTKDockingPaneNode* node);
    BOOL TogglePaneDocking(CTKDockingPaneItem* pane, CTKDockingPaneNode* holder);
    CTKDockingPaneNode* GetHolder(CTKDockingPaneItem* pane, BOOL docked);
    void UpdateHolders();
    // Sends kPaneNotify to the frame.
    LRESULT Notify(WPARAM kind, LPARAM lParam);
    // Asks the action; TRUE when the frame refused it.
    BOOL NotifyAction(int action, CTKDockingPaneItem* pane, CTKDockingPaneNode* target, int extra = 0);
    void RecalcFrames();

    CFrameWnd* GetFrame() const { return m_frame; }
    CTKDockingPaneLayout* GetLayout() const { return m_layout.get(); }
    CTKDockingPaneRenderer* GetRenderer() const { return m_renderer.get(); }
    // The host's own image store: the pane icons, under the panes' icon ids.
    CTKCommandImages* GetImages() const { return m_images.get(); }
    int GetStyleType() const;

    BOOL hideClient = FALSE;
    BOOL trackSplitters = TRUE;
    BOOL redocking = FALSE;
    BOOL lockSplitters = FALSE;

protected:
    LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam) override;
    void OnIdleUpdateCmdUI(BOOL disableIfNoHandler) override;

private:
    LRESULT OnSysColorChange(WPARAM wParam, LPARAM lParam);
    LRESULT OnSettingChange(WPARAM wParam, LPARAM lParam);
    // In a floating frame or the sliding window of a strip.
    static BOOL IsFloating(const CTKDockingPaneItem* pane);
    // Takes a node out of its parent; containers and groups move whole.
    static void Detach(CTKDockingPaneNode* node);

    CFrameWnd* m_frame = nullptr;
    std::unique_ptr<CTKDockingPaneLayout> m_layout;
    std::unique_ptr<CTKDockingPaneRenderer> m_renderer;
    std::unique_ptr<CTKCommandImages> m_images;
};
