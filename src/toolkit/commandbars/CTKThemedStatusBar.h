#pragma once
// The main frame's status bar drawn by the bar renderer: panes, indicators,
// texts and widths are the plain status bar's, while background, pane
// frames, texts and the size grip follow the interface theme. It paints
// into a back buffer of the whole bar, so it never flickers.

#include "platform/ui/CStatusBar.h"

class CTKBarRenderer;
class CTKCommandBars;

class CTKThemedStatusBar : public CStatusBar {
public:
    CTKThemedStatusBar();
    ~CTKThemedStatusBar() override;

    // Gives the bar the renderers' status font and the indicators; only
    // when they are set does the drawing area get its minimum height.
    BOOL SetIndicatorsWithFont(const UINT* ids, int count);
    // The renderer of the command bars when set, else the current one.
    CTKBarRenderer* GetRenderer() const;

    // The rectangle the pane is drawn in: the last pane ends before the
    // size grip when it stretches, and is exactly its width and three
    // edges wide when it does not.
    CRect GetPaneDrawRect(int index) const;
    // Whether the size grip is drawn: a bar with the grip style in a
    // parent with a sizing frame that is not maximised.
    BOOL IsGripperShown() const;

    CTKCommandBars* m_pCommandBars = nullptr;

protected:
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnSize(UINT type, int cx, int cy) override;
};
