#include "CUsedVarRefView.h"

#include "model/CZULAppData.h"
#include "model/CpuProfile.h"
#include "platform/ui/CCmdUI.h"
#include "platform/ui/CFrameWnd.h"
#include "shell/CrossRefRules.h"
#include "shell/ui/CSheetSettings.h"
#include "shell/ui/ICrossRefHost.h"

#include <QKeyEvent>
#include <QTableWidget>

IMPLEMENT_DYNCREATE(CUsedVarRefView, CListView)

namespace {

enum Column { COLUMN_INDEX, COLUMN_ADDRESS, COLUMN_SYMBOL, COLUMN_POU, COLUMN_POSITION, COLUMN_ACCESS };

struct ColumnDef {
    const char* heading;
    int divisor; // of the frame's client width
};
constexpr ColumnDef COLUMNS[] = {
    {"Index", 8}, {"Address", 5}, {"Symbol", 5}, {"POU", 5}, {"Position", 5}, {"Read/Write", 6},
};

} // namespace

CUsedVarRefView::CUsedVarRefView()
{
    using Cmd = CCmdEntry<CUsedVarRefView>;
    static const Cmd kCommands[] = {
        Cmd::Command(ID_XREF_REFRESH, &CUsedVarRefView::OnRefresh),
        Cmd::Command(ID_XREF_GOTO, &CUsedVarRefView::OnGoTo),
        Cmd::Update(ID_XREF_GOTO, &CUsedVarRefView::OnUpdateGoTo),
        Cmd::Command(ID_XREF_OPTIONS, &CUsedVarRefView::OnOptions),
    };
    AddCommandTable(kCommands);
}

void CUsedVarRefView::Attach(CZULAppData* app, ICrossRefHost* host)
{
    m_app = app;
    m_host = host;
}

int CUsedVarRefView::OnCreate()
{
    if (CListView::OnCreate() == -1)
        return -1;
    InsertColumns();
    GetListCtrl().Table()->installEventFilter(this);
    return 0;
}

void CUsedVarRefView::InsertColumns()
{
    CRect client;
    if (CFrameWnd* frame = GetParentFrame())
        frame->GetClientRect(&client);
    else
        GetClientRect(&client);
    int column = 0;
    for (const ColumnDef& def : COLUMNS) {
        GetListCtrl().InsertColumn(column, def.heading, LVCFMT_LEFT, client.Width() / def.divisor);
        ++column;
    }
}

void CUsedVarRefView::OnRefresh()
{
    CListCtrl& list = GetListCtrl();
    list.DeleteAllItems();
    m_referenceCount = 0;
    if (!m_app)
        return;
    const CXrefRows collected = CollectXrefRows(*m_app, XrefCapacity);
    for (const CXrefRow& row : collected.rows) {
        const int item = list.InsertItem(m_referenceCount, row.index);
        list.SetItemText(item, COLUMN_ADDRESS, row.address);
        list.SetItemText(item, COLUMN_SYMBOL, row.symbol);
        list.SetItemText(item, COLUMN_POU, row.pou);
        list.SetItemText(item, COLUMN_POSITION, row.position);
        list.SetItemText(item, COLUMN_ACCESS, row.access);
        ++m_referenceCount;
    }
    if (collected.cutShort) {
        const int item = list.InsertItem(m_referenceCount, "");
        list.SetItemText(item, COLUMN_ADDRESS, XrefCutShortNote(XrefCapacity));
    }
}

void CUsedVarRefView::GoToReference(int item)
{
    if (item < 0 || item >= m_referenceCount || !m_app || !m_host)
        return;
    CListCtrl& list = GetListCtrl();
    const CXrefTarget target = XrefTargetOfPOU(m_app->Project, list.GetItemText(item, COLUMN_POU));
    const int number = XrefPositionNumber(list.GetItemText(item, COLUMN_POSITION));
    if (target.file.empty())
        return;
    m_host->SelectPOUItem(target.label);
    m_host->OpenPOUAt(target.file, number);
}

void CUsedVarRefView::OnGoTo()
{
    GoToReference(GetListCtrl().GetSelectionMark());
}

void CUsedVarRefView::OnUpdateGoTo(CCmdUI* cmdUI)
{
    const int item = GetListCtrl().GetSelectionMark();
    cmdUI->Enable(item >= 0 && item < m_referenceCount);
}

void CUsedVarRefView::OnOptions()
{
    if (!m_app)
        return;
    m_app->XrefOptionsRequest = 1;
    CSheetSettings sheet(*m_app, this);
    sheet.DoModal();
    OnRefresh();
}

void CUsedVarRefView::MakeCurrent(int item)
{
    if (item < 0)
        return;
    CListCtrl& list = GetListCtrl();
    list.SetItemState(item, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    list.SetSelectionMark(item);
}

BOOL CUsedVarRefView::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const auto* info = reinterpret_cast<const NMITEMACTIVATE*>(lParam);
    if (!info || info->hdr.hwndFrom != &GetListCtrl())
        return CListView::OnNotify(wParam, lParam, result);
    if (info->hdr.code == NM_DBLCLK) {
        MakeCurrent(info->iItem);
        GoToReference(info->iItem);
        return TRUE;
    }
    if (info->hdr.code == NM_RCLICK) {
        MakeCurrent(info->iItem);
        if (m_host) {
            const QPoint screen = GetListCtrl().mapToGlobal(QPoint(info->ptAction.x, info->ptAction.y));
            m_host->ShowCrossRefMenu(CPoint(screen.x(), screen.y()));
        }
        return TRUE;
    }
    return CListView::OnNotify(wParam, lParam, result);
}

bool CUsedVarRefView::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            OnGoTo();
            return true;
        }
    }
    return CListView::eventFilter(watched, event);
}
