#pragma once
// A docking pane: an id, a title ("caption\ntab text"), options and the
// window it hosts. It lives in a tabbed container (its parent node) or is
// closed (no parent); the layout owns it.

#include "platform/CObject.h"
#include "platform/ui/CCmdTarget.h"
#include "toolkit/docking/CTKDockingPaneNode.h"

#include <QPointer>

#include <string>

class CDocument;
class CDC;
class CTKCommandIcon;
class CTKTabRenderer;
class CTKDockingPaneHost;
class CTKDockingPaneTabbedContainer;
class CWnd;

class CTKDockingPaneItem : public CCmdTarget, public CTKDockingPaneNode {
public:
    // Option bits.
    static constexpr DWORD kNoClose = 1;      // no close button; stays when its floating frame closes
    static constexpr DWORD kNoAutoHide = 2;   // no auto-hide button
    static constexpr DWORD kNoFloat = 4;      // never floats
    static constexpr int kPaneIconSize = 16;

    CTKDockingPaneItem(UINT id, const CRect& rect, CTKDockingPaneLayout* layout);

    // The title before its line feed (the whole title without one).
    std::string GetCaption() const;
    // The title after its line feed (the whole title without one).
    std::string GetTabCaption() const;
    const std::string& GetTitle() const { return m_title; }
    void SetTitle(const std::string& title) { m_title = title; }

    void Open();
    void Close();
    void AutoHide();
    // Its container sits in an auto-hide strip.
    BOOL IsAutoHidden() const;

    // Creates a window of viewClass as a child of parent and hosts it; NULL
    // when the class is not creatable or its window fails.
    CWnd* HostView(CWnd* parent, const CRuntimeClass* viewClass, CDocument* document, DWORD style,
                   CWnd* owner, UINT id);
    void SetHostedWindow(CWnd* wnd);
    CWnd* GetHostedWindow() const { return m_hostedWnd; }
    BOOL HasHostedWindow() const { return m_hostedWnd != nullptr; }
    BOOL HasFocus() const;
    void SetFocus();

    BOOL IsClosed() const { return GetParentNode() == nullptr; }
    BOOL IsSelected() const;
    CTKDockingPaneTabbedContainer* GetContainer() const;

    UINT GetId() const { return m_id; }
    DWORD GetOptions() const { return m_options; }
    void SetOptions(DWORD options) { m_options = options; }
    int GetIconId() const { return m_iconId; }
    void SetIconId(int iconId) { m_iconId = iconId; }
    // The 16-pixel icon of the icon id (the pane id while it is -1) in the
    // host's image store; nullptr when the store has none.
    CTKCommandIcon* GetIcon() const;
    // The icon of the pane's tab: FALSE unless the tab renderer shows icons
    // and the pane has one; with draw, its normal image at (x, y).
    BOOL DrawTabIcon(const CTKTabRenderer* renderer, CDC* dc, int x, int y, BOOL draw) const;

    // Moves the hosted window to rect (frame client coordinates).
    void Layout(CWnd* frame, CRect rect, AFX_SIZEPARENTPARAMS* params) override;
    void UpdateIdle() override;
    void SetParentContainer(CTKDockingPaneNode* parent) override;
    // Id, title, icon, options and size; no hosted window.
    CTKDockingPaneNode* Clone(CTKDockingPaneLayout* dest, CloneMap* map) const override;
    void SaveToRegistry(CTKDockingPaneLayout* layout) override;
    BOOL LoadFromRegistry(CTKDockingPaneLayout* layout, const IndexMap& nodesByIndex) override;
    // Shows the hosted window of the selected pane (announcing it first), hides the others.
    void ShowPane(BOOL show);

private:
    CTKDockingPaneHost* Host() const;

    QPointer<CWnd> m_hostedWnd;
    UINT m_id;
    std::string m_title;
    int m_iconId = -1;
    DWORD m_options = 0;
};
