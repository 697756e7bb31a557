#include "toolkit/commandbars/CTKCommandBars.h"
#include "toolkit/commandbars/CTKMenuSoundPlayer.h"
#include "toolkit/commandbars/CTKPopupTracker.h"
#include "toolkit/commandbars/CTKPopupBar.h"
#include "toolkit/commandbars/CTKToolBarsMenuItem.h"
#include "toolkit/commandbars/CTKControlCustom.h"
#include "toolkit/commandbars/CTKControlPopup.h"
#include "toolkit/commandbars/CTKControls.h"
#include "toolkit/commandbars/CTKEdit.h"
#include "toolkit/commandbars/CTKControl.h"
#include "platform/ui/CMenu.h"
#include "platform/ui/KeyboardMap.h"
#include "platform/ui/CTrackingLoop.h"
#include "toolkit/commandbars/CTKWindowHookMap.h"

#include "platform/CArchive.h"
#include "platform/CUserInterface.h"
#include "platform/FileSystem.h"
#include "platform/ui/CFrameWnd.h"
#include "platform/ui/CResourceStore.h"
#include "platform/ui/CDocument.h"
#include "platform/ui/CMDIChildWnd.h"
#include "platform/ui/CMDIFrameWnd.h"
#include "platform/ui/CMultiDocTemplate.h"
#include "platform/ui/CSettingsStore.h"
#include "platform/ui/CWinApp.h"
#include "toolkit/commandbars/CTKBarDragTracker.h"
#include "toolkit/commandbars/CTKControlDragTracker.h"
#include "toolkit/commandbars/CTKBarStateInfo.h"
#include "toolkit/commandbars/CTKCommandBarsOptions.h"
#include "toolkit/commandbars/CTKDockBar.h"
#include "toolkit/commandbars/CTKMenuBar.h"
#include "toolkit/commandbars/CTKToolBar.h"
#include "toolkit/commandbars/ITKTabClientRefresh.h"
#include "toolkit/commandbars/draw/CTKBarRenderer.h"
#include "toolkit/commandbars/draw/CTKSystemColors.h"
#include "toolkit/commandbars/images/CTKCommandImages.h"

#include <algorithm>
#include <cstdio>

IMPLEMENT_SERIAL(CTKCommandBars, CCmdTarget, 0xFFFF)

namespace {

// How far outside a dock bar a dragged bar still docks there.
constexpr int kDockBarMargin = 20;

// Creation style of the dock bars, top, bottom, left, right.
constexpr DWORD kDockBarStyles[] = {0x2800, 0x8200, 0x1400, 0x4100};
constexpr DWORD kDockBarWindowStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;

constexpr char kOptionsSection[] = "%s-Options";
constexpr char kUsedCommands[] = "UsedCommands";

std::string OptionsSection(const std::string& profile)
{
    char section[256];
    std::snprintf(section, sizeof section, kOptionsSection, profile.c_str());
    return section;
}

// The application's profile store, or nullptr without an application or a registry key.
const CSettingsStore* ProfileStore()
{
    const CWinApp* app = AfxGetApp();
    return app ? app->GetProfileStore() : nullptr;
}

} // namespace

CTKCommandBars::CTKCommandBars()
    : m_pCustomizeContext(std::make_unique<CTKControlDragTracker>(this)), m_pOptions(new CTKCommandBarsOptions(this))
{
}

CTKCommandBars::~CTKCommandBars()
{
    if (m_pCustomizeSelection)
        m_pCustomizeSelection->InternalRelease();
    m_pCustomizeSelection = nullptr;
    std::vector<CTKToolBar*> bars;
    bars.swap(m_bars);
    for (CTKToolBar* bar : bars)
        bar->InternalRelease();
    for (QPointer<CTKDockBar>& dock : m_pDocks)
        delete dock.data();
    m_pCustomizeContext.reset();
    if (m_pRenderer)
        m_pRenderer->InternalRelease();
    if (m_pImages)
        m_pImages->InternalRelease();
    m_pOptions->InternalRelease();
    CTKMenuSoundPlayer::Get().Stop();
}

void CTKCommandBars::SetFrame(CFrameWnd* frame)
{
    m_pFrame = frame;
    if (!frame || !frame->IsWindow())
        return;
    AFX_CMDHANDLERINFO info;
    m_bCustomizeAvailable = frame->OnCmdMsg(kTKCustomizeCommand, CN_COMMAND, nullptr, &info);
}

BOOL CTKCommandBars::CreateDockBars()
{
    for (int side = 0; side < 4; ++side) {
        auto dock = std::make_unique<CTKDockBar>(this);
        if (!dock->Create(m_pFrame, kDockBarWindowStyle | kDockBarStyles[side], kTKDockBarIds[side]))
            return FALSE;
        m_pDocks[side] = dock.release();
    }
    return TRUE;
}

