#pragma once
// One soft shadow strip beside a popup: a translucent top-most tool window
// that takes neither focus nor mouse. It watches the window that casts it
// and follows its visibility; when that window goes, the strip goes too.

#include "toolkit/commandbars/CTKHookSink.h"

#include "platform/WinTypes.h"

#include <QImage>
#include <QWidget>

class CWnd;
class CTKPopupShadow;

class CTKShadowWnd : public QWidget, public CTKHookSink {
public:
    // Thickness of a strip.
    static constexpr int kThickness = 4;

    CTKShadowWnd(CTKPopupShadow& shadows, BOOL bottom, BOOL flat, CWnd* owner);
    ~CTKShadowWnd() override;

    BOOL IsBottom() const { return m_bBottom; }
    CWnd* GetOwner() const { return m_pOwner; }
    void ClearOwner() { m_pOwner = nullptr; }
    // Screen rectangle of the strip.
    CRect GetWindowRect() const;
    void MoveTo(const CRect& rect);
    // The strip minus a screen rectangle it overlaps (replaces an earlier cut).
    void ExcludeRect(const CRect& rect);
    // The colour the strip is drawn in (the owner's renderer's shadow colour).
    void SetShadowColor(COLORREF color);
    const QImage& GetImage() const { return m_image; }

    // The strip's image: premultiplied alpha in the shadow colour; strong
    // next to the popup, fading outwards and in at the ends. A flat-style
    // owner casts half the alpha.
    static QImage BuildImage(BOOL bottom, BOOL flat, int width, int height, COLORREF shadow);

    int OnHookMessage(CWnd* window, UINT message, WPARAM* wParam, LPARAM* lParam, LRESULT* result) override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CTKPopupShadow& m_shadows;
    BOOL m_bBottom;
    BOOL m_bFlat;
    CWnd* m_pOwner;
    COLORREF m_shadowColor = 0;
    QImage m_image;
};
