#pragma once
// The paint manager of the docking panes: metrics (caption and strip
// heights, fonts), a copy of the toolkit's 56 colours, two tab renderers
// (container tabs, auto-hide strip tabs) and the drawing of a tabbed
// container with its caption and caption buttons. One class per style type.

#include "platform/CFont.h"
#include "platform/WinTypes.h"

#include <memory>
#include <string>

class CDC;
class CTKDockingPaneCaptionButton;
class CTKDockingPaneTabbedContainer;
class CTKTabRenderer;

class CTKDockingPaneRenderer {
public:
    enum Type {
        kTypeSystem = 0,
        kTypeFlat = 1,
        kTypeGrip = 2,
        kTypeStacked = 3,
        kTypeGradient = 5,
        kTypeThemed = 6
    };
    static constexpr int kColorCount = 56;
    // Container caption flags.
    static constexpr int kCaptionPin = 1;
    static constexpr int kCaptionPinLying = 2;

    // The renderer of a style type; NULL for a type that has none.
    static std::unique_ptr<CTKDockingPaneRenderer> CreateOfType(int type);

    CTKDockingPaneRenderer();
    virtual ~CTKDockingPaneRenderer();
    CTKDockingPaneRenderer(const CTKDockingPaneRenderer&) = delete;
    CTKDockingPaneRenderer& operator=(const CTKDockingPaneRenderer&) = delete;

    virtual void DrawContainer(CDC* dc, CTKDockingPaneTabbedContainer* container, CRect rect);
    virtual void DrawCaption(CDC* dc, CTKDockingPaneTabbedContainer* container, CRect rect) = 0;
    virtual void RefreshMetrics();
    // Lays out the container's tabs and shrinks rect to its pane area.
    virtual void RepositionContainer(CTKDockingPaneTabbedContainer* container, CRect* rect);
    virtual void AdjustCaptionRect(const CTKDockingPaneTabbedContainer* container, CRect* rect) const;

    // Colour entry for 0..55, the value itself otherwise.
    COLORREF LookupColor(UINT index) const;
    void SetColorEntries(int count, const int* indices, const COLORREF* colors);

    int GetType() const { return m_type; }
    int GetCaptionHeight() const { return m_captionHeight; }
    int GetStripHeight() const { return m_stripHeight; }
    CFont* GetCaptionFont() { return &m_captionFont; }
    CFont* GetTabFont() { return &m_tabFont; }
    CFont* GetVerticalFont() { return &m_verticalFont; }
    CTKTabRenderer* GetContainerTabRenderer() const { return m_containerTabs.get(); }
    CTKTabRenderer* GetStripTabRenderer() const { return m_stripTabs.get(); }
    BOOL IsAlwaysShowTabs() const { return m_alwaysShowTabs; }
    void SetAlwaysShowTabs(BOOL on) { m_alwaysShowTabs = on; }
    BOOL IsUseCustomFace() const { return m_useCustomFace; }
    void SetUseCustomFace(BOOL on) { m_useCustomFace = on; }

    // The band the caption text and buttons sit in (container client coordinates).
    virtual CRect GetCaptionBand(const CRect& rect) const;
    // Places the close and pin buttons on the band; a button not offered gets an empty rectangle.
    void PlaceCaptionButtons(CTKDockingPaneTabbedContainer* container, const CRect& band) const;

protected:
    // The square caption buttons: size, gap to the band's right end, step from close to pin.
    struct ButtonMetrics {
        int size;
        int rightInset;
        int step;
    };

    virtual ButtonMetrics GetButtonMetrics(const CRect& band) const;
    // The selected pane's caption in the band up to the first button; returns where the text ends.
    int DrawCaptionText(CDC* dc, CTKDockingPaneTabbedContainer* container, CRect band, int left,
                        COLORREF color);
    // The left edge of the leftmost offered button, or the band's right end.
    static int ButtonsLeft(const CTKDockingPaneTabbedContainer* container, const CRect& band);
    // Hot and pressed fills of the types that draw their own buttons; returns the glyph colour.
    COLORREF FillButtonState(CDC* dc, const CTKDockingPaneCaptionButton& button) const;
    // Both buttons with their state fills, a two-pixel close cross and the pin.
    void DrawStateButtons(CDC* dc, CTKDockingPaneTabbedContainer* container);
    // Text height of " " in a font.
    static int SpaceHeight(CFont* font);
    // Rebuilds a font from its record: the custom face when asked and installed, heights -10..-1 as -11.
    void BuildFont(LOGFONT record, CFont* font, BOOL clampHeight);

    int m_captionHeight = 0;
    int m_stripHeight = 0;
    CFont m_captionFont;
    CFont m_tabFont;
    CFont m_verticalFont;
    BOOL m_useCustomFace = FALSE;
    BOOL m_alwaysShowTabs = FALSE;
    std::unique_ptr<CTKTabRenderer> m_containerTabs;
    std::unique_ptr<CTKTabRenderer> m_stripTabs;
    COLORREF m_colors[kColorCount] {};
    int m_type = 0;
    std::string m_customFace = "Tahoma";
};