CTKToolBar* CTKCommandBars::AddToolBar(const std::string& title, int position, const CRuntimeClass* barClass)
{
    CObject* object = barClass ? barClass->CreateObject() : nullptr;
    auto* bar = dynamic_cast<CTKToolBar*>(object);
    if (!bar) {
        delete object;
        return nullptr;
    }
    bar->SetCommandBars(this);
    bar->EnableDocking(kTKToolBarDocking);
    bar->SetTitle(title);
    if (!bar->CreateToolBar(WS_VISIBLE | WS_CHILD, this, position)) {
        bar->InternalRelease();
        return nullptr;
    }
    m_bars.push_back(bar);
    return bar;
}

CTKMenuBar* CTKCommandBars::CreateMenuBar(const std::string& title, UINT menuId)
{
    auto* bar = new CTKMenuBar;
    bar->SetCommandBars(this);
    bar->EnableDocking(kTKMenuBarDocking);
    bar->SetTitle(title);
    bar->SetBarID(kTKMenuBarId);
    // The menu first: a bar that has none never joins the dock bar.
    if (!bar->LoadMenuBar(menuId) || !bar->CreateToolBar(WS_VISIBLE | WS_CHILD, this, kTKPositionTop)) {
        bar->InternalRelease();
        return nullptr;
    }
    if (menuId != 0) {
        bar->GetControls()->CreateReferenceCopy();
        m_nDefaultMenuId = menuId;
    }
    m_bars.push_back(bar);
    m_pMenuBar = bar;
    return bar;
}

CTKToolBar* CTKCommandBars::AddCustomToolBar(const std::string& title, UINT barId, BOOL temporary)
{
    auto* bar = new CTKToolBar;
    bar->SetCommandBars(this);
    bar->EnableDocking(kTKToolBarDocking);
    bar->SetTitle(title);
    if (!bar->CreateToolBar(WS_VISIBLE | WS_CHILD, this, temporary ? kTKPositionFloating : kTKPositionTop)) {
        bar->InternalRelease();
        return nullptr;
    }
    m_bars.push_back(bar);
    bar->SetBarID(barId);
    bar->SetBuiltIn(FALSE);
    bar->SetTemporary(temporary);
    if (!temporary)
        RelayoutFrame(FALSE);
    return bar;
}

void CTKCommandBars::RemoveBar(CTKToolBar* bar)
{
    auto found = std::find(m_bars.begin(), m_bars.end(), bar);
    if (found == m_bars.end())
        return;
    bar->ShowWindow(SW_HIDE);
    bar->SetVisibleFlag(FALSE);
    RelayoutFrame(TRUE);
    FloatBar(bar);
    m_bars.erase(found);
    if (bar == m_pMenuBar)
        m_pMenuBar = nullptr;
    bar->InternalRelease();
}

CTKToolBar* CTKCommandBars::GetBarAt(int index) const
{
    if (index < 0 || index >= GetCount())
        return nullptr;
    return m_bars[static_cast<std::size_t>(index)];
}

CTKToolBar* CTKCommandBars::GetBarById(UINT id) const
{
    if (id == 0)
        return nullptr;
    for (CTKToolBar* bar : m_bars)
        if (bar->GetBarID() == id)
            return bar;
    return nullptr;
}

void CTKCommandBars::ToggleBarVisible(int index)
{
    if (CTKToolBar* bar = GetBarAt(index))
        bar->SetVisible(!bar->IsVisible());
}

CTKDockBar* CTKCommandBars::GetDockBar(int side) const
{
    if (side < 0 || side >= 4)
        return nullptr;
    return m_pDocks[side];
}

CTKDockBar* CTKCommandBars::GetDockBarAt(int x, int y, CTKDockBar* preferred) const
{
    auto holds = [x, y](const CTKDockBar* dock) {
        if (!dock || !dock->IsWindow())
            return false;
        CRect rect;
        dock->GetWindowRect(&rect);
        rect.InflateRect(kDockBarMargin, kDockBarMargin);
        return rect.PtInRect(CPoint(x, y));
    };
    if (holds(preferred))
        return preferred;
    for (const QPointer<CTKDockBar>& dock : m_pDocks)
        if (holds(dock))
            return dock;
    return nullptr;
}

CTKBarRenderer* CTKCommandBars::GetBarRenderer() const
{
    return m_pRenderer ? m_pRenderer : CTKBarRenderer::GetCurrent();
}

CTKCommandImages* CTKCommandBars::GetImageStore() const
{
    return m_pImages ? m_pImages : &CTKCommandImages::Global();
}

UINT CTKCommandBars::GetActiveMenuId() const
{
    auto* mdiFrame = dynamic_cast<CMDIFrameWnd*>(m_pFrame);
    if (!mdiFrame)
        return 0;
    CMDIChildWnd* child = mdiFrame->MDIGetActive();
    if (!child)
        return m_nDefaultMenuId;
    CDocument* document = child->GetActiveDocument();
    if (!document)
        return child->GetResourceId();
    const CMultiDocTemplate* docTemplate = document->GetDocTemplate();
    return docTemplate ? docTemplate->GetResourceId() : 0;
}

