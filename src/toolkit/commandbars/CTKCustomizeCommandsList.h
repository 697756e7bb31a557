#pragma once
// The command list of the Commands page: one row per control of the chosen
// category, drawn by the bar renderer so that it looks like the control on
// a bar. Pressing a row selects it and drags a copy of its control out,
// onto any bar.

#include "platform/ui/CWnd.h"

#include <vector>

class CTKBarRenderer;
class CTKControl;
class CTKCustomizeCommandsPage;

class CTKCustomizeCommandsList : public CWnd {
public:
    void SetPage(CTKCustomizeCommandsPage* page) { m_pPage = page; }

    void ResetContent();
    void AddItem(CTKControl* control);
    int GetCount() const { return static_cast<int>(m_items.size()); }
    CTKControl* GetItemData(int index) const;
    int GetCurSel() const { return m_nCurSel; }
    void SetCurSel(int index);
    int GetItemHeight() const { return m_nItemHeight; }
    void SetItemHeight(int height) { m_nItemHeight = height > 0 ? height : 1; }
    // The row under the client point; -1 beside the rows.
    int ItemFromPoint(CPoint point) const;
    CRect GetItemRect(int index) const;
    int GetTopIndex() const { return m_nTopIndex; }

protected:
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    BOOL OnMouseWheel(UINT flags, short delta, CPoint point) override;

private:
    CTKBarRenderer* GetRenderer() const;
    void SetTopIndex(int index);

    CTKCustomizeCommandsPage* m_pPage = nullptr;
    std::vector<CTKControl*> m_items;
    int m_nCurSel = -1;
    int m_nTopIndex = 0;
    int m_nItemHeight = 1;
};
