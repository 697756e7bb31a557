#include "toolkit/commandbars/CTKControls.h"

#include "platform/CArchive.h"
#include "platform/ui/CFrameWnd.h"
#include "platform/ui/CMenu.h"
#include "toolkit/commandbars/CTKCommandBar.h"
#include "toolkit/commandbars/CTKCommandBars.h"
#include "toolkit/commandbars/CTKControl.h"
#include "toolkit/commandbars/CTKControlButton.h"
#include "toolkit/commandbars/CTKControlComboBox.h"
#include "toolkit/commandbars/CTKControlCustom.h"
#include "toolkit/commandbars/CTKControlEdit.h"
#include "toolkit/commandbars/CTKControlOleItems.h"
#include "toolkit/commandbars/CTKControlPopup.h"
#include "toolkit/commandbars/CTKControlRecentFileList.h"
#include "toolkit/commandbars/CTKControlToolbars.h"
#include "toolkit/commandbars/CTKControlWindowList.h"
#include "toolkit/commandbars/CTKControlWorkspaceActions.h"
#include "toolkit/commandbars/CTKPopupBar.h"
#include "toolkit/commandbars/draw/CTKBarRenderer.h"

#include <algorithm>

IMPLEMENT_SERIAL(CTKControls, CCmdTarget, 0xFFFF)

CTKControls::CTKControls() = default;

CTKControls::~CTKControls()
{
    RemoveAll();
    ReleaseReferenceCopy();
}

void CTKControls::SetParent(CTKCommandBar* parent)
{
    m_pParent = parent;
    if (!m_controls.empty())
        RefreshIndexes();
}

CTKCommandBars* CTKControls::GetCommandBars() const
{
    return m_pParent ? m_pParent->GetCommandBars() : m_pCommandBars;
}

void CTKControls::RefreshIndexes()
{
    for (std::size_t i = 0; i < m_controls.size(); ++i) {
        CTKControl* control = m_controls[i];
        control->m_nIndex = static_cast<int>(i);
        control->m_pControls = this;
        control->SetParent(m_pParent);
    }
    if (m_pParent)
        m_pParent->OnControlsChanged();
}

CTKControl* CTKControls::GetAt(int index) const
{
    if (index < 0 || index >= GetCount())
        return nullptr;
    return m_controls[static_cast<std::size_t>(index)];
}

void CTKControls::GetNext(CTKControl*& control) const
{
    control = control ? GetAt(control->GetIndex() + 1) : nullptr;
}

CTKControl* CTKControls::FindControl(UINT id) const
{
    return FindControl(0, id, FALSE, FALSE);
}

CTKControl* CTKControls::FindControl(int type, UINT id, BOOL visibleOnly, BOOL recursive) const
{
    for (CTKControl* control : m_controls) {
        const BOOL typeMatches = type == 0 || type == control->GetType();
        const BOOL shown = !visibleOnly || control->GetHideFlags() == 0;
        const BOOL idMatches = id == static_cast<UINT>(-1) || id == control->GetID();
        if (typeMatches && shown && idMatches)
            return control;
        const int kind = control->GetType();
        const BOOL popup = kind == kTKControlPopup || kind == kTKControlButtonPopup || kind == kTKControlSplitButtonPopup;
        CTKCommandBar* child = control->GetCommandBar();
        if (!recursive || !popup || !child)
            continue;
        if (CTKControl* found = child->GetControls()->FindControl(type, id, visibleOnly, recursive))
            return found;
    }
    return nullptr;
}

CTKControl* CTKControls::HitTest(CPoint point) const
{
    for (CTKControl* control : m_controls) {
        if (control->GetHideFlags() == 0 && control->GetRect().PtInRect(point))
            return control;
    }
    return nullptr;
}

int CTKControls::GetVisibleCount(BOOL strict) const
{
    int count = 0;
    for (const CTKControl* control : m_controls) {
        const DWORD hidden = control->GetHideFlags();
        if (hidden == 0 || (!strict && hidden == kTKHideWrap))
            ++count;
    }
    return count;
}

void CTKControls::InsertAt(CTKControl* control, int before)
{
    if (before < 0 || before >= GetCount())
        m_controls.push_back(control);
    else
        m_controls.insert(m_controls.begin() + before, control);
}