BOOL CTKCommandBars::DockBar(CTKToolBar* bar, const CRect* screenRect, CTKDockBar* dockBar)
{
    if (!bar || !dockBar || !bar->MakeBarWindow(m_pFrame, FALSE))
        return FALSE;
    dockBar->DockBar(bar, screenRect);
    bar->SetPositionValue(dockBar->GetPosition());
    return TRUE;
}

BOOL CTKCommandBars::DockBarAtSide(CTKToolBar* bar, int side)
{
    return DockBar(bar, nullptr, GetDockBar(side));
}

BOOL CTKCommandBars::FloatBar(CTKToolBar* bar)
{
    if (!bar || !bar->MakeBarWindow(m_pFrame, TRUE))
        return FALSE;
    if (CTKDockBar* dock = bar->GetDockBar()) {
        dock->RemoveBar(bar, -1);
        bar->SetDockBar(nullptr);
    }
    bar->SetPositionValue(kTKPositionFloating);
    return TRUE;
}

void CTKCommandBars::RelayoutFrame(BOOL delay)
{
    if (m_bLayoutLock || !m_pFrame)
        return;
    if (delay)
        m_pFrame->DelayRecalcLayout(FALSE);
    else
        m_pFrame->RecalcLayout(FALSE);
}

void CTKCommandBars::SetCustomizeMode(BOOL mode)
{
    if (mode == m_bCustomizeMode)
        return;
    if (!mode)
        SetCustomizeSelection(nullptr);
    m_bCustomizeMode = mode;
    RefreshAllBars();
}

void CTKCommandBars::SetCustomizeSelection(CTKControl* control)
{
    if (control != m_pCustomizeSelection) {
        if (CTKControl* old = m_pCustomizeSelection) {
            m_pCustomizeSelection = nullptr;
            old->RedrawParent();
            old->InternalRelease();
        }
        m_pCustomizeSelection = control;
        if (control) {
            control->InternalAddRef();
            control->RedrawParent();
        }
    }
    CWnd* target = m_pCustomizeContext ? m_pCustomizeContext->GetCustomizeWindow() : nullptr;
    if (!target)
        target = m_pFrame;
    if (target && target->IsWindow())
        target->SendMessage(WM_TK_CUSTOMIZE_SELECTION, 0, 0);
}

void CTKCommandBars::RefreshAllBars()
{
    m_bLayoutLock = TRUE;
    for (CTKToolBar* bar : m_bars)
        if (bar->IsVisible())
            bar->OnRecalcLayout();
    if (auto* mdiFrame = dynamic_cast<CMDIFrameWnd*>(m_pFrame))
        if (auto* tabClient = dynamic_cast<ITKTabClientRefresh*>(mdiFrame->GetMDIClient()->GetTabClient()))
            tabClient->Refresh();
    m_bLayoutLock = FALSE;
    RelayoutFrame(FALSE);
}

BOOL CTKCommandBars::IsHiddenCommand(UINT id) const
{
    return m_pOptions->hiddenCommands.count(id) != 0 && m_pOptions->usedCommands.count(id) == 0;
}

void CTKCommandBars::SetCommandUsed(UINT id)
{
    if (IsHiddenCommand(id))
        m_pOptions->usedCommands.insert(id);
}

std::vector<BYTE> CTKCommandBars::UsedCommandsBytes() const
{
    CArchive ar;
    CTKCommandBarsOptions::StoreCommandSet(ar, m_pOptions->usedCommands);
    return ar.GetBuffer();
}

BOOL CTKCommandBars::MergeUsedCommands(const std::vector<BYTE>& bytes)
{
    CArchive ar(bytes);
    return CTKCommandBarsOptions::LoadCommandSet(ar, &m_pOptions->usedCommands);
}

void CTKCommandBars::SaveOptions(const std::string& profile) const
{
    const CSettingsStore* store = ProfileStore();
    if (!store)
        return;
    const std::string section = OptionsSection(profile);
    store->DeleteSection(section);
    const CTKCommandBarsOptions& options = *m_pOptions;
    store->WriteInt(section, "AlwaysShowFullMenus", options.bAlwaysShowFullMenus);
    store->WriteInt(section, "ShowFullAfterDelay", options.bShowFullAfterDelay);
    store->WriteInt(section, "ToolBarScreenTips", options.bToolBarScreenTips);
    store->WriteInt(section, "ToolBarAccelTips", options.bToolBarAccelTips);
    store->WriteInt(section, "LargeIcons", options.bLargeIcons);
    store->WriteInt(section, "Animation", options.nAnimationType);
    if (!options.usedCommands.empty())
        store->WriteBinary(section, kUsedCommands, UsedCommandsBytes());
}

