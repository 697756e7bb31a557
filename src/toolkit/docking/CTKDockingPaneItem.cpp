#include "toolkit/docking/CTKDockingPaneItem.h"

#include "platform/ui/CDocument.h"
#include "platform/ui/CResourceStore.h"
#include "platform/ui/CView.h"
#include "platform/ui/CWnd.h"
#include "toolkit/commandbars/images/CTKCommandIcon.h"
#include "toolkit/commandbars/images/CTKCommandImages.h"
#include "toolkit/docking/CTKDockingPaneHost.h"
#include "toolkit/docking/CTKDockingPaneLayout.h"
#include "toolkit/docking/CTKDockingPaneTabbedContainer.h"
#include "toolkit/docking/tabs/CTKTabRenderer.h"

CTKDockingPaneItem::CTKDockingPaneItem(UINT id, const CRect& rect, CTKDockingPaneLayout* layout)
    : CTKDockingPaneNode(kPane, layout), m_id(id), m_title(CResourceStore::Instance().LoadString(id))
{
    dockingCX = rect.Width();
    dockingCY = rect.Height();
    SetRect(rect);
}

CTKCommandIcon* CTKDockingPaneItem::GetIcon() const
{
    CTKDockingPaneHost* host = Host();
    if (host == nullptr)
        return nullptr;
    const UINT iconId = m_iconId == -1 ? m_id : static_cast<UINT>(m_iconId);
    return host->GetImages()->FindIcon(iconId, kPaneIconSize);
}

BOOL CTKDockingPaneItem::DrawTabIcon(const CTKTabRenderer* renderer, CDC* dc, int x, int y, BOOL draw) const
{
    if (renderer == nullptr || !renderer->IsShowIcons())
        return FALSE;
    CTKCommandIcon* icon = GetIcon();
    if (icon == nullptr)
        return FALSE;
    if (draw)
        icon->DrawImage(dc, x, y, icon->GetNormalImage(), kPaneIconSize, 0);
    return TRUE;
}

std::string CTKDockingPaneItem::GetCaption() const
{
    const auto feed = m_title.find('\n');
    return feed == std::string::npos ? m_title : m_title.substr(0, feed);
}

std::string CTKDockingPaneItem::GetTabCaption() const
{
    const auto feed = m_title.find('\n');
    return feed == std::string::npos ? m_title : m_title.substr(feed + 1);
}

CTKDockingPaneHost* CTKDockingPaneItem::Host() const
{
    return GetLayout() ? GetLayout()->GetHost() : nullptr;
}

void CTKDockingPaneItem::Open()
{
    if (Host())
        Host()->OpenPane(this);
}

void CTKDockingPaneItem::Close()
{
    if (Host())
        Host()->ClosePane(this);
}

void CTKDockingPaneItem::AutoHide()
{
    if (Host())
        Host()->AutoHidePane(this);
}

BOOL CTKDockingPaneItem::IsAutoHidden() const
{
    CTKDockingPaneTabbedContainer* container = GetContainer();
    return container && container->GetParentNode() && container->GetParentNode()->GetType() == kAutoHideStrip;
}

CWnd* CTKDockingPaneItem::HostView(CWnd* parent, const CRuntimeClass* viewClass, CDocument* document, DWORD style,
                                   CWnd* owner, UINT id)
{
    if (!viewClass || !parent)
        return nullptr;
    CObject* object = viewClass->CreateObject();
    auto* wnd = dynamic_cast<CWnd*>(object);
    if (!wnd) {
        delete object;
        return nullptr;
    }
    auto* view = dynamic_cast<CView*>(wnd);
    if (view && document)
        document->AddView(view);
    if (!wnd->Create(parent, CRect(), id, style)) {
        delete wnd;
        return nullptr;
    }
    wnd->SetOwner(owner ? owner : parent);
    SetHostedWindow(wnd);
    return wnd;
}

void CTKDockingPaneItem::SetHostedWindow(CWnd* wnd)
{
    if (!wnd)
        return;
    m_hostedWnd = wnd;
    if (Host())
        Host()->RecalcFrames();
    if (CTKDockingPaneTabbedContainer* container = GetContainer())
        wnd->SetParent(container);
}

BOOL CTKDockingPaneItem::HasFocus() const
{
    CWnd* focus = CWnd::GetFocus();
    return m_hostedWnd && focus && (focus == m_hostedWnd || m_hostedWnd->isAncestorOf(focus));
}

void CTKDockingPaneItem::SetFocus()
{
    if (m_hostedWnd && !HasFocus())
        m_hostedWnd->SetFocus();
}

