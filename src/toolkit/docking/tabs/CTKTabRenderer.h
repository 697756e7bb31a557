#pragma once
// The paint manager of tab strips: the settings its tab sets share, one
// look (the shapes) and one colour set (the colours), and the work common
// to every look: measuring a tab, laying out a tab set, scrolling a tab
// into view and the drawing sequence of a whole tab set.

#include "platform/CFont.h"
#include "platform/ui/CCmdTarget.h"

#include <memory>
#include <vector>

class CDC;
class CTKTabColorSet;
class CTKTabItem;
class CTKTabLook;
class CTKTabNavigateButton;
class CTKTabSet;

class CTKTabRenderer : public CCmdTarget {
public:
    enum Position { kTop = 0, kLeft = 1, kBottom = 2, kRight = 3 };
    enum LayoutMode { kLayoutSizeToFit = 0, kLayoutShrink = 1, kLayoutFixed = 2, kLayoutSelectedCaption = 3 };
    enum ClientFrame { kFrame3D = 0, kFrameSingle = 1, kFrameNone = 2 };

    CTKTabRenderer();
    ~CTKTabRenderer() override;

    virtual void DrawTabSet(CDC* dc, CRect rect, CTKTabSet* tabSet);
    virtual void AdjustClientRect(CTKTabSet* tabSet, CRect* rect);
    virtual void RepositionTabs(CTKTabSet* tabSet, CDC* dc, CRect rect);
    virtual void RefreshMetrics();
    virtual void NotifyTabSets();

    CTKTabLook* SetLook(int type);
    void AttachLook(CTKTabLook* look);
    CTKTabColorSet* SetColors(int type);
    void AttachColorSet(CTKTabColorSet* colorSet);
    CTKTabLook* GetLook() const { return m_look.get(); }
    CTKTabColorSet* GetColorSet() const { return m_colorSet.get(); }
    int GetLookType() const { return m_lookType; }
    int GetColorType() const { return m_colorType; }
    void SetPosition(int position);
    int GetPosition() const { return m_position; }
    void SetLayoutMode(int mode);
    int GetLayoutMode() const { return m_layoutMode; }
    BOOL IsLunaColorsOff() const;
    void DrawNavigateButtonFrame(CDC* dc, CTKTabNavigateButton* button, CRect* rect);

    void EnsureTabVisible(CTKTabSet* tabSet, CTKTabItem* tab);
    // Without draw the tab's extent along the strip; with draw its icon and caption.
    int DrawTabLabel(CDC* dc, CTKTabItem* tab, CRect rect, BOOL draw);
    void LayoutTabs(CTKTabSet* tabSet, CDC* dc, CRect rect);
    void DrawTabSetDefault(CDC* dc, CRect rect, CTKTabSet* tabSet);
    // Layout mode 1: cuts the widest tabs until they fit the available length.
    static void ShrinkTabsToFit(std::vector<int>* extents, int available);

    // Maps margins given for the top position to the position.
    static void InflateRectByPosition(CRect* rect, int left, int top, int right, int bottom, int position);
    static void DeflateRectByPosition(CRect* rect, int left, int top, int right, int bottom, int position);
    static BOOL IsHorizontal(int position) { return position == kTop || position == kBottom; }

    // Shared settings.
    BOOL IsHotTracking() const { return m_hotTracking; }
    void SetHotTracking(BOOL on) { m_hotTracking = on; }
    BOOL IsShowIcons() const { return m_showIcons; }
    void SetShowIcons(BOOL on) { m_showIcons = on; }
    BOOL IsBoldSelected() const { return m_boldSelected; }
    void SetBoldSelected(BOOL on) { m_boldSelected = on; }
    BOOL IsLunaColorsOffFlag() const { return m_lunaColorsOff; }
    void SetLunaColorsOff(BOOL on) { m_lunaColorsOff = on; }
    BOOL IsColorCoded() const { return m_colorCoded; }
    void SetColorCoded(BOOL on) { m_colorCoded = on; }
    int GetClientFrame() const { return m_clientFrame; }
    void SetClientFrame(int style) { m_clientFrame = style; }
    BOOL IsStaticFrame() const { return m_staticFrame; }
    void SetStaticFrame(BOOL on) { m_staticFrame = on; }
    CRect GetClientMargins() const { return m_clientMargins; }
    void SetClientMargins(const CRect& margins) { m_clientMargins = margins; }
    CRect GetHeaderMargins() const { return m_headerMargins; }
    void SetHeaderMargins(const CRect& margins) { m_headerMargins = margins; }
    CRect GetTabInsets() const { return m_tabInsets; }
    void SetTabInsets(const CRect& insets) { m_tabInsets = insets; }
    BOOL IsGradientReversed() const { return m_gradientReversed; }
    void SetGradientReversed(BOOL on) { m_gradientReversed = on; }
    BOOL IsFillBackground() const { return m_fillBackground; }
    void SetFillBackground(BOOL on) { m_fillBackground = on; }
    CSize GetImageSize() const { return m_imageSize; }
    void SetImageSize(CSize size) { m_imageSize = size; }
    CFont* GetRegularFont() { return &m_fontRegular; }
    CFont* GetBoldFont() { return &m_fontBold; }
    CFont* GetVerticalFont() { return &m_fontVertical; }
    CFont* GetVerticalBoldFont() { return &m_fontVerticalBold; }

private:
    CRect PlaceNavigateButtons(CTKTabSet* tabSet, CRect rect);
    CFont* LabelFont(const CTKTabItem* tab, BOOL vertical);
    int ClampExtent(const CTKTabSet* tabSet, int value) const;
    int MeasureCaption(CDC* dc, const std::string& caption, CFont* font) const;
    void DrawLabelHorizontal(CDC* dc, CTKTabItem* tab, CRect rect, BOOL showCaption);
    void DrawLabelVertical(CDC* dc, CTKTabItem* tab, CRect rect, BOOL showCaption);

    BOOL m_hotTracking = FALSE;
    BOOL m_showIcons = TRUE;
    BOOL m_boldSelected = FALSE;
    BOOL m_lunaColorsOff = FALSE;
    BOOL m_colorCoded = FALSE;
    int m_clientFrame = kFrame3D;
    BOOL m_staticFrame = FALSE;
    CRect m_clientMargins;
    CRect m_headerMargins;
    CRect m_tabInsets;
    BOOL m_gradientReversed = FALSE;
    BOOL m_fillBackground = TRUE;
    CSize m_imageSize {16, 16};
    std::unique_ptr<CTKTabLook> m_look;
    std::unique_ptr<CTKTabColorSet> m_colorSet;
    std::vector<CTKTabSet*> m_tabSets;
    int m_lookType = 0;
    int m_colorType = 1;
    int m_position = kTop;
    int m_layoutMode = kLayoutSizeToFit;
    CFont m_fontRegular;
    CFont m_fontBold;
    CFont m_fontVertical;
    CFont m_fontVerticalBold;
};