void CTKCommandBars::LoadOptions(const std::string& profile)
{
    const CSettingsStore* store = ProfileStore();
    if (!store)
        return;
    const std::string section = OptionsSection(profile);
    CTKCommandBarsOptions& options = *m_pOptions;
    options.bAlwaysShowFullMenus = store->GetInt(section, "AlwaysShowFullMenus", options.bAlwaysShowFullMenus);
    options.bShowFullAfterDelay = store->GetInt(section, "ShowFullAfterDelay", options.bShowFullAfterDelay);
    options.bToolBarScreenTips = store->GetInt(section, "ToolBarScreenTips", options.bToolBarScreenTips);
    options.bToolBarAccelTips = store->GetInt(section, "ToolBarAccelTips", options.bToolBarAccelTips);
    options.bLargeIcons = store->GetInt(section, "LargeIcons", options.bLargeIcons);
    options.nAnimationType = store->GetInt(section, "Animation", options.nAnimationType);
    std::vector<BYTE> bytes;
    if (store->ReadBinary(section, kUsedCommands, &bytes))
        MergeUsedCommands(bytes);
}

BOOL CTKCommandBars::HookKeyMessage(MSG* message)
{
    CTKWindowHookMap& hooks = CTKWindowHookMap::Get();
    CTKPopupTracker& tracker = CTKPopupTracker::Get();
    const BOOL keyListed = hooks.GetTrackingHookCount() > 0;
    if (message->message == WM_MOUSEWHEEL && keyListed) {
        hooks.DispatchToTrackingHooks(message->message, message->wParam, message->lParam);
        return TRUE;
    }
    if (message->message == WM_KEYDOWN && keyListed)
        return hooks.DispatchToTrackingHooks(WM_KEYDOWN, message->wParam, 0);
    if (tracker.GetModalDepth() == 0 && tracker.GetTrackedBars().empty() && OpenMenuByMnemonic(*message))
        return TRUE;
    if (tracker.GetModalDepth() > 0 || tracker.GetTrackedBars().empty())
        return FALSE;
    if (message->message != WM_SYSKEYDOWN)
        return FALSE;
    if (message->wParam == VK_MENU) {
        tracker.CloseTrackedBars();
        return TRUE;
    }
    return hooks.DispatchToTrackingHooks(WM_KEYDOWN, message->wParam, 0);
}

namespace {
// The key-down bit that tells Alt was held.
constexpr LPARAM kKeyContextBit = 1 << 29;
} // namespace

// Alt+letter with no bar tracking: the menu-bar item with that mnemonic
// opens, or is selected when several items share the letter.
BOOL CTKCommandBars::OpenMenuByMnemonic(const MSG& message)
{
    if (!m_pMenuBar || message.message != WM_SYSKEYDOWN || !(message.lParam & kKeyContextBit))
        return FALSE;
    const char character = static_cast<char>(MapVirtualKey(static_cast<UINT>(message.wParam), MAPVK_VK_TO_CHAR));
    if (character == 0)
        return FALSE;
    BOOL several = FALSE;
    const int index = m_pMenuBar->FindMnemonic(character, &several);
    if (index < 0)
        return FALSE;
    m_pMenuBar->SetTrackingMode(1, FALSE, TRUE);
    if (several)
        m_pMenuBar->SetSelected(index, TRUE);
    else
        m_pMenuBar->SetPopuped(index, TRUE);
    return TRUE;
}

BOOL CTKCommandBars::HookFrameMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    // The frame stays while the customise sheet works on its bars.
    if (message == WM_CLOSE && m_pCustomizeContext && m_pCustomizeContext->GetCustomizeWindow()) {
        if (result)
            *result = 0;
        return TRUE;
    }
    // Copy, cut and paste go to a bar's focused edit box.
    if (message == WM_COMMAND) {
        auto* edit = dynamic_cast<CTKEdit*>(CWnd::GetFocus());
        if (edit && edit->OnCommand(wParam, lParam)) {
            if (result)
                *result = 1;
            return TRUE;
        }
    }
    if (message == WM_SYSCOLORCHANGE) {
        CTKSystemColors::Instance().RefreshColors(FALSE);
        if (CTKCommandImages* images = GetImageStore())
            images->RefreshAll();
    }
    if (message == WM_SYSCOLORCHANGE || message == WM_SETTINGCHANGE) {
        // Sizes are measured again with the new metrics.
        if (CTKBarRenderer* renderer = GetBarRenderer())
            renderer->RefreshMetrics();
        RelayoutFrame(FALSE);
        if (m_pFrame && m_pFrame->IsWindow()) {
            m_pFrame->Invalidate(TRUE);
            m_pFrame->UpdateWindow();
        }
    }
    if (message == WM_IDLEUPDATECMDUI) {
        for (CTKToolBar* bar : m_bars) {
            if (bar->GetPosition() == kTKPositionFloating)
                bar->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
        }
    }
    CTKPopupTracker& tracker = CTKPopupTracker::Get();
    if (tracker.GetTrackedBars().empty())
        return FALSE;
    const UINT low = LOWORD(wParam);
    const UINT high = HIWORD(wParam);
    const BOOL deactivated = message == WM_ACTIVATEAPP && wParam == 0;
    const BOOL menuCommand = message == WM_COMMAND && (wParam == 0 || (low != 0 && high == 0));
    const BOOL systemCommand = message == WM_SYSCOMMAND && (wParam == 0 || low != 0);
    if (deactivated || menuCommand || systemCommand)
        tracker.CloseTrackedBars();
    return FALSE;
}

