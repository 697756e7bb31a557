#pragma once
// The MDI children of an MDI frame as tabs. Attached to a frame, the tab
// client watches the frame's MDI client (its MDI messages, idle updates,
// size and paint) and keeps one tab per visible child, in one or more tab
// groups drawn by one renderer whose look follows the bar theme of the
// frame's command bars.
//
// Strip mode: one group in a workspace window over the MDI client's area;
// the strip takes its edge of that area and the MDI client the rest.
// Groups mode: the groups are drawn in the MDI client itself, stacked or
// side by side with 5-pixel splitters between them; each group's children
// fill its page area. Tabs move between groups by the commands 9420 to 9423
// and by dragging them out of their strip.

#include "platform/CIconImage.h"
#include "platform/CursorShapes.h"
#include "platform/ui/CMDIFrameWnd.h"
#include "toolkit/commandbars/ITKTabClientRefresh.h"
#include "toolkit/docking/tabs/CTKTabLayoutSink.h"

#include <QCursor>
#include <QPointer>

#include <memory>
#include <string>
#include <vector>

class CCmdUI;
class CDragOutline;
class CMDIClient;
class CTKCommandBars;
class CTKMDITabGroup;
class CTKTabItem;
class CTKTabRenderer;

// Messages between the tab client, the MDI children and the frame.
constexpr UINT kTKMsgTabIcon = 1155;      // to a child: its tab icon (a CIconImage*), or 0
constexpr UINT kTKMsgTabNotify = 1156;    // to the frame: a button went down on the tabs
constexpr UINT kTKMsgTabCaption = 1157;   // to a child: the address of its caption text, or 0
constexpr UINT kTKMsgTabColor = 1158;     // to a child: its tab colour, or 0
constexpr UINT kTKMsgTabTooltip = 1159;   // to a child, wParam the tab: the address of its tooltip, or 0

// The group commands and the drop menu's cancel.
constexpr UINT ID_TABGROUP_PREVIOUS = 9420;
constexpr UINT ID_TABGROUP_NEXT = 9421;
constexpr UINT ID_TABGROUP_NEW_HORIZONTAL = 9422;
constexpr UINT ID_TABGROUP_NEW_VERTICAL = 9423;
constexpr UINT ID_TABGROUP_CANCEL = 9424;
// The picture strip of the two new-group commands.
constexpr UINT kTKTabGroupBitmap = 9422;

class CTKTabClientWnd : public CWnd, public ITKTabClientRefresh {
    DECLARE_DYNAMIC(CTKTabClientWnd)
public:
    // Where a dragged tab would go.
    enum DropKind { kDropNone = 0, kDropMenu = 1, kDropMove = 2, kDropNewHorizontal = 3, kDropNewVertical = 4 };
    static constexpr int kSplitterSize = 5;
    // A drop this close to a group's lower or right edge makes a new group there.
    static constexpr int kDropEdge = 30;
    static constexpr int kTabFixedWidth = 70;
    static constexpr int kTabFixedHeight = 18;
    static constexpr int kTabMaximumWidth = 220;

    CTKTabClientWnd();
    ~CTKTabClientWnd() override;

    // --- What the frame calls ---
    // FALSE when attached already or when the frame has no MDI client.
    BOOL AttachToFrame(CMDIFrameWnd* frame, BOOL groupsMode = FALSE);
    BOOL Detach();
    // Hides or shows the tabs (print preview); ignored in groups mode.
    void SetTabsVisible(BOOL visible);
    // Bit 0: scroll buttons only when needed (else always); bit 1: no close button (else always).
    void SetTabButtonFlags(int flags);
    CTKTabRenderer* GetRenderer() const { return m_renderer; }
    void Refresh() override { Refresh(TRUE); }
    void Refresh(BOOL recalcFrame);
    // Rebuilds the tabs from the MDI children.
    void SyncTabs();
    // Points in client coordinates of the window the tabs are drawn in.
    CTKTabItem* HitTestTab(int x, int y) const;
    BOOL TabPointToScreen(CPoint* point) const;
    BOOL TabPointFromScreen(CPoint* point) const;
    CTKTabItem* FindTab(const CWnd* window) const;

    virtual void ApplyBarTheme();
    virtual std::string GetChildCaption(CWnd* child);
    virtual COLORREF GetChildColor(CTKTabItem* tab);
    virtual CTKMDITabGroup* CreateTabGroup(int index);
    virtual CTKCommandBars* GetCommandBars() const;

