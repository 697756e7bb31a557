#include "TestTabSet.h"

#include "toolkit/commandbars/draw/CTKDCSelectGuard.h"

namespace {

constexpr COLORREF kIconColor = RGB(0, 128, 0);
constexpr int kIconSize = 16;

} // namespace

BOOL CTestTabSet::DrawTabIcon(CDC* dc, int x, int y, CTKTabItem* tab, BOOL draw)
{
    if (tab == nullptr || tab->GetData() == 0)
        return FALSE;
    if (draw)
        dc->FillSolidRect(x, y, kIconSize, kIconSize, kIconColor);
    return TRUE;
}

void CTestTabSet::OnLayoutChanged()
{
    ++layouts;
    if (!m_placed || m_inLayout)
        return;
    m_inLayout = TRUE;
    m_renderer->RepositionTabs(this, &m_measure, m_place);
    m_inLayout = FALSE;
    Redraw();
}

void CTestTabSet::Place(const CRect& rect)
{
    m_place = rect;
    m_placed = TRUE;
    OnLayoutChanged();
}

CTKTabItem* CTestTabSet::Add(const std::string& caption, BOOL icon)
{
    CTKTabItem* tab = InsertTab(-1, nullptr);
    tab->SetData(icon ? 1 : 0);
    tab->SetCaption(caption);
    return tab;
}

std::vector<std::string> CTestTabSet::Captions() const
{
    std::vector<std::string> out;
    for (int i = 0; i < GetTabCount(); ++i)
        out.push_back(GetTab(i)->GetCaption());
    return out;
}

int CaptionWidth(CTKTabRenderer* renderer, const std::string& caption)
{
    CQtImageDC dc(1, 1);
    CTKDCSelectGuard font(&dc, renderer->GetRegularFont());
    CRect rect;
    dc.DrawText(caption, &rect, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
    return rect.Width();
}