int CTKCommandBars::TrackPopupBar(CTKPopupBar* popup, UINT flags, int x, int y, CWnd* site, const CRect* exclude,
                                  CWnd* owner)
{
    if (!popup)
        return 0;
    UINT command = 0;
    const BOOL returnCommand = (flags & TPM_RETURNCMD) != 0;
    popup->SetSite(site);
    popup->SetOwnerWindow(owner);
    popup->SetReturnCommandSlot(returnCommand ? &command : nullptr);
    popup->SetRightButtonTracking((flags & TPM_RIGHTBUTTON) != 0);
    CWnd::ReleaseCapture();
    if (!popup->SetPopupPosition(x, y, exclude)) {
        popup->SetReturnCommandSlot(nullptr);
        return 0;
    }
    RunPopupLoop(popup);
    popup->SetReturnCommandSlot(nullptr);
    return returnCommand ? static_cast<int>(command) : TRUE;
}

void CTKCommandBars::RunPopupLoop(CTKPopupBar* popup)
{
    // The loop ends when the popup's window goes with its tracking, on an
    // application quit (which then still ends the main loop) or when a
    // modal dialog appears. Keys go to the tracking bars, newest first;
    // the mouse reaches the windows under it as usual.
    CTrackingLoop loop(popup, FALSE);
    loop.SetFilter([](const MSG& msg) -> BOOL {
        CTKWindowHookMap& hooks = CTKWindowHookMap::Get();
        switch (msg.message) {
        case WM_KEYDOWN:
            hooks.DispatchToTrackingHooks(WM_KEYDOWN, msg.wParam, 0);
            return TRUE;
        case WM_SYSKEYDOWN:
            if (msg.wParam == VK_MENU)
                CTKPopupTracker::Get().CloseTrackedBars();
            else
                hooks.DispatchToTrackingHooks(WM_KEYDOWN, msg.wParam, 0);
            return TRUE;
        case WM_KEYUP:
        case WM_SYSKEYUP:
        case WM_CHAR:
        case WM_SYSCHAR:
            return TRUE;
        default:
            return FALSE;
        }
    });
    if (popup->IsWindow() && popup->GetTrackingMode() != 0)
        loop.Run();
    if (popup->GetTrackingMode() != 0)
        popup->SetTrackingMode(0, FALSE, FALSE);
}

int CTKCommandBars::ShowContextMenu(const CMenu* menu, UINT flags, int x, int y, CWnd* site, const CRect* exclude,
                                    CWnd* owner, CTKCommandBars* bars)
{
    CTKPopupBar* popup = CTKPopupBar::NewPopupBar(bars);
    if (!menu || !menu->IsMenu()) {
        popup->InternalRelease();
        return FALSE;
    }
    popup->SetSite(site);
    popup->SetOwnerWindow(owner);
    popup->LoadMenu(menu, TRUE);
    const int result = TrackPopupBar(popup, flags, x, y, site, exclude, owner);
    popup->InternalRelease();
    return result;
}

CTKPopupBar* CTKCommandBars::CreateToolBarsPopup()
{
    CTKPopupBar* popup = CTKPopupBar::NewPopupBar(this);
    CTKControls* controls = popup->GetControls();
    for (int i = 0; i < GetCount(); ++i) {
        CTKToolBar* bar = m_bars[static_cast<std::size_t>(i)];
        if (bar->GetType() != kTKBarToolbar || !bar->IsListed())
            continue;
        auto* item = new CTKToolBarsMenuItem(this, i);
        item->SetCaption(bar->GetBarTitle());
        item->SetChecked(bar->IsVisible());
        controls->InsertControl(item, 0);
    }
    if (m_bCustomizeAvailable && controls->GetCount() > 0) {
        CTKControl* customize = controls->AddNewControl(kTKControlButton, kTKCustomizeCommand);
        customize->SetBeginGroup(TRUE);
    }
    return popup;
}

void CTKCommandBars::ShowToolBarsMenu(int x, int y)
{
    if (m_bCustomizeMode)
        return;
    CTKPopupBar* popup = CreateToolBarsPopup();
    if (popup->GetControlCount() > 0)
        TrackPopupBar(popup, 0, x, y, m_pFrame, nullptr, nullptr);
    popup->InternalRelease();
}

namespace {

// The visible toolbars of the bar's dock row; the bar alone when it is not docked.
std::vector<CTKToolBar*> RowOf(CTKToolBar* bar, BOOL dockedOnly)
{
    CTKDockBar* dock = bar->GetDockBar();
    const int entry = dock ? dock->FindBar(bar, -1) : -1;
    if (entry < 0)
        return dockedOnly ? std::vector<CTKToolBar*>{} : std::vector<CTKToolBar*>{bar};
    return dock->GetRowBars(entry);
}

} // namespace

