#include "CHWInfoView.h"

#include "hardware/ui/CAioUsePic.h"
#include "hardware/ui/CCPUInfoView.h"
#include "hardware/ui/CCanOpenFrame.h"
#include "hardware/ui/CHWAIOScrView.h"
#include "hardware/ui/CHWAIView.h"
#include "hardware/ui/CHWAOView.h"
#include "hardware/ui/CHWDIOView.h"
#include "hardware/ui/CHWDIView.h"
#include "hardware/ui/CHWDOView.h"
#include "hardware/ui/CHWHowToView.h"
#include "hardware/ui/CHardwareGridView.h"
#include "model/CZULAppData.h"
#include "model/CZUL_Q7_PLC.h"
#include "platform/CUserInterface.h"
#include "toolkit/docking/tabs/CTKFlatTabCtrl.h"

IMPLEMENT_DYNCREATE(CHWInfoView, CView)

namespace {

constexpr DWORD kTabStripStyle = 3;
constexpr UINT kPageId = 1;
constexpr int kHelpContextNote = 1;
const char* const kNoteLabel = "Note";

// The CPUs that carry the CANopen master get the sheet with its CANopen page.
const BYTE kCanOpenCpuCodes[] = {45, 46, 47, 48, 49, 51};

bool HasCanOpenMaster(BYTE hardwareCode)
{
    for (BYTE code : kCanOpenCpuCodes) {
        if (code == hardwareCode)
            return true;
    }
    return false;
}

struct CModulePageClass {
    DWORD kinds;
    CHWModulePage* (*make)();
};

template <class Page>
CHWModulePage* MakeModulePage()
{
    return new Page;
}

// The page of each expansion module kind; the two-input analog I/O kind has
// its own page that holds a dialog.
const CModulePageClass kModulePageClasses[] = {
    {MODULE_KIND_DI_AC | MODULE_KIND_DI_DC, &MakeModulePage<CHWDIView>},
    {MODULE_KIND_DO_TRANSISTOR | MODULE_KIND_DO_RELAY, &MakeModulePage<CHWDOView>},
    {MODULE_KIND_DIO_TRANSISTOR | MODULE_KIND_DIO_RELAY, &MakeModulePage<CHWDIOView>},
    {MODULE_KIND_AI | MODULE_KIND_AI_THERMOCOUPLE | MODULE_KIND_AI_RTD | MODULE_KIND_AI_NTC,
     &MakeModulePage<CHWAIView>},
    {MODULE_KIND_AO, &MakeModulePage<CHWAOView>},
    {MODULE_KIND_AIO_4, &MakeModulePage<CHWAIOScrView>},
};

} // namespace

CHWInfoView::CHWInfoView() = default;
CHWInfoView::~CHWInfoView() = default;

int CHWInfoView::OnCreate()
{
    if (CView::OnCreate() == -1)
        return -1;
    m_tabs = new CTKFlatTabCtrl;
    CRect client;
    GetClientRect(&client);
    if (!m_tabs->Create(WS_CHILD | WS_VISIBLE | kTabStripStyle, client, this, IDC_HW_TAB_STRIP)) {
        delete m_tabs;
        m_tabs = nullptr;
        return -1;
    }
    return 0;
}

void CHWInfoView::OnInitialUpdate(CZULAppData& app)
{
    m_app = &app;
    if (!m_tabs)
        return;
    m_tabs->InsertItem(0, kNoteLabel, MakeNotePage());
    auto& modules = app.Project.Modules;
    if (modules.empty() || !modules.front())
        return;
    if (modules.size() == 1) {
        AddModulePage(1, modules.front().get());
        return;
    }
    for (size_t i = 1; i < modules.size(); ++i) {
        if (modules[i] && modules[i]->kindMask == MODULE_KIND_CPU) {
            modules.erase(modules.begin() + static_cast<std::ptrdiff_t>(i), modules.end());
            break;
        }
        const int tab = static_cast<int>(i);
        if (modules[i])
            AddModulePage(tab, modules[i].get());
        else
            m_tabs->InsertItem(tab, {}, MakeNotePage());
        m_tabs->SetTabText(tab, std::to_string(i + 1));
    }
    CWnd* cpuPage = MakePage(modules.front().get(), app);
    m_tabs->InsertItem(1, "1", cpuPage);
    if (m_grid)
        m_grid->SelectModuleRow(1, 1);
}