namespace {

BOOL IsPopupType(int type)
{
    return type == kTKControlPopup || type == kTKControlButtonPopup || type == kTKControlSplitButtonPopup;
}

// Menu resource ids are the low word of a popup control's id.
UINT MenuResourceOf(UINT id)
{
    return id & 0xFFFF;
}

} // namespace

CTKPopupBar* CTKControls::PopupBarFromSite(UINT id, std::string* caption) const
{
    if (CWnd* site = FindSite()) {
        TKPOPUPBARRECORD record;
        record.pszCaption = caption->c_str();
        record.nId = id;
        const LRESULT answer = site->SendMessage(WM_TK_POPUP_BAR, 0, reinterpret_cast<LPARAM>(&record));
        if (answer != 0) {
            if (auto* bar = dynamic_cast<CTKPopupBar*>(record.pBar)) {
                *caption = record.pszCaption ? record.pszCaption : "";
                return bar;
            }
        }
    }
    return CTKPopupBar::NewPopupBar(GetCommandBars());
}

CTKControl* CTKControls::CreatePopupOfResource(int type, UINT id) const
{
    CMenu menu;
    BOOL loaded = FALSE;
    std::string caption;
    // Ids above 0x7FFFFFFF count as negative: no resource to load.
    if (static_cast<int>(id) > 0 && menu.LoadMenu(MenuResourceOf(id))) {
        loaded = TRUE;
        caption = menu.GetMenuString(0, MF_BYPOSITION);
    }
    CTKPopupBar* child = PopupBarFromSite(id, &caption);
    auto* control = new CTKControlPopup;
    control->m_strCaption = caption;
    if (loaded) {
        if (const CMenu* submenu = menu.GetSubMenu(0))
            child->LoadMenu(submenu, TRUE);
    }
    control->SetCommandBar(child);
    child->InternalRelease();
    // A type-2 popup is a plain submenu; the others are buttons whose
    // command is the menu resource.
    if (type != kTKControlPopup)
        control->SetID(id);
    return control;
}

CTKControl* CTKControls::NewControlOfType(int type)
{
    switch (type) {
    case kTKControlButton:
        return new CTKControlButton;
    case kTKControlPopup:
    case kTKControlButtonPopup:
    case kTKControlSplitButtonPopup:
        return new CTKControlPopup;
    case kTKControlComboBox:
        return new CTKControlComboBox;
    case kTKControlEdit:
        return new CTKControlEdit;
    default:
        return nullptr;
    }
}

CTKControl* CTKControls::AddNewControl(int type, UINT id, const std::string& parameter, int before, BOOL temporary)
{
    // A hosted window keeps the button type it was made with.
    if (type == kTKControlCustom)
        return InsertControl(new CTKControlCustom, id, parameter, before, temporary);
    CTKControl* control = nullptr;
    if (IsPopupType(type)) {
        control = CreatePopupOfResource(type, id);
    } else {
        control = NewControlOfType(type);
        if (control)
            control->SetID(id);
    }
    if (!control)
        return nullptr;
    control->SetType(type);
    control->m_strParameter = parameter;
    control->m_bTemporary = temporary;
    InsertAt(control, before);
    RefreshIndexes();
    return control;
}

CTKControl* CTKControls::InsertControl(CTKControl* control, UINT id, const std::string& parameter, int before,
                                       BOOL temporary)
{
    if (!control)
        return nullptr;
    control->m_strParameter = parameter;
    control->m_bTemporary = temporary;
    control->SetID(id);
    InsertAt(control, before);
    RefreshIndexes();
    return control;
}

CTKControl* CTKControls::AddClone(const CTKControl* source, int before, BOOL recursive)
{
    if (!source)
        return nullptr;
    CTKControl* clone = source->Clone(recursive);
    if (!clone)
        return nullptr;
    InsertAt(clone, before);
    RefreshIndexes();
    return clone;
}

CWnd* CTKControls::FindSite() const
{
    const CTKCommandBars* commandBars = GetCommandBars();
    if (CWnd* frame = commandBars ? commandBars->GetFrame() : nullptr)
        return frame;
    if (!m_pParent)
        return nullptr;
    return m_pParent->GetSite();
}