void CTKCommandBars::FillExpandPopup(CTKToolBar* bar, CTKPopupBar* popup)
{
    if (!bar || !popup)
        return;
    for (CTKToolBar* rowBar : RowOf(bar, TRUE)) {
        if (rowBar->GetType() != kTKBarToolbar)
            continue;
        for (int i = 0; i < rowBar->GetControlCount(); ++i) {
            const CTKControl* control = rowBar->GetControl(i);
            if (control->GetHideFlags() != kTKHideWrap)
                continue;
            CTKControl* copy = popup->GetControls()->AddClone(control, -1, TRUE);
            if (!copy)
                continue;
            copy->SetHideFlags(0);
            copy->SetBeginGroup(FALSE);
        }
    }
}

void CTKCommandBars::FillAddRemovePopup(CTKToolBar* bar, CTKPopupBar* popup)
{
    if (!bar || !popup)
        return;
    for (CTKToolBar* rowBar : RowOf(bar, FALSE)) {
        auto* item = new CTKControlPopup;
        item->SetCaption(rowBar->GetBarTitle());
        item->SetEnabled(m_bCustomizeAvailable && rowBar->IsBuiltIn() && rowBar->IsCustomizable());
        CTKPopupBar* list = CTKPopupBar::NewPopupBar(this);
        item->SetCommandBar(list);
        list->InternalRelease();
        popup->GetControls()->InsertControl(item, kTKSubmenuItemId);
        if (item->GetEnabled())
            rowBar->BuildAddRemoveList(list);
    }
    if (m_bCustomizeAvailable) {
        CTKControl* customize = popup->GetControls()->AddNewControl(kTKControlButton, kTKCustomizeCommand);
        customize->SetBeginGroup(TRUE);
    }
}

namespace {

constexpr char kControlsEntry[] = "Controls";
constexpr char kLoadFromFileEntry[] = "LoadFromFile";
// Serial ids of the popup bars in the controls archive start here.
constexpr int kFirstSerialBarId = 16777216;
// The smallest stored bar: its class tag and fixed fields.
constexpr std::size_t kMinStoredBar = 2;
// More dock entries than this were never written: the section is damaged.
constexpr int kMaxDockEntries = 4096;
// The question asked when a customised toolbar meets a changed program toolbar.
constexpr UINT kChangedToolBarQuestion = 9394;
constexpr char kTitlePlaceholder[] = "%s";

void ReleaseBars(std::vector<CTKCommandBar*>* bars)
{
    for (CTKCommandBar* bar : *bars)
        bar->InternalRelease();
    bars->clear();
}

// Whether the user keeps the customised toolbar (No) over the program's new one.
BOOL KeepCustomisation(const std::string& title)
{
    std::string question = CResourceStore::Instance().LoadString(kChangedToolBarQuestion);
    const std::size_t placeholder = question.find(kTitlePlaceholder);
    if (placeholder != std::string::npos)
        question.replace(placeholder, sizeof kTitlePlaceholder - 1, title);
    const std::string caption = AfxGetApp() ? AfxGetApp()->GetAppName() : std::string();
    return ShowMessage(caption, question, MB_YESNO | MB_ICONQUESTION) == IDNO;
}

// The archive's record of one toolbar.
std::unique_ptr<CTKBarInfo> BarInfoOf(CTKToolBar* bar)
{
    auto info = std::make_unique<CTKBarInfo>();
    info->pBar = bar;
    info->nBarId = bar->GetBarID();
    info->bVisible = bar->IsVisible();
    info->nMRUWidth = bar->GetMRUWidth();
    info->bFloating = bar->GetPosition() == kTKPositionFloating;
    CTKBarDragTracker* tracker = bar->GetDragTracker();
    if (bar->IsWindow()) {
        CRect window;
        bar->GetWindowRect(&window);
        CPoint corner = window.TopLeft();
        if (CTKDockBar* dock = bar->GetDockBar(); dock && !info->bFloating)
            dock->ScreenToClient(&corner);
        info->ptPosition = corner;
    } else if (tracker) {
        info->ptPosition = tracker->GetMRUFloatPosition();
    }
    if (tracker) {
        info->nMRUDockId = static_cast<UINT>(tracker->GetMRUDockId());
        info->rcMRUDock = tracker->GetMRUDockRect();
        info->ptMRUFloat = tracker->GetMRUFloatPosition();
    }
    return info;
}

} // namespace

std::string CTKCommandBars::HiddenArchivePath(const std::string& settingsFile, const std::string& profile)
{
    const std::size_t slash = settingsFile.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : settingsFile.substr(0, slash + 1);
    std::string name = slash == std::string::npos ? settingsFile : settingsFile.substr(slash + 1);
    const std::size_t dot = name.rfind(".ini");
    if (dot != std::string::npos && dot + 4 == name.size())
        name.erase(dot);
    return folder + "." + name + "-" + profile;
}

