#include "CQ7PLCTreeView.h"

#include "hardware/ui/CHardwareGridView.h"
#include "model/CModuleCatalogEntry.h"
#include "model/CZULAppData.h"
#include "platform/CIconImage.h"
#include "platform/CUserInterface.h"
#include "platform/ui/CMDIChildWnd.h"
#include "platform/ui/CMDIFrameWnd.h"
#include "platform/ui/CWinApp.h"
#include "platform/ui/QtText.h"

#include <QApplication>
#include <QToolTip>

IMPLEMENT_DYNCREATE(CQ7PLCTreeView, CTreeView)

namespace {

constexpr int kImageSize = 16;
constexpr int kImageCount = 3;
constexpr COLORREF kTransparentColor = RGB(255, 255, 255);
constexpr int kTooltipDelayMs = 2000;
constexpr int kCpuImage = 0;
constexpr int kModuleImage = 1;
constexpr int kGroupImage = 2;

struct CCatalogGroup {
    const char* caption;
    int firstRow;
    int endRow;
    int image;
};

const CCatalogGroup kCatalogGroups[] = {
    {"CPU Modules", 0, MODULE_CATALOG_CPU_ROWS, kCpuImage},
    {"Digital Modules", MODULE_CATALOG_FIRST_DIGITAL_ROW, MODULE_CATALOG_FIRST_ANALOG_ROW, kModuleImage},
    {"Analog Modules", MODULE_CATALOG_FIRST_ANALOG_ROW, MODULE_CATALOG_ROWS, kModuleImage},
};

void FillRect(CIconImage& strip, int image, int left, int top, int right, int bottom, COLORREF color)
{
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x)
            strip.SetPixel(image * kImageSize + x, y, CIconImage::ArgbFromColor(color));
    }
}

// The three pictures: a CPU with its pins, an I/O module with its terminal
// row, and a folder for the groups.
CIconImage DrawStrip()
{
    CIconImage strip(kImageSize * kImageCount, kImageSize, CIconImage::ArgbFromColor(kTransparentColor));
    FillRect(strip, kCpuImage, 3, 3, 13, 13, RGB(64, 64, 72));
    for (int pin = 4; pin < 13; pin += 3) {
        FillRect(strip, kCpuImage, pin, 1, pin + 1, 3, RGB(128, 128, 128));
        FillRect(strip, kCpuImage, pin, 13, pin + 1, 15, RGB(128, 128, 128));
    }
    FillRect(strip, kCpuImage, 5, 5, 8, 8, RGB(0, 160, 0));
    FillRect(strip, kModuleImage, 2, 2, 14, 14, RGB(40, 90, 170));
    FillRect(strip, kModuleImage, 4, 4, 12, 6, RGB(230, 230, 230));
    FillRect(strip, kModuleImage, 4, 10, 12, 12, RGB(250, 200, 40));
    FillRect(strip, kGroupImage, 1, 4, 7, 6, RGB(200, 150, 30));
    FillRect(strip, kGroupImage, 1, 6, 15, 14, RGB(240, 200, 60));
    return strip;
}

} // namespace

CQ7PLCTreeView::CQ7PLCTreeView()
{
    m_tipDelay.setSingleShot(true);
    m_tipDelay.setInterval(kTooltipDelayMs);
    connect(&m_tipDelay, &QTimer::timeout, this, [this] { ShowTooltip(); });
    connect(qApp, &QApplication::focusChanged, this, &CQ7PLCTreeView::OnFocusChanged);
}

CQ7PLCTreeView::~CQ7PLCTreeView()
{
    disconnect(qApp, nullptr, this, nullptr);
}

DWORD CQ7PLCTreeView::GetTreeStyle() const
{
    return TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_TRACKSELECT;
}

int CQ7PLCTreeView::OnCreate()
{
    if (CTreeView::OnCreate() == -1)
        return -1;
    BuildTree();
    return 0;
}

