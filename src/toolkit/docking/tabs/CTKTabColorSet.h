#pragma once
// The colours and fills of a tab strip. The look decides the shapes and
// asks the colour set for fills, frames and text colours.

#include "toolkit/commandbars/draw/CTKColorPair.h"

class CDC;
class CTKTabItem;
class CTKTabNavigateButton;
class CTKTabRenderer;
class CTKTabSet;

class CTKTabColorSet {
public:
    static constexpr int kOutlineCount = 6;
    // As the first colour of a gradient: a halftone of 3-D face and highlight.
    static constexpr COLORREF kHalftone = static_cast<COLORREF>(-2);
    static constexpr COLORREF kNoColor = static_cast<COLORREF>(-1);

    CTKTabColorSet() = default;
    virtual ~CTKTabColorSet() = default;
    CTKTabColorSet(const CTKTabColorSet&) = delete;
    CTKTabColorSet& operator=(const CTKTabColorSet&) = delete;

    virtual void RefreshColors();
    virtual void SetTabTextColor(CDC* dc, CTKTabItem* tab);
    virtual void FillHeaderGradient(CDC* dc, CRect rect, CTKTabSet* tabSet);
    virtual COLORREF FillClient(CDC* dc, CRect rect, CTKTabSet* tabSet);
    virtual void FillButtonTab(CDC* dc, CRect rect, CTKTabItem* tab);
    virtual COLORREF FillTab(CDC* dc, CRect rect, CTKTabItem* tab);
    virtual void FillHeader(CDC* dc, CRect rect, CTKTabSet* tabSet);
    virtual void DrawNavigateButtonFrame(CDC* dc, CTKTabNavigateButton* button, CRect* rect) = 0;
    virtual COLORREF GetTabColor(CTKTabItem* tab);
    virtual BOOL IsThemed() { return FALSE; }

    // A gradient along the strip's depth; bottom and right strips and the
    // renderer's reversed flag exchange the ends.
    void FillGradientByPosition(CDC* dc, CRect rect, COLORREF from, COLORREF to, int position);

    CTKTabRenderer* GetRenderer() const { return m_renderer; }
    void SetRenderer(CTKTabRenderer* renderer) { m_renderer = renderer; }

    CTKColorPair headerGradient;
    CTKColorPair secondGradient;
    COLORREF frameColor = 0;
    COLORREF faceColor = 0;
    COLORREF lightColor = 0;
    COLORREF selectedTabColor = 0;
    COLORREF normalTabColor = 0;
    COLORREF textColor = 0;
    COLORREF inactiveTextColor = 0;
    COLORREF selectedTextColor = 0;
    COLORREF hotTextColor = 0;
    COLORREF disabledTextColor = 0;
    CTKColorPair buttonFill;
    CTKColorPair buttonBorder;
    COLORREF light3D = 0;
    COLORREF shadow3D = 0;
    COLORREF darkShadow3D = 0;
    COLORREF slantShadow[2] {};
    COLORREF slantFace[2] {};
    COLORREF selectedOutline[kOutlineCount] {};
    COLORREF outline[kOutlineCount] {};

    COLORREF GetFrameColor() const { return frameColor; }
    COLORREF GetFaceColor() const { return faceColor; }

protected:
    // Pressed and hot as the default set draws them.
    void DrawButtonFrameDefault(CDC* dc, CTKTabNavigateButton* button, CRect* rect);
    BOOL IsLookType(int type) const;
    static COLORREF Color(int index);

    CTKTabRenderer* m_renderer = nullptr;
};
