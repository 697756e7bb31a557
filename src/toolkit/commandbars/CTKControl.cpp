#include "toolkit/commandbars/CTKControl.h"
#include "toolkit/commandbars/CTKMenuSoundPlayer.h"

#include "platform/CArchive.h"
#include "platform/ui/CCmdUI.h"
#include "platform/ui/CResourceStore.h"
#include "platform/ui/CTrackingLoop.h"
#include "toolkit/commandbars/CTKCommandBar.h"
#include "toolkit/commandbars/CTKCommandBars.h"
#include "toolkit/commandbars/CTKControlDragTracker.h"
#include "toolkit/commandbars/CTKPopupTracker.h"
#include "toolkit/commandbars/CTKControlPopup.h"
#include "toolkit/commandbars/CTKControls.h"
#include "toolkit/commandbars/CTKPopupBar.h"
#include "toolkit/commandbars/draw/CTKBarRenderer.h"
#include "toolkit/commandbars/images/CTKCommandImages.h"

#include <QCursor>

IMPLEMENT_SERIAL(CTKControl, CCmdTarget, 0x80000006)

namespace {

// The first stored schemas that carry the custom caption, and the document
// types with the default item.
constexpr int kSchemaCustomCaption = 2;
constexpr int kSchemaDocumentTypes = 4;

// The field of that index of a text whose fields are split by the separator;
// empty when the text has fewer fields.
std::string SubString(const std::string& text, int index, char separator)
{
    std::size_t start = 0;
    for (int i = 0; i < index; ++i) {
        const std::size_t at = text.find(separator, start);
        if (at == std::string::npos)
            return std::string();
        start = at + 1;
    }
    const std::size_t end = text.find(separator, start);
    return text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

// A command that runs is no longer rarely used; using an item of a menu
// counts as using the menu too.
void MarkUsed(const CTKControl& control)
{
    CTKCommandBar* parent = control.GetParent();
    CTKCommandBars* bars = parent->GetCommandBars();
    if (!bars)
        return;
    if (control.GetID() != 0)
        bars->SetCommandUsed(control.GetID());
    auto* popup = dynamic_cast<CTKPopupBar*>(parent);
    const CTKControlPopup* menu = popup ? popup->GetParentControl() : nullptr;
    if (menu && menu->GetID() != 0)
        bars->SetCommandUsed(menu->GetID());
}

} // namespace

CTKControl::CTKControl() = default;

CTKControl::~CTKControl() = default;

std::string CTKControl::GetTooltip(CPoint*, CRect*, int*) const
{
    return m_strTooltip;
}

void CTKControl::SetBeginGroup(BOOL beginGroup)
{
    m_bBeginGroup = beginGroup;
    DelayLayoutParent();
}

void CTKControl::SetEnabled(BOOL enabled)
{
    if (m_bEnabled == enabled)
        return;
    m_bEnabled = enabled;
    RedrawParent();
}

void CTKControl::SetRect(const CRect& rect)
{
    m_rcControl = rect;
}

BOOL CTKControl::IsEqual(const CTKControl* other) const
{
    if (!other)
        return FALSE;
    return m_nStyle == other->m_nStyle && m_nType == other->m_nType && m_nId == other->m_nId
        && m_bBeginGroup == other->m_bBeginGroup && GetImageId() == other->GetImageId()
        && m_strCaption == other->m_strCaption && m_strTooltip == other->m_strTooltip
        && m_strDescription == other->m_strDescription && m_strExtraText == other->m_strExtraText
        && (m_dwHideFlags & kTKHideCustomize) == (other->m_dwHideFlags & kTKHideCustomize);
}

CTKCommandBar* CTKControl::GetCommandBar() const
{
    return nullptr;
}

void CTKControl::SetHideFlags(DWORD hideFlags)
{
    m_dwHideFlags = hideFlags;
}

void CTKControl::Execute()
{
    m_nPressed = kTKPressedExecuting;
    CTKMenuSoundPlayer::Get().Play(kTKSoundCommand);
    CTKCommandBar* root = m_pParent ? m_pParent->GetRootBar() : nullptr;
    CTKPopupTracker& tracker = CTKPopupTracker::Get();
    if (root && root->GetReturnCommandSlot()) {
        UINT* slot = root->GetReturnCommandSlot();
        tracker.CloseTrackedBars();
        *slot = m_nId;
        return;
    }
    if (!m_pParent)
        return;
    CWnd* owner = m_pParent->GetOwnerSite();
    MarkUsed(*this);
    // The command goes out only after every open menu has closed.
    tracker.CloseTrackedBars();
    if (!owner || m_nId == 0)
        return;
    TKNMCONTROL record;
    record.hdr.idFrom = m_nId;
    record.hdr.code = kTKExecuteCode;
    record.pControl = this;
    if (owner->SendMessage(WM_TK_EXECUTE, m_nId, reinterpret_cast<LPARAM>(&record)) == 0)
        owner->SendMessage(WM_COMMAND, m_nId, 0);
}

CSize CTKControl::GetSize(CDC* dc)
{
    CTKBarRenderer* renderer = GetBarRenderer();
    CSize size;
    if (renderer)
        renderer->DrawControl(&size, dc, this, FALSE);
    return size;
}

void CTKControl::Draw(CDC* dc)
{
    CTKBarRenderer* renderer = GetBarRenderer();
    CSize size;
    if (renderer)
        renderer->DrawControl(&size, dc, this, TRUE);
}

void CTKControl::OnCalcDynamicSize(DWORD)
{
}

UINT CTKControl::GetImageId() const
{
    if (m_nCustomIconId != 0)
        return m_nCustomIconId;
    if (m_nIconId > 0)
        return static_cast<UINT>(m_nIconId);
    return m_nId;
}

CTKCommandIcon* CTKControl::GetIcon(int width)
{
    const UINT imageId = GetImageId();
    if (imageId == 0)
        return nullptr;
    CTKCommandImages* images = GetCommandImages();
    return images ? images->FindIcon(imageId, width) : nullptr;
}

int CTKControl::OnHookKeyDown(UINT)
{
    return 1;
}

void CTKControl::SetParent(CTKCommandBar* parent)
{
    m_pParent = parent;
}

void CTKControl::Copy(const CTKControl* source, BOOL)
{
    if (!source || source == this)
        return;
    m_nId = source->m_nId;
    m_dwTag = source->m_dwTag;
    m_dwFlags = source->m_dwFlags;
    m_nType = source->m_nType;
    m_strCaption = source->m_strCaption;
    m_strShortcutText = source->m_strShortcutText;
    m_strTooltip = source->m_strTooltip;
    m_strDescription = source->m_strDescription;
    m_strParameter = source->m_strParameter;
    m_nCustomIconId = source->m_nCustomIconId;
    m_nIconId = source->m_nIconId;
    m_bTemporary = source->m_bTemporary;
    m_strExtraText = source->m_strExtraText;
    m_strCustomCaption = source->m_strCustomCaption;
    m_dwHideFlags = source->m_dwHideFlags;
    m_bDefaultItem = source->m_bDefaultItem;
    m_bBeginGroup = source->m_bBeginGroup;
    m_shownDocumentTypes = source->m_shownDocumentTypes;
    m_hiddenDocumentTypes = source->m_hiddenDocumentTypes;
}

BOOL CTKControl::SetPopuped(BOOL)
{
    return FALSE;
}

void CTKControl::OnClick(BOOL, CPoint)
{
}

void CTKControl::OnLButtonUp(CPoint)
{
}

void CTKControl::OnRButtonUp(CPoint)
{
}

BOOL CTKControl::OnLButtonDblClk(CPoint point)
{
    OnClick(FALSE, point);
    return TRUE;
}

void CTKControl::OnMouseMove(CPoint)
{
}

void CTKControl::OnMouseHover()
{
    if (!m_pParent)
        return;
    const BOOL closed = m_pParent->SetPopuped(-1, FALSE);
    if (closed && m_pParent->GetPosition() != kTKPositionPopup && m_pParent->GetTrackingMode() == 2)
        m_pParent->SetTrackingMode(0, TRUE, FALSE);
}

BOOL CTKControl::SetSelected(int state)
{
    if (state == m_nSelected)
        return FALSE;
    if (state == kTKSelectedKeyboard && m_pParent)
        m_pParent->SetPopuped(-1, FALSE);
    m_nSelected = state;
    if (m_pParent)
        m_pParent->SetStatusText(state != kTKSelectedNone ? this : nullptr);
    RedrawParent();
    return TRUE;
}

void CTKControl::OnCustomizeMouseDown()
{
    CTKCommandBar* parent = m_pParent;
    CTKCommandBars* bars = parent ? parent->GetCommandBars() : nullptr;
    CTKControlDragTracker* tracker = bars ? bars->GetCustomizeContext() : nullptr;
    if (!tracker)
        return;
    bars->SetCustomizeSelection(this);
    // The drag may take this control out of its bar: keep it alive until the end.
    InternalAddRef();
    const int result = tracker->Track(this, FALSE);
    if ((result == CTKControlDragTracker::kDroppedAway || result == CTKControlDragTracker::kMoved)
        && m_pParent == parent) {
        parent->SetPopuped(-1, FALSE);
        parent->SetSelected(-1, FALSE);
        if (bars->GetCustomizeSelection() == this)
            bars->SetCustomizeSelection(nullptr);
        // The first control of a bar never begins a group.
        const int count = parent->GetControlCount();
        if (m_bBeginGroup && m_nIndex + 1 < count)
            parent->GetControl(m_nIndex + 1)->SetBeginGroup(TRUE);
        if (m_nIndex == 0 && count > 1)
            parent->GetControl(1)->SetBeginGroup(FALSE);
        parent->GetControls()->Remove(this);
        parent->OnRecalcLayout();
    }
    bars->SetCustomizeSelection(bars->GetCustomizeSelection());
    InternalRelease();
}

void CTKControl::OnCustomizeDragOver(CTKControl*, CPoint, DWORD*)
{
    if (!m_pParent)
        return;
    m_pParent->SetPopuped(-1, FALSE);
    m_pParent->SetSelected(-1, FALSE);
}

BOOL CTKControl::IsCustomizeDragOverAvail(CTKCommandBar*, CPoint, DWORD*)
{
    return TRUE;
}

BOOL CTKControl::AcceptLoadedSchema(CArchive& ar, int* schema)
{
    *schema = static_cast<int>(ar.GetObjectSchema());
    if (ar.GetObjectSchema() <= kTKArchiveSchema)
        return TRUE;
    ar.SetError(CArchive::badSchema);
    return FALSE;
}

namespace {

void StoreDocumentTypes(CArchive& ar, const std::set<UINT>& types)
{
    ar.WriteCount(static_cast<DWORD>(types.size()));
    for (UINT type : types)
        ar << static_cast<DWORD>(type) << static_cast<DWORD>(TRUE);
}

std::set<UINT> LoadDocumentTypes(CArchive& ar)
{
    std::set<UINT> types;
    const DWORD count = ar.ReadCount(2 * sizeof(DWORD));
    for (DWORD i = 0; i < count && ar.IsOK(); ++i) {
        DWORD type = 0;
        DWORD value = 0;
        ar >> type >> value;
        types.insert(type);
    }
    return types;
}

} // namespace

void CTKControl::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_nType << m_nId << m_nIconId << m_bBeginGroup << m_dwTag << m_dwFlags << m_dwHideFlags;
        ar << m_strCaption << m_strShortcutText << m_strTooltip << m_strDescription << m_strParameter;
        ar << m_nCustomIconId << m_strExtraText << m_strCustomCaption;
        if (m_nCustomIconId > 0) {
            CTKCommandImages* images = GetCommandImages();
            (images ? images : &CTKCommandImages::Global())->SerializeIcons(m_nCustomIconId, ar);
        }
        StoreDocumentTypes(ar, m_hiddenDocumentTypes);
        StoreDocumentTypes(ar, m_shownDocumentTypes);
        ar << m_bDefaultItem;
        return;
    }
    int schema = 0;
    if (!AcceptLoadedSchema(ar, &schema))
        return;
    m_nLoadedSchema = schema;
    ar >> m_nType >> m_nId >> m_nIconId >> m_bBeginGroup >> m_dwTag >> m_dwFlags >> m_dwHideFlags;
    ar >> m_strCaption >> m_strShortcutText >> m_strTooltip >> m_strDescription >> m_strParameter;
    ar >> m_nCustomIconId >> m_strExtraText;
    if (schema >= kSchemaCustomCaption)
        ar >> m_strCustomCaption;
    if (m_nCustomIconId > 0 && ar.IsOK())
        CTKCommandImages::Global().SerializeIcons(m_nCustomIconId, ar);
    if (schema < kSchemaDocumentTypes)
        return;
    m_hiddenDocumentTypes = LoadDocumentTypes(ar);
    m_shownDocumentTypes = LoadDocumentTypes(ar);
    ar >> m_bDefaultItem;
}

