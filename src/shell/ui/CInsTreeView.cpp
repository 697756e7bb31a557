#include "CInsTreeView.h"

#include "IInsTreeHost.h"
#include "platform/ui/QtText.h"
#include "model/CZULAppData.h"
#include "model/CZULFunc.h"
#include "shell/InsTreeRules.h"

#include <QCursor>
#include <QImage>
#include <QToolTip>
#include <QTreeWidget>

namespace {

constexpr int kImageSize = 16;
constexpr COLORREF kTransparentColor = RGB(255, 255, 255);
constexpr char kImageResource[] = ":/Bitmap/instree";
// The tooltip shows this long after the pointer came to rest on an item.
constexpr int kTooltipDelayMs = 2000;
constexpr size_t kTooltipMaxChars = 79;

CIconImage LoadStrip()
{
    const QImage image = QImage(kImageResource).convertToFormat(QImage::Format_ARGB32);
    CIconImage strip(image.width(), image.height());
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            strip.SetPixel(x, y, image.pixel(x, y));
    }
    return strip;
}

} // namespace

IMPLEMENT_DYNAMIC(CInsTreeView, CTreeView)

CInsTreeView::CInsTreeView()
{
    m_tipDelay.setSingleShot(true);
    m_tipDelay.setInterval(kTooltipDelayMs);
    connect(&m_tipDelay, &QTimer::timeout, this, &CInsTreeView::ShowTooltip);
}

void CInsTreeView::Attach(CZULAppData* app, IInsTreeHost* host)
{
    m_app = app;
    m_host = host;
}

DWORD CInsTreeView::GetTreeStyle() const
{
    return TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS | TVS_TRACKSELECT;
}

HTREEITEM CInsTreeView::BuildInstructionTree(BOOL ld)
{
    if (!m_images.IsCreated()) {
        m_images.Create(kImageSize, kImageSize, ILC_COLOR24 | ILC_MASK);
        m_images.Add(LoadStrip(), kTransparentColor);
        GetTreeCtrl().SetImageList(&m_images);
    }
    FillTree(ld, INSTREE_NO_PROJECT);
    return m_sbr;
}

void CInsTreeView::RebuildInstructionTree(BOOL ld)
{
    if (!m_app)
        return;
    setUpdatesEnabled(false);
    GetTreeCtrl().DeleteAllItems();
    m_app->InsTreeLDShown = ld ? 1 : 0;
    m_app->InsTreeILShown = ld ? 0 : 1;
    FillTree(ld, m_app->GetCPUFamilyMask());
    setUpdatesEnabled(true);
    Invalidate();
}

void CInsTreeView::FillTree(BOOL ld, DWORD familyBit)
{
    CTreeCtrl& tree = GetTreeCtrl();
    tree.DeleteAllItems();
    m_clock = m_interrupt = m_pid = m_timer = nullptr;
    const int categoryImage = InsTreeCategoryImage(ld);
    const std::map<std::string, HTREEITEM*> kept = {
        {"Interrupt", &m_interrupt}, {"Clock", &m_clock}, {"Timer", &m_timer}, {"PID", &m_pid}};
    for (const CInsTreeCategory& category : InsTreeCategories(ld, familyBit)) {
        HTREEITEM item = tree.InsertItem(category.name, categoryImage, categoryImage);
        const auto handle = kept.find(category.name);
        if (handle != kept.end())
            *handle->second = item;
        for (const CInstructionDef* row : category.rows) {
            const int image = InsTreeInstructionImage(ld, *row);
            HTREEITEM child = tree.InsertItem(row->name, image, image, item);
            tree.SetItemData(child, reinterpret_cast<LPARAM>(row));
        }
    }
    m_sbr = tree.InsertItem(INSTREE_SUBROUTINES, categoryImage, categoryImage);
}

void CInsTreeView::AddSubroutine(CZULFunc* function)
{
    if (!function || !m_sbr)
        return;
    CTreeCtrl& tree = GetTreeCtrl();
    HTREEITEM after = TVI_FIRST;
    for (HTREEITEM item = tree.GetChildItem(m_sbr); item; item = tree.GetNextSiblingItem(item)) {
        if (tree.GetItemText(item) > function->name)
            break;
        after = item;
    }
    HTREEITEM item = tree.InsertItem(function->name, INSTREE_IMAGE_SUBROUTINE, INSTREE_IMAGE_SUBROUTINE, m_sbr, after);
    tree.SetItemData(item, reinterpret_cast<LPARAM>(function));
}

void CInsTreeView::AddSubroutines(const std::map<std::string, CZULFunc*>& interfaces)
{
    ClearSubroutines();
    for (const auto& [name, function] : interfaces)
        AddSubroutine(function);
    GetTreeCtrl().Expand(m_sbr, TVE_EXPAND);
}

