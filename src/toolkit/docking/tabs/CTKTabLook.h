#pragma once
// The shape of tabs and of the client area: the header (tab strip) and its
// height, the client rectangle, the margins of the tab area, how one tab
// is drawn and how the client area is framed. Geometry is stated for tabs
// at the top and turned to the tab set's side.

#include "platform/WinTypes.h"

class CDC;
class CTKTabItem;
class CTKTabRenderer;
class CTKTabSet;

class CTKTabLook {
public:
    // A line or pixel in this colour is not drawn.
    static constexpr COLORREF kNoColor = static_cast<COLORREF>(-1);
    static constexpr int kMinTextHeight = 18;

    CTKTabLook() = default;
    virtual ~CTKTabLook() = default;
    CTKTabLook(const CTKTabLook&) = delete;
    CTKTabLook& operator=(const CTKTabLook&) = delete;

    virtual void RefreshMetrics();
    virtual CRect GetHeaderRect(CRect rect, CTKTabSet* tabSet);
    virtual CRect GetClientAreaRect(CRect rect, CTKTabSet* tabSet);
    virtual CRect GetTabAreaMargins() const { return m_margins; }
    virtual CRect GetClientMargins() const;
    virtual int GetTabExtent(CDC* dc, CTKTabItem* tab);
    virtual int GetHeaderHeight(CTKTabSet* tabSet);
    virtual void DrawTabSet(CDC* dc, CRect rect, CTKTabSet* tabSet);
    // Draws the client area and its frame; returns the header rectangle.
    virtual CRect FillClient(CDC* dc, CRect rect, CTKTabSet* tabSet);
    virtual void RepositionTabs(CTKTabSet* tabSet, CDC* dc, CRect rect);
    virtual void AdjustClientRect(CTKTabSet* tabSet, CRect* rect);
    virtual void DrawTab(CDC* dc, CTKTabItem* tab);
    // The tab client's own window parts: 0 frame, 1 client, 2 and 3 the corners.
    virtual void DrawWorkspacePart(CDC* dc, CRect* rect, int part);
    virtual int GetStyleConstant() const { return 15; }
    virtual int GetDefaultColorType() const { return 1; }

    void SetTabAreaMargins(const CRect& margins) { m_margins = margins; }
    int GetTextHeight() const { return m_textHeight; }
    CTKTabRenderer* GetRenderer() const { return m_renderer; }
    void SetRenderer(CTKTabRenderer* renderer) { m_renderer = renderer; }

    // A one-pixel line along the header side: top or left in the first
    // colour, bottom or right in the second.
    static void DrawTabEdgeLine(CDC* dc, CRect rect, int position, COLORREF first, COLORREF second);
    // Lines from the first point through points given as offsets from the previous one.
    static void DrawRelativePolyline(CDC* dc, COLORREF color, const CPoint* points, int count);
    static void DrawLine(CDC* dc, COLORREF color, int x1, int y1, int x2, int y2);
    // A point of a figure stated for the top position, turned to the position within rect.
    static CPoint TurnPoint(CPoint point, const CRect& rect, int position);
    // Fills the polygon with the colour set's tab fill; returns the fill colour.
    COLORREF FillTabPolygon(CDC* dc, CTKTabItem* tab, const CPoint* points, int count, int position,
                            BOOL absolute);

protected:
    // Client frames shared by several looks.
    CRect FillClientFrame3D(CDC* dc, CRect rect, CTKTabSet* tabSet);
    // A frame in two colours around the client area, or along its header side.
    CRect FillClientFrameLine(CDC* dc, CRect rect, CTKTabSet* tabSet, COLORREF first, COLORREF second);
    int PositionOf(const CTKTabSet* tabSet) const;
    // Sets the caption's colour and draws the label into the rectangle.
    void DrawLabel(CDC* dc, CTKTabItem* tab, const CRect& rect);
    // A rectangle of one colour; nothing for the colour -1.
    static void FillEdge(CDC* dc, const CRect& rect, COLORREF color);

    CRect m_margins;
    int m_textHeight = kMinTextHeight;
    CTKTabRenderer* m_renderer = nullptr;
};
