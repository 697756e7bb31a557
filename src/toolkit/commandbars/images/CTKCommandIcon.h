#pragma once
// The icon of one command at one width: the images the application gives
// (normal, hot, disabled) and those made from them on first use (faded,
// shadow silhouette, grey for a missing disabled image).

#include "toolkit/commandbars/images/CTKIconHandle.h"

class CArchive;
class CDC;
class CTKImageManagerIcons;

class CTKCommandIcon {
public:
    CTKCommandIcon(UINT command, int width, int height, CTKImageManagerIcons* owner);

    UINT GetCommand() const { return m_command; }
    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }
    BOOL IsAlpha() const { return m_alpha; }
    BOOL IsScaledCopy() const { return m_scaledCopy; }
    void SetScaledCopy(BOOL scaled) { m_scaledCopy = scaled; }
    void SetOwner(CTKImageManagerIcons* owner) { m_owner = owner; }

    CTKIconHandle& GetNormalImage() { return m_normal; }
    // The hot image when one was given, else the normal image.
    CTKIconHandle& GetHotOrNormalImage();
    CTKIconHandle& GetFadedImage();
    CTKIconHandle& GetShadowImage();
    // The given disabled image, else the generated grey one.
    CTKIconHandle& GetDisabledImage();
    BOOL HasOwnDisabledImage() const { return m_disabled.HasIcon(); }

    // Replaces every image by a copy of the icon; the owner's set drops its
    // scaled copies and generated images.
    void SetIcon(const CIconImage& icon, BOOL alpha);
    void SetDisabledIcon(const CIconImage& icon);
    void SetHotIcon(const CIconImage& icon);
    // The generated and the given hot and disabled images, and with all the normal one too.
    void Clear(BOOL all);
    void ClearGenerated();
    CSize GetSize() const;

    // A copy at another width, or nullptr without a normal image. The copy
    // has this icon's owner but changes nothing in the owner's set.
    CTKCommandIcon* Scale(int width) const;
    // cx 0 is the icon's width, cy 0 keeps the icon's proportions.
    void DrawImage(CDC* dc, int x, int y, const CTKIconHandle& image, int cx, int cy) const;

    // The icon record: height, alpha flag, normal, disabled and hot image.
    // A damaged record sets the archive's error and leaves the images empty.
    void Serialize(CArchive& ar);

    // The channel rules of the generated images.
    static int FadeChannel(int channel);
    static int GreyLevel(COLORREF color);
    static COLORREF ShadowColor(COLORREF base);

private:
    void MakeFaded();
    void MakeShadow();
    void MakeGrey();

    UINT m_command;
    int m_width;
    int m_height;
    CTKIconHandle m_normal;
    CTKIconHandle m_faded;
    CTKIconHandle m_shadow;
    CTKIconHandle m_hot;
    CTKIconHandle m_disabled;
    CTKIconHandle m_grey;
    BOOL m_alpha = FALSE;
    BOOL m_scaledCopy = FALSE;
    CTKImageManagerIcons* m_owner;
};