void CQ7PLCTreeView::BuildTree()
{
    m_images.Create(kImageSize, kImageSize, ILC_COLOR24 | ILC_MASK);
    m_images.Add(DrawStrip(), kTransparentColor);
    CTreeCtrl& tree = GetTreeCtrl();
    tree.SetImageList(&m_images);
    for (const CCatalogGroup& group : kCatalogGroups) {
        HTREEITEM root = tree.InsertItem(group.caption, kGroupImage, kGroupImage);
        for (int row = group.firstRow; row < group.endRow; ++row) {
            const CModuleCatalogEntry& entry = ModuleCatalog[row];
            if (!entry.shown)
                continue;
            HTREEITEM item = tree.InsertItem(entry.model, group.image, group.image, root);
            tree.SetItemData(item, reinterpret_cast<LPARAM>(&entry));
        }
        tree.Expand(root, TVE_EXPAND);
    }
}

const CModuleCatalogEntry* CQ7PLCTreeView::GetItemRow(HTREEITEM item) const
{
    if (!item || GetTreeCtrl().ItemHasChildren(item))
        return nullptr;
    return reinterpret_cast<const CModuleCatalogEntry*>(GetTreeCtrl().GetItemData(item));
}

void CQ7PLCTreeView::OnLButtonDown(UINT flags, CPoint point)
{
    m_armed = true;
    CTreeView::OnLButtonDown(flags, point);
}

// Only the module grid of the hardware window takes a module.
void CQ7PLCTreeView::OnLButtonDblClk(UINT flags, CPoint point)
{
    const CModuleCatalogEntry* row = GetItemRow(GetTreeCtrl().HitTest(point));
    CMDIFrameWnd* frame = m_frame;
    if (!frame && AfxGetApp())
        frame = dynamic_cast<CMDIFrameWnd*>(AfxGetApp()->GetMainWnd());
    CMDIChildWnd* child = frame ? frame->MDIGetActive() : nullptr;
    auto* grid = child ? dynamic_cast<CHardwareGridView*>(child->GetActiveView()) : nullptr;
    if (row && grid)
        grid->InsertCatalogModule(row);
    CTreeView::OnLButtonDblClk(flags, point);
}

std::string CQ7PLCTreeView::GetTooltipText(CPoint point) const
{
    const CTreeCtrl& tree = GetTreeCtrl();
    HTREEITEM item = tree.HitTest(point);
    const CModuleCatalogEntry* row = GetItemRow(item);
    CRect text;
    if (!row || !tree.GetItemRect(item, &text, TRUE) || !text.PtInRect(point))
        return {};
    return row->description;
}

bool CQ7PLCTreeView::IsPaneActive() const
{
    const QWidget* focus = QApplication::focusWidget();
    return isVisible() && focus && (focus == this || isAncestorOf(focus));
}

void CQ7PLCTreeView::OnMouseMove(UINT flags, CPoint point)
{
    CTreeView::OnMouseMove(flags, point);
    if (!m_armed || !IsPaneActive())
        return;
    const std::string tip = GetTooltipText(point);
    if (tip.empty()) {
        HideTooltip();
        return;
    }
    if (tip == m_pendingTip && m_tipDelay.isActive())
        return;
    m_pendingTip = tip;
    m_tipPoint = point;
    m_tipDelay.start();
}

void CQ7PLCTreeView::HideTooltip()
{
    m_tipDelay.stop();
    m_pendingTip.clear();
    QToolTip::hideText();
}

void CQ7PLCTreeView::ShowTooltip()
{
    if (m_pendingTip.empty())
        return;
    CPoint at = m_tipPoint;
    ClientToScreen(&at);
    QToolTip::showText(QPoint(at.x, at.y), ToQString(m_pendingTip), this);
}

// The keyboard focus leaving the pane disarms the tooltip until the next click.
void CQ7PLCTreeView::OnFocusChanged(QWidget* old, QWidget* now)
{
    const auto inside = [this](QWidget* widget) { return widget && (widget == this || isAncestorOf(widget)); };
    if (!inside(old) || inside(now))
        return;
    m_armed = false;
    HideTooltip();
}

void CQ7PLCTreeView::OnKeyDown(UINT ch, UINT repeat, UINT flags)
{
    if (ch == VK_F1) {
        const CTreeCtrl& tree = GetTreeCtrl();
        const std::string topic = tree.GetItemText(tree.GetSelectedItem());
        int context = 1;
        CZULAppData::FindHelpContext(topic, context);
        CUserInterface::Help().ShowHelp(topic, context);
    }
    CTreeView::OnKeyDown(ch, repeat, flags);
}