    // The frame's layout asks here for the MDI client's rectangle.
    void CalcWindowRect(CRect* rect, UINT adjust = 0) override;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* info) const override;

    // --- Groups ---
    void SetCurrentGroup(CTKMDITabGroup* group);
    CTKMDITabGroup* GetCurrentGroup() const { return m_currentGroup; }
    int GroupIndex(const CTKMDITabGroup* group) const;
    int GetGroupCount() const { return static_cast<int>(m_groups.size()); }
    CTKMDITabGroup* GetGroup(int index) const;
    BOOL IsGroupCommandEnabled(UINT id, CTKTabItem** tab);
    BOOL MoveTab(CTKTabItem* tab, CTKMDITabGroup* target, int kind);
    void OnGroupCommand(UINT id);
    // Shares of two neighbour groups after their splitter was released at
    // trackStart (screen coordinates), within the limit of both groups.
    void ApplySplitterMove(int index, const CRect& limit, int trackStart);
    BOOL IsHorizontalArrangement() const { return m_horizontal; }

    // --- Tab drags between groups ---
    void BeginDragFeedback();
    void DrawDragFeedback(BOOL erase);
    void EndDragFeedback();
    void UpdateDropTarget(int x, int y, CTKTabItem* tab);
    void ShowDropMenu(CPoint point);
    int GetDropKind() const { return m_dropKind; }
    CTKMDITabGroup* GetDropGroup() const { return m_dropGroup; }
    CRect GetDropRect() const { return m_dropRect; }
    const CDragOutline* GetDragOutline() const { return m_outline.get(); }

    // --- State the groups share ---
    CMDIFrameWnd* GetFrame() const { return m_frame; }
    CMDIClient* GetMDIClient() const;
    BOOL IsAttached() const { return m_frame != nullptr; }
    BOOL IsGroupsMode() const { return m_groupsMode; }
    BOOL AreTabsVisible() const { return m_tabsVisible; }
    int GetTabButtonFlags() const { return m_buttonFlags; }
    BOOL IsDeferring() const { return m_deferring; }
    void SetDeferring(BOOL deferring) { m_deferring = deferring; }
    BOOL IsBusy() const { return m_busy; }
    void SetBusy(BOOL busy) { m_busy = busy; }
    void SetLayoutPending(BOOL pending) { m_layoutPending = pending; }
    BOOL IsLayoutPending() const { return m_layoutPending; }
    BOOL IsReorderAllowed() const { return m_reorderAllowed; }
    void SetReorderAllowed(BOOL allowed) { m_reorderAllowed = allowed; }
    int GetAppliedTheme() const { return m_appliedTheme; }
    void SetFollowBarTheme(BOOL follow) { m_followBarTheme = follow; }
    // Given to the tooltips of every workspace window made after.
    void SetToolTipsEnabled(BOOL enabled) { m_toolTips = enabled; }
    // A child of the MDI client that still lives.
    BOOL IsLiveChild(const CWnd* window) const;
    const CIconImage* GetDefaultIcon() const { return &m_defaultIcon; }
    // The frame recalculates its layout at once.
    void RecalcFrame();
    void ShowCursor(UINT cursorId);

private:
    class CClientHook;
    friend class CClientHook;

    // The MDI client's messages; TRUE when handled with *result set.
    BOOL OnClientMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    LRESULT ClientDefault(UINT message, WPARAM wParam, LPARAM lParam);
    void OnClientPaint();
    BOOL OnClientButtonDown(CPoint point);
    BOOL OnClientSetCursor();
    void OnClientMouseMove(CPoint point);
    void OnUpdateGroupCommand(CCmdUI* cmdUI);
    void LayoutStrip(CRect* rect);
    void LayoutGroups(const CRect& rect);
    void ApplyButtonFlags(CTKMDITabGroup* group) const;
    void DeleteGroup(int index);
    void DeleteAllGroups();
    void MoveClientToOrigin();
    void RefreshHotTab();
    BOOL TrackSplitter(int index, CPoint point);
    // The area of group i's whole rectangle and its neighbour's, in screen coordinates.
    CRect SplitterLimit(int index) const;
    void BuildDefaultIcon();

    // Changes of a group reach the frame's layout.
    class CLayoutSink : public CTKTabLayoutSink {
    public:
        explicit CLayoutSink(CTKTabClientWnd* owner) : m_owner(owner) {}
        void OnLayoutChanged() override { m_owner->RecalcFrame(); }

    private:
        CTKTabClientWnd* m_owner;
    };

    CLayoutSink m_layoutSink;
    std::vector<std::unique_ptr<CTKMDITabGroup>> m_groups;
    QPointer<CMDIFrameWnd> m_frame;
    BOOL m_layoutPending = FALSE;
    BOOL m_deferring = FALSE;
    BOOL m_busy = FALSE;
    BOOL m_refreshing = FALSE;
    CTKTabRenderer* m_renderer = nullptr;
    int m_appliedTheme = 1;
    BOOL m_followBarTheme = TRUE;
    CTKMDITabGroup* m_currentGroup = nullptr;
    BOOL m_horizontal = TRUE;
    // Drag feedback.
    CRect m_dropRect;
    CRect m_lastDrawnRect;
    CSize m_lastThickness;
    std::unique_ptr<CDragOutline> m_outline;
    CTKMDITabGroup* m_dropGroup = nullptr;
    int m_dropKind = kDropNone;
    BOOL m_groupsMode = FALSE;
    int m_buttonFlags = 0;
    BOOL m_reorderAllowed = TRUE;
    BOOL m_tabsVisible = TRUE;
    BOOL m_toolTips = FALSE;
    // The tab added last in the current synchronisation.
    CTKTabItem* m_lastAdded = nullptr;
    CIconImage m_defaultIcon;
    std::unique_ptr<CClientHook> m_hook;
};
