#pragma once
// The control that owns a child bar and opens it: a menu-bar title, a menu
// item with a submenu, a toolbar button with a drop-down (the whole face,
// or only the arrow part of a split button).

#include "toolkit/commandbars/CTKControl.h"

// A split button in a menu: the right part that opens the submenu.
constexpr int kTKSplitMenuArrowWidth = 20;
// A split button on a toolbar or menu bar: the arrow part.
constexpr int kTKSplitToolArrowWidth = 11;

class CTKControlPopup : public CTKControl {
    DECLARE_SERIAL(CTKControlPopup)
public:
    CTKControlPopup();
    ~CTKControlPopup() override;

    // --- Virtual operations after those of the control ---
    // The child bar has opened or been laid out anew.
    virtual void OnPopupShown();
    // Widens the rectangle the popup must not cover, as the renderer draws it.
    virtual void AdjustExcludeRect(CRect& rect);

    // --- Overrides ---
    BOOL IsEqual(const CTKControl* other) const override;
    CTKCommandBar* GetCommandBar() const override { return m_pCommandBar; }
    void Copy(const CTKControl* source, BOOL recursive) override;
    BOOL SetPopuped(BOOL popuped) override;
    void OnClick(BOOL keyboard, CPoint point) override;
    void OnLButtonUp(CPoint point) override;
    BOOL OnLButtonDblClk(CPoint point) override;
    void OnMouseHover() override;
    BOOL SetSelected(int state) override;
    void OnCustomizeDragOver(CTKControl* dragged, CPoint point, DWORD* dropEffect) override;

    // The control's stored form, then the serial id of the child bar and the style.
    void Serialize(CArchive& ar) override;
    // The serial id of the child bar a loaded control waits for (0 none).
    UINT GetCommandBarSerial() const { return m_nCommandBarId; }
    void SetCommandBarSerial(UINT id) { m_nCommandBarId = id; }

    // Releases the previous child bar and keeps a reference to the new one.
    void SetCommandBar(CTKCommandBar* bar);
    BOOL IsPopuped() const { return m_bPopuped; }
    // Whether one of the two controls opens the other's bar, at any depth.
    BOOL IsContainPopup(const CTKControlPopup* other) const;
    // The parent's delayed-expansion timer fired over the open popup.
    void ExpandPopupAfterDelay();

private:
    BOOL IsInPopupBar() const;

    BOOL m_bPopuped = FALSE;
    CTKCommandBar* m_pCommandBar = nullptr;
    UINT m_nCommandBarId = 0;
};