CTKControl* CTKControl::Clone(BOOL recursive) const
{
    auto* clone = dynamic_cast<CTKControl*>(GetRuntimeClass()->CreateObject());
    if (clone)
        clone->Copy(this, recursive);
    return clone;
}

void CTKControl::SetID(UINT id)
{
    if (id == m_nId)
        return;
    m_nId = id;
    std::string text;
    if (!CResourceStore::Instance().FindString(id, &text))
        return;
    m_strTooltip = SubString(text, 1, '\n');
    m_strDescription = SubString(text, 0, '\n');
    if (text.find('\n') == std::string::npos)
        m_strTooltip = text;
    SetCaption(m_strTooltip);
}

void CTKControl::SetCaption(const std::string& text)
{
    std::string caption = text;
    const std::size_t tab = text.find('\t');
    if (tab != std::string::npos) {
        m_strShortcutText = text.substr(tab + 1);
        caption = text.substr(0, tab);
    }
    if (caption == m_strCaption)
        return;
    m_strCaption = caption;
    DelayLayoutParent();
}

void CTKControl::SetCaption(UINT stringId)
{
    std::string text;
    if (CResourceStore::Instance().FindString(stringId, &text))
        SetCaption(text);
}

std::string CTKControl::GetDisplayCaption() const
{
    return m_strCustomCaption.empty() ? m_strCaption : m_strCustomCaption;
}