CTKControl* CTKControls::CreateButtonFor(UINT id, const std::string& text)
{
    // The window list, workspace actions, toolbars list, OLE verbs and
    // recent files are list controls of their own.
    switch (id) {
    case kTKWindowListId:
        return new CTKControlWindowList;
    case kTKWorkspaceActionsId:
        return new CTKControlWorkspaceActions;
    case kTKToolbarsListId:
        return new CTKControlToolbars;
    case kTKOleVerbsId:
        if (text == kTKOleVerbsText)
            return new CTKControlOleItems;
        return new CTKControlButton;
    case kTKRecentFileFirstId:
        return new CTKControlRecentFileList;
    default:
        return new CTKControlButton;
    }
}

CTKControl* CTKControls::CreatePopupFor(const CMenu* menu, int position, UINT id, const std::string& text) const
{
    std::string title = text;
    CTKBarRenderer::StripMnemonicAmpersands(title);
    CTKPopupBar* child = PopupBarFromSite(id, &title);
    child->SetTitle(title);
    if (const CMenu* submenu = menu->GetSubMenu(position)) {
        child->LoadMenu(submenu, FALSE);
    } else if (id != 0) {
        CMenu resource;
        const CMenu* first = resource.LoadMenu(MenuResourceOf(id)) ? resource.GetSubMenu(0) : nullptr;
        if (first)
            child->LoadMenu(first, FALSE);
    }
    auto* control = new CTKControlPopup;
    control->SetCommandBar(child);
    child->InternalRelease();
    return control;
}

CTKControl* CTKControls::AddMenuItem(const CMenu* menu, int position)
{
    if (!menu)
        return nullptr;
    const CMenu* submenu = menu->GetSubMenu(position);
    UINT id = menu->GetMenuItemID(position);
    if (id == kTKMdiFirstChildId)
        return nullptr;
    std::string text = menu->GetMenuString(static_cast<UINT>(position), MF_BYPOSITION);
    int type = submenu ? kTKControlPopup : kTKControlButton;

    CTKControl* control = nullptr;
    if (CWnd* site = FindSite()) {
        TKMENUITEMRECORD record;
        record.nId = id;
        record.nPosition = position;
        record.pMenu = menu;
        record.pBar = m_pParent;
        record.strCaption = text;
        record.nType = type;
        if (site->SendMessage(WM_TK_MENUITEM_CONTROL, 0, reinterpret_cast<LPARAM>(&record)) != 0) {
            type = record.nType;
            control = record.pControl;
            text = record.strCaption;
            id = record.nId;
        }
    }
    if (!control && IsPopupType(type))
        control = CreatePopupFor(menu, position, id, text);
    if (!control) {
        if (type != kTKControlButton)
            return nullptr;
        control = CreateButtonFor(id, text);
    }
    control->SetType(type);
    control->SetID(id);
    control->SetCaption(text);
    m_controls.push_back(control);
    RefreshIndexes();
    return control;
}

void CTKControls::Remove(CTKControl* control)
{
    if (!control)
        return;
    if (control->GetSelected() != kTKSelectedNone && m_pParent)
        m_pParent->SetSelected(-1, FALSE);
    const int index = control->GetIndex();
    if (index < 0 || index >= GetCount() || m_controls[static_cast<std::size_t>(index)] != control)
        return;
    m_controls.erase(m_controls.begin() + index);
    control->m_pControls = nullptr;
    control->SetParent(nullptr);
    control->InternalRelease();
    RefreshIndexes();
}

void CTKControls::Remove(int index)
{
    Remove(GetAt(index));
}

void CTKControls::RemoveAll()
{
    std::vector<CTKControl*> controls;
    controls.swap(m_controls);
    for (CTKControl* control : controls) {
        control->m_pControls = nullptr;
        control->SetParent(nullptr);
        control->InternalRelease();
    }
}

int CTKControls::GetNextIndex(int index, int step, BOOL keyboard, BOOL skipTemporary) const
{
    const int count = GetCount();
    if (count == 0)
        return -1;
    const BOOL fromEnd = index == -1 && step == -1;
    const BOOL fromStart = index == -1 && step == 1;
    int candidate = fromEnd ? count - 1 : index + step;
    if (candidate == index)
        return candidate;
    for (;;) {
        if (candidate >= count) {
            if (fromStart)
                return -1;
            candidate = 0;
        } else if (candidate < 0) {
            if (fromEnd)
                return -1;
            candidate = count - 1;
        }
        if (candidate == index)
            return index;
        const CTKControl* control = m_controls[static_cast<std::size_t>(candidate)];
        const BOOL shown = (control->GetHideFlags() & ~kTKHideScroll) == 0;
        const BOOL reachable = !keyboard || (control->GetFlags() & kTKFlagSkipKeyboard) == 0;
        const BOOL kept = !skipTemporary || !control->IsTemporary();
        if (shown && reachable && kept)
            return candidate;
        candidate += step;
    }
}

