#pragma once
// A tab set as an owner would keep one: it lays itself out again on every
// change, counts redraws and close clicks, and draws a fixed icon for tabs
// that have one.

#include "platform/ui/CQtImageDC.h"
#include "toolkit/docking/tabs/CTKTabItem.h"
#include "toolkit/docking/tabs/CTKTabRenderer.h"
#include "toolkit/docking/tabs/CTKTabSet.h"

#include <functional>
#include <string>
#include <vector>

class CTestTabSet : public CTKTabSet {
public:
    explicit CTestTabSet(CTKTabRenderer* renderer) : m_renderer(renderer) {}

    CTKTabRenderer* GetRenderer() const override { return m_renderer; }
    void Redraw() override
    {
        ++redraws;
        if (onRedraw)
            onRedraw();
    }
    BOOL DrawTabIcon(CDC* dc, int x, int y, CTKTabItem* tab, BOOL draw) override;
    void OnNavigateButtonClick(int kind) override { clicks.push_back(kind); }
    void OnLayoutChanged() override;

    // Lays the set out in the rectangle now and on every later change.
    void Place(const CRect& rect);
    CTKTabItem* Add(const std::string& caption, BOOL icon = FALSE);
    std::vector<std::string> Captions() const;

    int redraws = 0;
    int layouts = 0;
    std::vector<int> clicks;
    std::function<void()> onRedraw;

private:
    CTKTabRenderer* m_renderer;
    CRect m_place;
    BOOL m_placed = FALSE;
    BOOL m_inLayout = FALSE;
    CQtImageDC m_measure {1, 1};
};

// The extent of a caption as the renderer measures it.
int CaptionWidth(CTKTabRenderer* renderer, const std::string& caption);
