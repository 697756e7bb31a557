#pragma once
// A row of tabs drawn inside a window it does not own: the tabs in display
// order, the selected and the hot tab, the scroll offset and the three
// navigation buttons. The renderer measures, lays out and draws it and
// writes its rectangles back; the owner forwards the mouse to it.

#include "platform/CIconImage.h"
#include "platform/ui/WinMessages.h"
#include "toolkit/docking/tabs/CTKTabLayoutSink.h"
#include "toolkit/docking/tabs/CTKTabNavigateButton.h"

#include <memory>
#include <string>
#include <vector>

class CDC;
class CTKTabItem;
class CTKTabRenderer;
class CWnd;

class CTKTabSet : public CTKTabLayoutSink {
public:
    // Automatic tab colours stand for an eight-colour palette.
    static constexpr COLORREF kAutoColorFirst = 0x1000000;
    static constexpr int kAutoColorCount = 8;
    static constexpr int kDefaultFixedWidth = 70;
    static constexpr int kDefaultFixedHeight = 18;

    CTKTabSet();
    ~CTKTabSet() override;
    CTKTabSet(const CTKTabSet&) = delete;
    CTKTabSet& operator=(const CTKTabSet&) = delete;

    virtual std::string GetTabCaption(const CTKTabItem* tab) const;
    virtual const CIconImage* GetTabIcon(const CTKTabItem* tab) const;
    virtual COLORREF GetTabColor(const CTKTabItem* tab) const;
    virtual std::string GetTabTooltip(const CTKTabItem* tab) const;
    virtual void RefreshIndexes();
    virtual void SetSelectedTab(CTKTabItem* tab);
    virtual void GetTabSizes(CSize* fixed, CSize* minimum, CSize* maximum) const;
    virtual CTKTabRenderer* GetRenderer() const = 0;
    virtual void Redraw() = 0;
    virtual BOOL IsReorderAllowed() const { return m_reorderAllowed; }
    virtual void SetReorderAllowed(BOOL allowed) { m_reorderAllowed = allowed; }
    virtual BOOL IsFrameVisible() const;
    // Without draw only answers whether the tab has an icon; with draw paints it at (x, y).
    virtual BOOL DrawTabIcon(CDC* dc, int x, int y, CTKTabItem* tab, BOOL draw) = 0;
    virtual int GetPosition() const;
    virtual void OnTabClick(CTKTabItem* tab);
    virtual void TrackTabDrag(CWnd* window, int x, int y, CTKTabItem* tab);
    virtual void OnNavigateButtonClick(int kind);
    virtual BOOL IsInputLocked() const { return FALSE; }

    // Inserts the tab (a new one for nullptr); an index out of range appends.
    CTKTabItem* InsertTab(int index, CTKTabItem* tab);
    BOOL RemoveTabAt(int index);
    void RemoveAllTabs();
    void SelectNeighbourTab(int index);
    void SetScrollOffset(int offset);
    int GetScrollOffset() const { return m_scrollOffset; }
    int GetTotalTabLength() const;
    void EnsureVisible(CTKTabItem* tab);
    void SetTabSizes(CSize fixed, CSize minimum, CSize maximum);
    void SetActive(BOOL active);
    BOOL IsActive() const { return m_active; }
    CTKTabNavigateButton* FindNavigateButton(int kind) const;
    CTKTabItem* HitTest(int x, int y) const;
    // The owner passes its window and client coordinates; a mouse-leave is a move to (-1, -1).
    BOOL OnMouseDown(CWnd* window, int x, int y, BOOL buttonsOnly);
    void OnMouseMove(CWnd* window, int x, int y);
    // The tab's index as the tool id, -1 when the tab has no tooltip.
    int FillToolInfo(CWnd* window, CTKTabItem* tab, TOOLINFO* info) const;

    int GetTabCount() const { return static_cast<int>(m_tabs.size()); }
    CTKTabItem* GetTab(int index) const;
    CTKTabItem* GetSelectedTab() const { return m_selected; }
    CTKTabItem* GetHotTab() const { return m_hot; }
    void SetHotTab(CTKTabItem* tab) { m_hot = tab; }
    int GetNavigateButtonCount() const { return static_cast<int>(m_buttons.size()); }
    CTKTabNavigateButton* GetNavigateButton(int index) const;

    CRect GetHeaderRect() const { return m_headerRect; }
    void SetHeaderRect(const CRect& rect) { m_headerRect = rect; }
    CRect GetWholeRect() const { return m_wholeRect; }
    void SetWholeRect(const CRect& rect) { m_wholeRect = rect; }
    CRect GetClientRect() const { return m_clientRect; }
    void SetClientRect(const CRect& rect) { m_clientRect = rect; }

protected:
    void SetSelectedDirect(CTKTabItem* tab) { m_selected = tab; }
    void SwapTabs(int first, int second);

private:
    BOOL IsHotTracking() const;
    static void ReleaseTab(CTKTabItem* tab);

    CTKTabItem* m_selected = nullptr;
    CTKTabItem* m_hot = nullptr;
    int m_scrollOffset = 0;
    BOOL m_reorderAllowed = TRUE;
    BOOL m_active = TRUE;
    CSize m_fixedSize {kDefaultFixedWidth, kDefaultFixedHeight};
    CSize m_minimumSize;
    CSize m_maximumSize;
    CRect m_headerRect;
    CRect m_wholeRect;
    CRect m_clientRect;
    std::vector<CTKTabItem*> m_tabs;
    std::vector<std::unique_ptr<CTKTabNavigateButton>> m_buttons;
    int m_tabsAdded = 0;
};