CTKControls* CTKControls::Duplicate(BOOL recursive) const
{
    auto* copy = new CTKControls;
    for (const CTKControl* control : m_controls) {
        if (control->IsTemporary())
            continue;
        if (CTKControl* clone = control->Clone(recursive))
            copy->m_controls.push_back(clone);
    }
    copy->RefreshIndexes();
    if (m_pReferenceCopy)
        copy->m_pReferenceCopy = m_pReferenceCopy->Duplicate(recursive);
    return copy;
}

BOOL CTKControls::IsEqual(const CTKControls* other) const
{
    if (!other)
        return FALSE;
    auto next = [](const std::vector<CTKControl*>& list, std::size_t at) {
        while (at < list.size() && list[at]->IsTemporary())
            ++at;
        return at;
    };
    std::size_t mine = next(m_controls, 0);
    std::size_t theirs = next(other->m_controls, 0);
    while (mine < m_controls.size() && theirs < other->m_controls.size()) {
        if (!m_controls[mine]->IsEqual(other->m_controls[theirs]))
            return FALSE;
        mine = next(m_controls, mine + 1);
        theirs = next(other->m_controls, theirs + 1);
    }
    return mine == m_controls.size() && theirs == other->m_controls.size();
}

CTKControls* CTKControls::CreateReferenceCopy()
{
    ReleaseReferenceCopy();
    m_pReferenceCopy = Duplicate(TRUE);
    return m_pReferenceCopy;
}

void CTKControls::SetReferenceCopy(CTKControls* reference)
{
    ReleaseReferenceCopy();
    m_pReferenceCopy = reference;
}

namespace {

// The first stored schema that carries the reference copy.
constexpr int kSchemaReferenceCopy = 3;
// The smallest stored control: its class tag and fixed fields.
constexpr size_t kMinStoredControl = 2;
// A reference copy and the discarded collection after it nest one level
// each; stored collections never nest deeper.
constexpr int kMaxNesting = 2;

} // namespace

void CTKControls::Serialize(CArchive& ar, int schema)
{
    if (ar.IsStoring()) {
        const auto stored = static_cast<DWORD>(std::count_if(m_controls.begin(), m_controls.end(),
                                                             [](const CTKControl* c) { return !c->IsTemporary(); }));
        ar << stored;
        for (const CTKControl* control : m_controls)
            if (!control->IsTemporary())
                ar.WriteObject(control);
        ar << static_cast<DWORD>(m_pReferenceCopy ? TRUE : FALSE);
        if (m_pReferenceCopy)
            m_pReferenceCopy->Serialize(ar, schema);
        ar << static_cast<DWORD>(0);
        return;
    }
    Load(ar, schema, 0);
}

void CTKControls::Load(CArchive& ar, int schema, int depth)
{
    if (depth > kMaxNesting) {
        ar.SetError(CArchive::badCount);
        return;
    }
    DWORD count = 0;
    ar >> count;
    if (count > ar.GetRemaining() / kMinStoredControl)
        ar.SetError(CArchive::badCount);
    for (DWORD i = 0; i < count && ar.IsOK(); ++i) {
        CObject* object = ar.ReadObject(RUNTIME_CLASS(CTKControl));
        auto* control = dynamic_cast<CTKControl*>(object);
        if (!control || !ar.IsOK()) {
            delete object;
            if (ar.IsOK())
                ar.SetError(CArchive::badClass);
            break;
        }
        m_controls.push_back(control);
    }
    DWORD hasReference = 0;
    if (schema >= kSchemaReferenceCopy && ar.IsOK()) {
        ar >> hasReference;
        if (hasReference) {
            auto* reference = new CTKControls;
            reference->Load(ar, schema, depth + 1);
            SetReferenceCopy(reference);
        }
    }
    DWORD further = 0;
    if (ar.IsOK())
        ar >> further;
    if (further && ar.IsOK()) {
        auto* discarded = new CTKControls;
        discarded->Load(ar, schema, depth + 1);
        discarded->InternalRelease();
    }
    if (!ar.IsOK()) {
        RemoveAll();
        ReleaseReferenceCopy();
        return;
    }
    RefreshIndexes();
}