CWnd* CHWInfoView::MakeNotePage()
{
    auto* note = new CHWHowToView;
    if (!note->Create(m_tabs, CRect(), IDC_HW_NOTE_PAGE, WS_CHILD)) {
        delete note;
        return nullptr;
    }
    note->OnInitialUpdate();
    return note;
}

CWnd* CHWInfoView::MakePage(CZUL_Q7_PLC* record, CZULAppData& app)
{
    if (record->kindMask == MODULE_KIND_CPU) {
        if (HasCanOpenMaster(record->hardwareCode)) {
            auto* page = new CCanOpenFrame(app);
            page->SetModule(record);
            page->Create(m_tabs, CRect(), kPageId, WS_CHILD);
            page->OnInitialUpdate();
            return page;
        }
        auto* page = new CCPUInfoView(app);
        page->SetModule(record);
        page->Create(m_tabs, CRect(), kPageId, WS_CHILD);
        page->OnInitialUpdate();
        return page;
    }
    if (record->kindMask == MODULE_KIND_AIO_2) {
        auto* page = new CAioUsePic;
        page->SetModule(record);
        page->SetGridRedraw(m_grid);
        page->Create(m_tabs, CRect(), kPageId, WS_CHILD);
        page->OnInitialUpdate();
        return page;
    }
    for (const CModulePageClass& pageClass : kModulePageClasses) {
        if (!(pageClass.kinds & record->kindMask))
            continue;
        CHWModulePage* page = pageClass.make();
        page->SetModule(record);
        page->SetGridRedraw(m_grid);
        page->Create(m_tabs, CRect(), kPageId, WS_CHILD);
        page->OnInitialUpdate();
        return page;
    }
    return nullptr;
}

void CHWInfoView::AddModulePage(int tab, CZUL_Q7_PLC* record)
{
    if (!record || !m_tabs || !m_app)
        return;
    // A kind without page keeps its tab with the note, so tabs stay with their slots.
    CWnd* page = MakePage(record, *m_app);
    if (!page)
        page = MakeNotePage();
    if (tab < m_tabs->GetItemCount())
        RemoveTab(tab);
    m_tabs->InsertItem(tab, std::to_string(tab), page);
}

void CHWInfoView::DiscardPage(CWnd* page)
{
    if (page)
        page->DestroyWindow();
}

void CHWInfoView::RemoveTab(int tab)
{
    if (!m_tabs || tab < 0 || tab >= m_tabs->GetItemCount())
        return;
    CWnd* page = m_tabs->GetTabWindow(tab);
    m_tabs->DeleteItem(tab);
    DiscardPage(page);
}

void CHWInfoView::ReplaceWithNotePage(int tab, const std::string& label)
{
    if (!m_tabs || tab < 0 || tab >= m_tabs->GetItemCount())
        return;
    const int current = m_tabs->GetCurSel();
    RemoveTab(tab);
    m_tabs->InsertItem(tab, label, MakeNotePage());
    m_tabs->SetCurSel(current);
}

int CHWInfoView::GetTabCount() const
{
    return m_tabs ? m_tabs->GetItemCount() : 0;
}

int CHWInfoView::GetCurrentTab() const
{
    return m_tabs ? m_tabs->GetCurSel() : -1;
}

void CHWInfoView::SetCurrentTab(int tab)
{
    if (m_tabs)
        m_tabs->SetCurSel(tab);
}

CWnd* CHWInfoView::GetPage(int tab) const
{
    return m_tabs ? m_tabs->GetTabWindow(tab) : nullptr;
}

void CHWInfoView::OnSize(UINT type, int cx, int cy)
{
    CView::OnSize(type, cx, cy);
    if (!m_tabs)
        return;
    m_tabs->MoveWindow(CRect(0, 0, cx, cy));
    if (CWnd* page = GetPage(GetCurrentTab()))
        page->UpdateWindow();
}

BOOL CHWInfoView::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (wParam == IDC_HW_TAB_STRIP && header && header->code == TCN_SELCHANGE) {
        const int tab = GetCurrentTab();
        if (tab != 0 && m_grid)
            m_grid->SelectModuleRow(tab, 1);
        return TRUE;
    }
    return CView::OnNotify(wParam, lParam, result);
}

BOOL CHWInfoView::PreTranslateMessage(MSG* msg)
{
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_F1)
        CUserInterface::Help().ShowHelp({}, kHelpContextNote);
    return CView::PreTranslateMessage(msg);
}