std::vector<BYTE> CTKCommandBars::StoreControlsArchive()
{
    std::vector<CTKCommandBar*> bars;
    int nextId = kFirstSerialBarId;
    for (CTKToolBar* bar : m_bars) {
        const CTKControls* controls = bar->GetControls();
        const auto* menuBar = dynamic_cast<const CTKMenuBar*>(bar);
        const BOOL parked = menuBar && menuBar->GetParkedCount() > 0;
        if (!controls->GetReferenceCopy() || controls->IsChanged() || !bar->IsBuiltIn() || parked)
            bar->SaveBarState(&nextId, &bars);
    }
    CArchive ar;
    ar << static_cast<DWORD>(bars.size());
    for (const CTKCommandBar* bar : bars)
        ar.WriteObject(bar);
    return ar.IsOK() ? ar.GetBuffer() : std::vector<BYTE>();
}

BOOL CTKCommandBars::LoadControlsArchive(const std::vector<BYTE>& bytes, BOOL silent)
{
    CArchive ar(bytes);
    DWORD count = 0;
    ar >> count;
    if (count > ar.GetRemaining() / kMinStoredBar)
        ar.SetError(CArchive::badCount);
    std::vector<CTKCommandBar*> loaded;
    for (DWORD i = 0; i < count && ar.IsOK(); ++i) {
        CObject* object = ar.ReadObject(RUNTIME_CLASS(CTKCommandBar));
        auto* bar = dynamic_cast<CTKCommandBar*>(object);
        if (!bar) {
            delete object;
            ar.SetError(CArchive::badClass);
            break;
        }
        bar->SetCommandBars(this);
        bar->GetControls()->SetParent(bar);
        loaded.push_back(bar);
    }
    if (!ar.IsOK()) {
        ReleaseBars(&loaded);
        return FALSE;
    }
    // Hosted windows are found again by their stored ids.
    for (CTKCommandBar* bar : loaded) {
        for (int i = 0; i < bar->GetControlCount(); ++i)
            if (auto* custom = dynamic_cast<CTKControlCustom*>(bar->GetControl(i)))
                custom->FindControlWindow(this);
    }
    for (CTKCommandBar* bar : loaded) {
        auto* toolBar = dynamic_cast<CTKToolBar*>(bar);
        if (!toolBar || bar->GetType() == kTKBarPopup)
            continue;
        bar->LoadBarState(loaded);
        RestoreLoadedBar(toolBar, silent);
    }
    ReleaseBars(&loaded);
    return TRUE;
}

void CTKCommandBars::RestoreLoadedBar(CTKToolBar* loaded, BOOL silent)
{
    CTKToolBar* existing = GetBarById(loaded->GetBarID());
    if (!existing) {
        const int position = loaded->GetPosition();
        loaded->InternalAddRef();
        m_bars.push_back(loaded);
        loaded->CreateToolBar(WS_VISIBLE | WS_CHILD, this,
                              position >= kTKPositionTop && position <= kTKPositionFloating ? position
                                                                                            : kTKPositionTop);
        return;
    }
    const CTKControls* loadedReference = loaded->GetControls()->GetReferenceCopy();
    const CTKControls* ownReference = existing->GetControls()->GetReferenceCopy();
    BOOL keepOwnReference = loadedReference == nullptr;
    if (loadedReference && ownReference && !loadedReference->IsEqual(ownReference)) {
        // The program's own toolbar changed since the customisation was saved.
        if (silent || !loaded->GetControls()->IsChanged() || !KeepCustomisation(existing->GetBarTitle()))
            return;
        keepOwnReference = TRUE;
    }
    CTKControls* reference = keepOwnReference && ownReference ? ownReference->Duplicate(TRUE) : nullptr;
    const int position = existing->GetPosition();
    existing->Copy(loaded, FALSE);
    existing->SetPositionValue(position);
    if (reference)
        existing->GetControls()->SetReferenceCopy(reference);
    if (existing->IsWindow())
        existing->OnRecalcLayout();
}

void CTKCommandBars::SaveControls(const CSettingsStore& store, const std::string& profile)
{
    const std::string section = CTKBarStateInfo::ControlsSection(profile);
    const std::vector<BYTE> bytes = StoreControlsArchive();
    if (bytes.empty()) {
        store.DeleteSection(section);
        return;
    }
    const std::string hidden = HiddenArchivePath(store.GetFilePath(), profile);
    if (bytes.size() > kTKMaxProfileArchive) {
        // The old archive stays until the new one is complete.
        if (!FileSystem::SafeSave(hidden, bytes))
            return;
        store.WriteString(section, kControlsEntry, hidden);
        store.WriteInt(section, kLoadFromFileEntry, 1);
        return;
    }
    store.WriteBinary(section, kControlsEntry, bytes);
    store.WriteInt(section, kLoadFromFileEntry, 0);
    FileSystem::DeleteFile(hidden);
}