BOOL CTKDockingPaneItem::IsSelected() const
{
    CTKDockingPaneTabbedContainer* container = GetContainer();
    return container && container->GetSelected() == this;
}

CTKDockingPaneTabbedContainer* CTKDockingPaneItem::GetContainer() const
{
    return dynamic_cast<CTKDockingPaneTabbedContainer*>(GetParentNode());
}

void CTKDockingPaneItem::Layout(CWnd* frame, CRect rect, AFX_SIZEPARENTPARAMS* params)
{
    SetParentFrame(frame);
    SetRect(rect);
    CTKDockingPaneTabbedContainer* container = GetContainer();
    if (!params || !m_hostedWnd || !container || !frame)
        return;
    CRect place = rect;
    frame->ClientToScreen(&place);
    container->ScreenToClient(&place);
    m_hostedWnd->MoveWindow(place, TRUE);
}

void CTKDockingPaneItem::UpdateIdle()
{
    if (CTKDockingPaneTabbedContainer* container = GetContainer())
        container->UpdateIdle();
}

void CTKDockingPaneItem::SetParentContainer(CTKDockingPaneNode* parent)
{
    CTKDockingPaneNode::SetParentContainer(parent);
    CTKDockingPaneTabbedContainer* container = GetContainer();
    if (!m_hostedWnd)
        return;
    if (container) {
        m_hostedWnd->SetParent(container);
        return;
    }
    m_hostedWnd->ShowWindow(SW_HIDE);
    if (Host())
        m_hostedWnd->SetParent(Host());
    SetParentFrame(nullptr);
}

CTKDockingPaneNode* CTKDockingPaneItem::Clone(CTKDockingPaneLayout* dest, CloneMap* map) const
{
    auto* copy = dest->CreateNode<CTKDockingPaneItem>(m_id, GetRect(), dest);
    copy->m_title = m_title;
    copy->m_iconId = m_iconId;
    copy->m_options = m_options;
    copy->dockingCX = dockingCX;
    copy->dockingCY = dockingCY;
    (*map)[this] = copy;
    return copy;
}

void CTKDockingPaneItem::ShowPane(BOOL show)
{
    if (show && Host())
        Host()->Notify(CTKDockingPaneHost::kNotifyShowing, reinterpret_cast<LPARAM>(this));
    if (m_hostedWnd)
        m_hostedWnd->ShowWindow(show ? SW_SHOW : SW_HIDE);
}

void CTKDockingPaneItem::SaveToRegistry(CTKDockingPaneLayout* layout)
{
    CTKDockingPaneNode::SaveToRegistry(layout);
    const std::string key = IndexName(savedIndex);
    layout->WriteString(key, "Title", m_title);
    layout->WriteInt(key, "ID", static_cast<int>(m_id));
    layout->WriteInt(key, "IconID", m_iconId);
    layout->WriteInt(key, "Options", static_cast<int>(m_options));
    const CTKDockingPaneLayout::PaneEntry* entry = layout->FindEntry(this);
    if (!entry)
        return;
    layout->WriteInt(key, "DockingHolder", SavedIndexOf(entry->dockingHolder));
    layout->WriteInt(key, "FloatingHolder", SavedIndexOf(entry->floatingHolder));
    layout->WriteInt(key, "LastHolder", SavedIndexOf(entry->lastHolder));
}

BOOL CTKDockingPaneItem::LoadFromRegistry(CTKDockingPaneLayout* layout, const IndexMap& nodesByIndex)
{
    CTKDockingPaneNode::LoadFromRegistry(layout, nodesByIndex);
    const std::string key = IndexName(savedIndex);
    m_title = layout->ReadString(key, "Title", std::string());
    const int id = layout->ReadInt(key, "ID", 0);
    m_id = static_cast<UINT>(id);
    m_iconId = layout->ReadInt(key, "IconID", -1);
    m_options = static_cast<DWORD>(layout->ReadInt(key, "Options", static_cast<int>(m_options)));
    CTKDockingPaneLayout::PaneEntry entry;
    entry.pane = this;
    entry.dockingHolder = LookupIndex(nodesByIndex, layout->ReadInt(key, "DockingHolder", 0));
    entry.floatingHolder = LookupIndex(nodesByIndex, layout->ReadInt(key, "FloatingHolder", 0));
    entry.lastHolder = LookupIndex(nodesByIndex, layout->ReadInt(key, "LastHolder", 0));
    layout->GetEntries().push_back(entry);
    return id > 0;
}