void CTKControls::ReleaseReferenceCopy()
{
    if (!m_pReferenceCopy)
        return;
    m_pReferenceCopy->InternalRelease();
    m_pReferenceCopy = nullptr;
}

BOOL CTKControls::IsChanged() const
{
    if (!m_pReferenceCopy)
        return FALSE;
    return !m_pReferenceCopy->IsEqual(this);
}

namespace {

// Room between two groups.
constexpr int kGroupGap = 6;
// The widest a row of a floating bar can get.
constexpr int kWidestRow = 32767;
// The size of a bar without visible controls, before borders.
constexpr CSize kEmptyBarSize{23, 22};

int RecordLength(const TKLAYOUTRECORD& record, BOOL vertical)
{
    return vertical ? record.size.cy : record.size.cx;
}

BOOL IsPlaced(const TKLAYOUTRECORD& record)
{
    return record.visible && !record.notFit;
}

} // namespace

int CTKControls::WrapRecords(std::vector<TKLAYOUTRECORD>& records, int width, DWORD* mode)
{
    const BOOL vertical = (*mode & kTKLayoutVertDock) != 0;
    const BOOL singleRow = (*mode & kTKLayoutSingleRow) != 0;
    const int count = static_cast<int>(records.size());
    int running = 0;
    int wraps = 0;
    int firstVisible = -1;
    for (int i = 0; i < count; ++i) {
        TKLAYOUTRECORD& record = records[static_cast<std::size_t>(i)];
        record.wrap = FALSE;
        record.notFit = FALSE;
        if (!record.visible)
            continue;
        const BOOL first = firstVisible < 0;
        if (first)
            firstVisible = i;
        running += RecordLength(record, vertical) + (record.beginGroup && !first ? kGroupGap : 0);
        if (running <= width || first)
            continue;
        if (singleRow) {
            for (int j = i; j < count; ++j)
                records[static_cast<std::size_t>(j)].notFit = TRUE;
            *mode |= kTKLayoutStretch;
            return wraps;
        }
        // Break at the group that holds this control when the row has one;
        // the first control never breaks, or its row would be empty.
        int breakAt = i;
        for (int j = i; j > firstVisible && !records[static_cast<std::size_t>(j)].wrap; --j) {
            const TKLAYOUTRECORD& candidate = records[static_cast<std::size_t>(j)];
            if (candidate.beginGroup && candidate.visible) {
                breakAt = j;
                break;
            }
        }
        TKLAYOUTRECORD& breaking = records[static_cast<std::size_t>(breakAt)];
        breaking.wrap = TRUE;
        running = RecordLength(breaking, vertical);
        *mode |= kTKLayoutStretch;
        ++wraps;
        i = breakAt;
    }
    return wraps + 1;
}

CSize CTKControls::PlaceRecords(std::vector<TKLAYOUTRECORD>& records, BOOL vertical)
{
    int along = 0;
    int across = 0;
    int thickness = 0;
    BOOL first = TRUE;
    CSize extent;
    for (TKLAYOUTRECORD& record : records) {
        if (!IsPlaced(record))
            continue;
        if (record.wrap) {
            along = 0;
            across += thickness + (record.beginGroup ? kGroupGap : 0);
            thickness = 0;
        } else if (record.beginGroup && !first) {
            along += kGroupGap;
        }
        first = FALSE;
        if (vertical) {
            // Columns run leftwards from 0; the offsets step moves them back.
            const int right = -across;
            record.rect = CRect(right - record.size.cx, along, right, along + record.size.cy);
            along += record.size.cy;
            thickness = std::max(thickness, record.size.cx);
            extent.cx = std::max(extent.cx, -record.rect.left);
            extent.cy = std::max(extent.cy, record.rect.bottom);
            continue;
        }
        record.rect = CRect(along, across, along + record.size.cx, across + record.size.cy);
        along += record.size.cx;
        thickness = std::max(thickness, record.size.cy);
        extent.cx = std::max(extent.cx, record.rect.right);
        extent.cy = std::max(extent.cy, record.rect.bottom);
    }
    return extent;
}