void CTKControl::SetDefaultItem(BOOL defaultItem)
{
    if (m_bDefaultItem == defaultItem)
        return;
    m_bDefaultItem = defaultItem;
    DelayLayoutParent();
}

void CTKControl::SetHiddenCommand(BOOL hidden)
{
    m_bHiddenCommand = hidden;
    if (!hidden)
        SetHideFlags(m_dwHideFlags & ~kTKHideExpand);
}

void CTKControl::SetChecked(BOOL checked)
{
    if (m_bChecked == checked)
        return;
    m_bChecked = checked;
    RedrawParent();
}

void CTKControl::RedrawParent()
{
    if (m_pParent && m_pParent->IsWindow())
        m_pParent->DelayRedraw();
}

void CTKControl::DelayLayoutParent()
{
    if (m_pParent)
        m_pParent->DelayLayout();
}

void CTKControl::InvalidateParent()
{
    if (m_pParent && m_pParent->IsWindow())
        m_pParent->InvalidateRect(nullptr, FALSE);
}

BOOL CTKControl::IsCursorOver() const
{
    if (!m_pParent)
        return FALSE;
    const QPoint global = QCursor::pos();
    CPoint point(global.x(), global.y());
    m_pParent->ScreenToClient(&point);
    return m_rcControl.PtInRect(point);
}