BOOL CInsTreeView::RenameSubroutine(const std::string& oldName, const std::string& newName)
{
    CTreeCtrl& tree = GetTreeCtrl();
    for (HTREEITEM item = tree.GetChildItem(m_sbr); item; item = tree.GetNextSiblingItem(item)) {
        if (tree.GetItemText(item) == oldName)
            return tree.SetItemText(item, newName);
    }
    return FALSE;
}

BOOL CInsTreeView::RemoveSubroutine(const std::string& name)
{
    CTreeCtrl& tree = GetTreeCtrl();
    for (HTREEITEM item = tree.GetChildItem(m_sbr); item; item = tree.GetNextSiblingItem(item)) {
        if (tree.GetItemText(item) == name)
            return tree.DeleteItem(item);
    }
    return FALSE;
}

void CInsTreeView::ClearSubroutines()
{
    CTreeCtrl& tree = GetTreeCtrl();
    while (HTREEITEM item = tree.GetChildItem(m_sbr))
        tree.DeleteItem(item);
}

bool CInsTreeView::IsInstructionLeaf(HTREEITEM item) const
{
    const CTreeCtrl& tree = GetTreeCtrl();
    return item && !tree.ItemHasChildren(item) && item != m_sbr && tree.GetParentItem(item) != m_sbr;
}

void CInsTreeView::OnLButtonDown(UINT flags, CPoint point)
{
    m_mouseSeen = TRUE;
    CTreeView::OnLButtonDown(flags, point);
}

void CInsTreeView::OnLButtonDblClk(UINT flags, CPoint point)
{
    CTreeView::OnLButtonDblClk(flags, point);
    if (!m_app || !m_host || m_app->Monitoring)
        return;
    CWnd* view = m_host->GetActivePOUEditorView();
    if (!view)
        return;
    CTreeCtrl& tree = GetTreeCtrl();
    HTREEITEM item = tree.HitTest(point);
    if (!item || tree.ItemHasChildren(item) || item == m_sbr)
        return;
    const int wParam = InsTreeInsertWParam(tree.GetParentItem(item) == m_sbr, m_app->InsTreeLDShown,
                                           m_app->InsTreeILShown);
    if (wParam < 0)
        return;
    view->PostMessage(WM_INSERT_FROM_CATALOGUE, WPARAM(wParam), tree.GetItemData(item));
}

void CInsTreeView::OnRButtonDown(UINT flags, CPoint point)
{
    HTREEITEM item = GetTreeCtrl().HitTest(point);
    if (!item) {
        CTreeView::OnRButtonDown(flags, point);
        return;
    }
    GetTreeCtrl().SelectItem(item);
}

void CInsTreeView::OnMouseMove(UINT flags, CPoint point)
{
    RelayTooltip(point);
    CTreeView::OnMouseMove(flags, point);
}

std::string CInsTreeView::GetTooltipText(CPoint point) const
{
    const CTreeCtrl& tree = GetTreeCtrl();
    HTREEITEM item = tree.HitTest(point);
    if (!IsInstructionLeaf(item))
        return {};
    const auto* row = reinterpret_cast<const CInstructionDef*>(tree.GetItemData(item));
    if (!row)
        return {};
    return std::string(row->description).substr(0, kTooltipMaxChars);
}

void CInsTreeView::RelayTooltip(CPoint point)
{
    const CTreeCtrl& tree = GetTreeCtrl();
    HTREEITEM item = tree.HitTest(point);
    CRect text;
    const bool onText = IsInstructionLeaf(item) && tree.GetItemRect(item, &text, TRUE) && text.PtInRect(point);
    if (!m_mouseSeen || !onText || !m_host || !m_host->IsInstructionsPaneActive()) {
        PopTooltip();
        return;
    }
    const std::string tip = GetTooltipText(point);
    if (tip == m_armedTip && m_tipDelay.isActive())
        return;
    m_armedTip = tip;
    m_tipPoint = point;
    m_tipDelay.start();
}

void CInsTreeView::PopTooltip()
{
    m_tipDelay.stop();
    m_armedTip.clear();
    QToolTip::hideText();
}

void CInsTreeView::ShowTooltip()
{
    if (m_armedTip.empty())
        return;
    CPoint at = m_tipPoint;
    ClientToScreen(&at);
    QToolTip::showText(QPoint(at.x, at.y), ToQString(m_armedTip), this);
}

void CInsTreeView::OnKeyDown(UINT ch, UINT repeat, UINT flags)
{
    if (ch == VK_F1) {
        const CTreeCtrl& tree = GetTreeCtrl();
        HTREEITEM item = tree.GetSelectedItem();
        OpenInsTreeHelp(tree.GetItemText(item), tree.GetItemText(tree.GetParentItem(item)));
    }
    CTreeView::OnKeyDown(ch, repeat, flags);
}
