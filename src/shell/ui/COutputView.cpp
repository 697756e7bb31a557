#include "shell/ui/COutputView.h"

#include "model/CZULAppData.h"
#include "platform/CUserInterface.h"
#include "shell/ui/COutputList.h"
#include "shell/ui/IOutputViewHost.h"
#include "toolkit/docking/tabs/CTKFlatTabCtrl.h"

namespace {

constexpr DWORD kTabStripStyle = 0x17;
constexpr DWORD kListStyle = WS_CHILD | WS_HSCROLL | WS_VSCROLL | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS
    | LVS_NOCOLUMNHEADER;
constexpr COLORREF kListBackground = RGB(255, 255, 255);
constexpr int kColumnCharacters = 500;
constexpr int kAverageCharWidth = 7;
constexpr const char* kHelpTopic = "Output";
constexpr int kDefaultHelpContext = 1;

const char* const kCaptions[OUTPUT_LIST_COUNT] = {"Common", "Compile", "FindReplace"};

} // namespace

IMPLEMENT_DYNCREATE(COutputView, CView)

COutputView::COutputView()
{
    using Cmd = CCmdEntry<COutputView>;
    static const Cmd kCommands[] = {
        Cmd::Command(ID_OUTPUT_CLEAR, &COutputView::OnClear),
        Cmd::Command(ID_OUTPUT_AUTOHIDE, &COutputView::OnAutoHide),
    };
    AddCommandTable(kCommands);
}

COutputView::~COutputView() = default;

COutputList* COutputView::GetList(unsigned list) const
{
    return list < OUTPUT_LIST_COUNT ? m_lists[list].get() : nullptr;
}

int COutputView::OnCreate()
{
    if (CView::OnCreate() == -1)
        return -1;
    m_tabs = std::make_unique<CTKFlatTabCtrl>();
    if (!m_tabs->Create(WS_CHILD | WS_VISIBLE | kTabStripStyle, CRect(), this, ID_OUTPUT_TABS))
        return -1;
    for (unsigned i = 0; i < OUTPUT_LIST_COUNT; ++i) {
        m_lists[i].reset();
        auto list = std::make_unique<COutputList>(*this, i);
        if (!list->Create(m_tabs.get(), CRect(), ID_OUTPUT_LIST_FIRST + i, kListStyle))
            return -1;
        list->SetExtendedStyle(LVS_EX_FULLROWSELECT);
        list->SetBackgroundColor(kListBackground);
        list->InsertColumn(0, "Info", LVCFMT_LEFT, kColumnCharacters * kAverageCharWidth);
        m_tabs->InsertItem(static_cast<int>(i), kCaptions[i], list.get());
        m_lists[i] = std::move(list);
    }
    SelectList(OUTPUT_LIST_FINDREPLACE);
    SelectList(OUTPUT_LIST_COMMON);
    return 0;
}

void COutputView::OnSize(UINT type, int cx, int cy)
{
    CView::OnSize(type, cx, cy);
    if (m_tabs)
        m_tabs->MoveWindow(CRect(0, 0, cx, cy));
}

void COutputView::SelectList(unsigned list)
{
    if (!m_tabs || list >= OUTPUT_LIST_COUNT)
        return;
    m_tabs->SetCurSel(static_cast<int>(list));
    m_lists[list]->SetIndex(list);
    m_tabs->Invalidate();
}

unsigned COutputView::GetCurrentList() const
{
    return m_tabs ? static_cast<unsigned>(m_tabs->GetCurSel()) : OUTPUT_LIST_COMMON;
}

BOOL COutputView::AppendLine(unsigned list, const std::string& text)
{
    COutputList* target = GetList(list);
    if (target == nullptr)
        return FALSE;
    SelectList(list);
    target->AppendLine(text);
    Invalidate(FALSE);
    return TRUE;
}

void COutputView::ClearList(unsigned list)
{
    if (COutputList* target = GetList(list))
        target->DeleteAllItems();
}

BOOL COutputView::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header != nullptr && header->idFrom == ID_OUTPUT_TABS && header->code == TCN_SELCHANGE) {
        const unsigned current = GetCurrentList();
        if (COutputList* list = GetList(current))
            list->SetIndex(current);
        *result = 0;
        return TRUE;
    }
    return CView::OnNotify(wParam, lParam, result);
}

void COutputView::OnAutoHide()
{
    if (m_host != nullptr)
        m_host->AutoHideOutputPane();
}

void COutputView::OnClear()
{
    ClearList(GetCurrentList());
}

void COutputView::OnListDoubleClick(const COutputList& list, int row)
{
    if (m_host == nullptr || list.GetIndex() == OUTPUT_LIST_COMMON)
        return;
    const COutputLineTarget target = RouteOutputLine(m_host->OutputProject(), list.GetIndex(),
                                                     list.GetItemText(row, 0));
    if (target.kind != COutputLineTarget::None)
        m_host->GoToOutputTarget(target);
}

void COutputView::OnListRightButton(const COutputList& list, CPoint point)
{
    if (m_host == nullptr)
        return;
    list.ClientToScreen(&point);
    m_host->ShowContextMenu(IDR_OUTPUT_MENU, point.x, point.y, this);
}

void COutputView::OnListHelp()
{
    int context = kDefaultHelpContext;
    if (!CZULAppData::FindHelpContext(kHelpTopic, context))
        context = kDefaultHelpContext;
    CUserInterface::Help().ShowHelp(kHelpTopic, context);
}