void CTKControls::FindFloatingWrap(std::vector<TKLAYOUTRECORD>& records, int length, DWORD mode)
{
    if (mode & kTKLayoutLengthY) {
        WrapRecords(records, 0, &mode);
        int low = PlaceRecords(records, FALSE).cx;
        WrapRecords(records, kWidestRow, &mode);
        int high = PlaceRecords(records, FALSE).cx;
        CSize previous(-1, -1);
        while (low < high) {
            WrapRecords(records, (low + high) / 2, &mode);
            const CSize size = PlaceRecords(records, FALSE);
            if (size.cy == length)
                return;
            if (size.cy < length) {
                high = size.cx;
            } else {
                if (size == previous) {
                    WrapRecords(records, high, &mode);
                    return;
                }
                low = size.cx;
            }
            previous = size;
        }
        return;
    }
    const int rows = WrapRecords(records, length, &mode);
    const int narrowestRows = WrapRecords(records, 0, &mode);
    int width = length;
    if (rows != narrowestRows && length > 0) {
        // The narrowest width that still gives the same number of rows.
        int low = 0;
        int high = length;
        while (low < high) {
            const int middle = (low + high) / 2;
            if (WrapRecords(records, middle, &mode) == rows)
                high = middle;
            else
                low = middle + 1;
        }
        width = high;
    }
    WrapRecords(records, width, &mode);
    const CSize balanced = PlaceRecords(records, FALSE);
    WrapRecords(records, balanced.cx, &mode);
}

void CTKControls::CentreRow(std::vector<TKLAYOUTRECORD>& records, int first, int end, int thickness, BOOL vertical,
                            CSize content, int leftBorder, int topBorder)
{
    for (int i = first; i < end; ++i) {
        TKLAYOUTRECORD& record = records[static_cast<std::size_t>(i)];
        if (!IsPlaced(record))
            continue;
        if (vertical) {
            record.rowBand = CRect(record.rect.right - thickness, topBorder, record.rect.right, topBorder + content.cy);
            record.rect.OffsetRect(-(thickness - record.rect.Width()) / 2, 0);
            continue;
        }
        record.rowBand = CRect(leftBorder, record.rect.top, leftBorder + content.cx, record.rect.top + thickness);
        record.rect.OffsetRect(0, (thickness - record.rect.Height()) / 2);
    }
}

void CTKControls::OffsetRows(std::vector<TKLAYOUTRECORD>& records, CSize* size, DWORD mode, const CRect& borders)
{
    const BOOL vertical = (mode & kTKLayoutVertDock) != 0;
    if (mode & kTKLayoutCommit) {
        const int count = static_cast<int>(records.size());
        for (TKLAYOUTRECORD& record : records) {
            if (IsPlaced(record))
                record.rect.OffsetRect(borders.left + (vertical ? size->cx : 0), borders.top);
        }
        // Rows end before each record that wraps.
        std::vector<std::pair<int, int>> rows;
        int rowStart = 0;
        for (int i = 0; i < count; ++i) {
            const TKLAYOUTRECORD& record = records[static_cast<std::size_t>(i)];
            if (IsPlaced(record) && record.wrap && i > rowStart) {
                rows.emplace_back(rowStart, i);
                rowStart = i;
            }
        }
        rows.emplace_back(rowStart, count);
        for (const auto& [first, end] : rows) {
            int thickness = 0;
            for (int i = first; i < end; ++i) {
                const TKLAYOUTRECORD& record = records[static_cast<std::size_t>(i)];
                if (IsPlaced(record))
                    thickness = std::max(thickness, vertical ? record.rect.Width() : record.rect.Height());
            }
            if (rows.size() == 1)
                thickness = vertical ? size->cx : size->cy;
            CentreRow(records, first, end, thickness, vertical, *size, borders.left, borders.top);
        }
    }
    size->cx += borders.left + borders.right;
    size->cy += borders.top + borders.bottom;
}