BOOL CTKControl::IsCustomizeMode() const
{
    return m_pParent ? m_pParent->IsCustomizeMode() : FALSE;
}

CTKCommandImages* CTKControl::GetCommandImages() const
{
    if (m_pParent)
        return m_pParent->GetImageStore();
    return &CTKCommandImages::Global();
}

CTKBarRenderer* CTKControl::GetBarRenderer() const
{
    if (m_pParent)
        return m_pParent->GetBarRenderer();
    return CTKBarRenderer::GetCurrent();
}

void CTKControl::TrackButton(const CRect& area)
{
    if (!m_pParent || !m_pParent->IsWindow())
        return;
    const CRect target = area.IsRectEmpty() ? m_rcControl : area;
    CTKCommandBar* parent = m_pParent;
    parent->SetSelected(m_nIndex, FALSE);
    m_nPressed = kTKPressedMouse;
    InvalidateParent();

    // Whether a move was seen is a flag of its own: a last move to the
    // bar's corner pixel (0, 0) is a move like any other.
    BOOL moveSeen = FALSE;
    CPoint lastMove;
    BOOL execute = FALSE;
    CTrackingLoop loop(parent);
    loop.SetFilter([&](const MSG& msg) -> BOOL {
        if (msg.message == WM_LBUTTONUP) {
            execute = m_nSelected != kTKSelectedNone && (!moveSeen || target.PtInRect(lastMove));
            loop.End();
            return TRUE;
        }
        if (msg.message == WM_MOUSEMOVE) {
            lastMove = CPoint(static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam)));
            moveSeen = TRUE;
            if (SetSelected(m_rcControl.PtInRect(lastMove) ? kTKSelectedHot : kTKSelectedNone))
                InvalidateParent();
            return TRUE;
        }
        return FALSE;
    });
    loop.Run();

    // A drag off the button leaves it unselected while the bar still names
    // it as selected; clear both so that the next hover tracks it again.
    if (m_nSelected != kTKSelectedNone || parent->GetSelectedIndex() == m_nIndex) {
        parent->SetSelected(-1, FALSE);
        m_nSelected = kTKSelectedNone;
    }
    m_nPressed = kTKPressedNone;
    RedrawParent();
    if (execute)
        Execute();
}

CTKControl* CTKControl::FromCmdUI(const CCmdUI* cmdUI)
{
    if (!cmdUI)
        return nullptr;
    auto* bar = dynamic_cast<CTKCommandBar*>(cmdUI->m_pOther);
    return bar ? bar->GetControl(static_cast<int>(cmdUI->m_nIndex)) : nullptr;
}
