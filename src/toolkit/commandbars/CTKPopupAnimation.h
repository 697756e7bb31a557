#pragma once
// The opening animation of a popup bar, shown one frame per tick of a
// window timer so that the user interface never waits inside a paint: it
// keeps the popup's finished image and what lay under it, and each tick
// moves on one step until the last one shows the finished image.

#include "platform/CDC.h"
#include "platform/ui/WinMessages.h"

#include <memory>

class CTKBarRenderer;

// The window timer that moves an opening animation on.
constexpr UINT_PTR kTKAnimationTimer = 5004;

class CTKPopupAnimation {
public:
    // type unfold, slide or fade; image and below cover the rectangle's size.
    CTKPopupAnimation(int type, int steps, std::unique_ptr<CDC> image, std::unique_ptr<CDC> below, CRect rect);

    // The milliseconds between two steps of the renderer's animation, at least 1.
    static UINT GetPeriod(const CTKBarRenderer* renderer);

    int GetType() const { return m_nType; }
    int GetStep() const { return m_nStep; }
    int GetSteps() const { return m_nSteps; }
    BOOL IsLastStep() const { return m_nStep >= m_nSteps; }
    CDC* GetImage() const { return m_image.get(); }
    // Moves on one step; FALSE once the last step has been shown.
    BOOL Step();
    // Draws the current step into the target's rectangle.
    void Draw(CTKBarRenderer* renderer, CDC* target) const;

private:
    int m_nType;
    int m_nSteps;
    int m_nStep = 1;
    std::unique_ptr<CDC> m_image;
    std::unique_ptr<CDC> m_below;
    CRect m_rect;
};