void CTKCommandBars::LoadControls(const CSettingsStore& store, const std::string& profile, BOOL silent)
{
    const std::string section = CTKBarStateInfo::ControlsSection(profile);
    std::vector<BYTE> bytes;
    if (store.GetInt(section, kLoadFromFileEntry, 0) == 1) {
        std::string path;
        if (!store.ReadString(section, kControlsEntry, &path))
            return;
        CArchive file = CArchive::FromFile(path);
        if (!file.IsOK())
            return;
        bytes = file.GetBuffer();
    } else if (!store.ReadBinary(section, kControlsEntry, &bytes)) {
        return;
    }
    LoadControlsArchive(bytes, silent);
}

void CTKCommandBars::SaveDockBars(const CSettingsStore& store, const std::string& profile) const
{
    for (int side = 0; side < 4; ++side) {
        const std::string section = CTKBarStateInfo::DockBarSection(profile, side);
        store.DeleteSection(section);
        const CTKDockBar* dock = GetDockBar(side);
        if (!dock || dock->GetEntryCount() <= 1)
            continue;
        int written = 0;
        BOOL afterBreak = FALSE;
        for (int i = 0; i < dock->GetEntryCount(); ++i) {
            const CTKToolBar* bar = dock->GetBarAt(i);
            if (!bar && afterBreak)
                continue;
            char key[32];
            std::snprintf(key, sizeof key, "Bar#%d", written++);
            store.WriteInt(section, key, bar ? static_cast<int>(bar->GetBarID()) : 0);
            afterBreak = bar == nullptr;
        }
        store.WriteInt(section, "Bars", written);
    }
}

void CTKCommandBars::LoadDockBars(const CSettingsStore& store, const std::string& profile)
{
    for (int side = 0; side < 4; ++side) {
        const std::string section = CTKBarStateInfo::DockBarSection(profile, side);
        CTKDockBar* dock = GetDockBar(side);
        const int count = store.GetInt(section, "Bars", 0);
        if (!dock || count <= 1 || count > kMaxDockEntries)
            continue;
        for (int k = 0; k < count; ++k) {
            char key[32];
            std::snprintf(key, sizeof key, "Bar#%d", k);
            CTKToolBar* bar = GetBarById(static_cast<UINT>(store.GetInt(section, key, 0)));
            if (bar) {
                if (bar->GetParent() != dock) {
                    bar->MakeBarWindow(m_pFrame, FALSE);
                    bar->SetParent(dock);
                }
                if (CTKDockBar* previous = bar->GetDockBar())
                    previous->RemoveBar(bar, -1);
                bar->SetDockBar(dock);
                bar->SetPositionValue(dock->GetPosition());
            }
            dock->InsertEntry(k, bar);
        }
        dock->MergeRowBreaks();
    }
}

BOOL CTKCommandBars::DockForRecord(CTKToolBar* bar, const CTKBarInfo& info)
{
    if (!bar->GetDockBar()) {
        const int side = GetDockBar(static_cast<int>(info.nMRUDockId)) ? static_cast<int>(info.nMRUDockId)
                                                                         : kTKPositionTop;
        if (!DockBarAtSide(bar, side))
            return FALSE;
    }
    return bar->CreateBarWindow(m_pFrame, FALSE);
}

void CTKCommandBars::ApplyBarState(const CTKBarStateInfo& state)
{
    for (const std::unique_ptr<CTKBarInfo>& info : state.bars) {
        CTKToolBar* bar = GetBarById(info->nBarId);
        if (!bar)
            continue;
        if (info->bFloating)
            FloatBar(bar);
        else if (!DockForRecord(bar, *info))
            continue;
        bar->SetMRUWidth(info->nMRUWidth);
        if (CTKBarDragTracker* tracker = bar->GetDragTracker()) {
            tracker->SetMRUDockId(static_cast<int>(info->nMRUDockId));
            tracker->SetMRUDockRect(info->rcMRUDock);
            tracker->SetMRUFloatPosition(info->ptMRUFloat);
        }
        bar->SetWindowPos(nullptr, info->ptPosition.x, info->ptPosition.y, 0, 0,
                          SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE |
                              (info->bVisible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
        bar->SetVisibleFlag(info->bVisible);
        if (info->bFloating)
            bar->OnRecalcLayout();
    }
}

void CTKCommandBars::SaveState(const std::string& profile)
{
    const CSettingsStore* store = ProfileStore();
    if (!store)
        return;
    if (m_pMenuBar)
        m_pMenuBar->PrepareForSave();
    CTKBarStateInfo state;
    for (CTKToolBar* bar : m_bars)
        state.bars.push_back(BarInfoOf(bar));
    state.Save(*store, profile);
    SaveDockBars(*store, profile);
    if (m_bCustomizeAvailable)
        SaveControls(*store, profile);
    if (m_pMenuBar)
        m_pMenuBar->FinishSave();
}

void CTKCommandBars::LoadState(const std::string& profile, BOOL silent)
{
    const CSettingsStore* store = ProfileStore();
    if (!store)
        return;
    if (m_bCustomizeAvailable)
        LoadControls(*store, profile, silent);
    CTKBarStateInfo state;
    if (state.Load(*store, profile)) {
        LoadDockBars(*store, profile);
        ApplyBarState(state);
    }
    RelayoutFrame(TRUE);
}