void CTKControls::AlignRightRecords(std::vector<TKLAYOUTRECORD>& records, CSize size, const CRect& borders,
                                    DWORD mode) const
{
    const BOOL vertical = (mode & kTKLayoutVertDock) != 0;
    int farEdge = vertical ? size.cy - borders.bottom : size.cx - borders.right;
    for (int i = static_cast<int>(records.size()) - 1; i >= 0; --i) {
        TKLAYOUTRECORD& record = records[static_cast<std::size_t>(i)];
        if (!IsPlaced(record))
            continue;
        if (!(m_controls[static_cast<std::size_t>(i)]->GetFlags() & kTKFlagRightAlign))
            return;
        const int nearEdge = farEdge - (vertical ? record.rect.Height() : record.rect.Width());
        if (nearEdge < (vertical ? borders.top : borders.left))
            return;
        if (vertical)
            record.rect.OffsetRect(0, nearEdge - record.rect.top);
        else
            record.rect.OffsetRect(nearEdge - record.rect.left, 0);
        farEdge = nearEdge;
        if (record.wrap)
            return;
    }
}

CSize CTKControls::CalcLayout(CSize* out, CDC* dc, int length, DWORD mode, const CRect& borders, int minimumExtent)
{
    for (int i = GetCount() - 1; i >= 0; --i)
        GetAt(i)->OnCalcDynamicSize(mode);

    if (GetVisibleCount(FALSE) < 1) {
        CSize size(borders.left + borders.right + kEmptyBarSize.cx, borders.top + borders.bottom + kEmptyBarSize.cy);
        if (mode & kTKLayoutHorzDock)
            size.cy = std::max(size.cy, minimumExtent);
        else
            size.cx = std::max(size.cx, minimumExtent);
        if (out)
            *out = size;
        return size;
    }

    std::vector<TKLAYOUTRECORD> records(m_controls.size());
    for (std::size_t i = 0; i < m_controls.size(); ++i) {
        CTKControl* control = m_controls[i];
        const DWORD hidden = control->GetHideFlags();
        records[i].rect = control->GetRect();
        records[i].size = control->GetSize(dc);
        records[i].visible = hidden == 0 || hidden == kTKHideWrap;
        records[i].beginGroup = control->GetBeginGroup();
    }

    const BOOL vertical = (mode & kTKLayoutVertDock) != 0;
    const int mruWidth = m_pParent ? m_pParent->GetMRUWidth() : kWidestRow;
    const int wrapLength = (mode & kTKLayoutMRUWidth) ? mruWidth : length;
    if (mode & kTKLayoutRememberedWidth) {
        WrapRecords(records, mruWidth, &mode);
        WrapRecords(records, PlaceRecords(records, FALSE).cx, &mode);
    } else if (mode & kTKLayoutHorzDock) {
        WrapRecords(records, wrapLength - borders.right - borders.left, &mode);
    } else if (vertical) {
        WrapRecords(records, wrapLength - borders.bottom - borders.top, &mode);
    } else if (mode & kTKLayoutLengthY) {
        FindFloatingWrap(records, wrapLength - borders.bottom - borders.top, mode);
    } else {
        FindFloatingWrap(records, wrapLength - borders.right - borders.left, mode);
    }

    CSize size = PlaceRecords(records, vertical);
    if (minimumExtent > 0) {
        if (mode & kTKLayoutHorzDock)
            size.cy = std::max(size.cy, minimumExtent - borders.bottom - borders.top);
        else
            size.cx = std::max(size.cx, minimumExtent - borders.right - borders.left);
    }
    if (mode & kTKLayoutStretch) {
        if (vertical)
            size.cy = std::max(size.cy, wrapLength - borders.bottom - borders.top);
        else
            size.cx = std::max(size.cx, wrapLength - borders.right - borders.left);
    }
    OffsetRows(records, &size, mode, borders);

    if (mode & kTKLayoutCommit) {
        AlignRightRecords(records, size, borders, mode);
        for (std::size_t i = 0; i < m_controls.size(); ++i) {
            CTKControl* control = m_controls[i];
            const TKLAYOUTRECORD& record = records[i];
            const DWORD hidden = control->GetHideFlags();
            control->SetHideFlags(record.notFit ? (hidden | kTKHideWrap) : (hidden & ~kTKHideWrap));
            control->SetRowRect(record.rowBand);
            if (IsPlaced(record))
                control->SetRect(record.rect);
            control->SetRowStart(record.wrap);
        }
    }
    if (out)
        *out = size;
    return size;
}
