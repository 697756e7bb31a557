#pragma once
// The icons of commands: an icon set per command id, one icon per width.
// Toolbars load their pictures into it from bitmap strips, customisation
// adds custom icons under new ids, renderers ask for the icon of a command
// at the width a bar draws, and icon sets move through the clipboard
// ("ToolBar Image") and through archives.

#include "platform/ui/CCmdTarget.h"
#include "toolkit/commandbars/images/CTKImageManagerIcons.h"

#include <map>
#include <memory>
#include <vector>

class CArchive;
class CImageList;

class CTKCommandImages : public CCmdTarget {
public:
    // Image states of SetIcon.
    enum State { kNormal = 0, kDisabled = 1, kHot = 2 };
    static constexpr UINT kFirstCustomId = 68266;

    CTKCommandImages();
    ~CTKCommandImages() override;

    // The program's store; docking hosts keep stores of their own.
    static CTKCommandImages& Global();

    void SetMaskColor(COLORREF color) { m_maskColor = color; }
    COLORREF GetMaskColor() const { return m_maskColor; }
    UINT GetToolBarImageFormat() const { return m_toolBarImageFormat; }
    UINT GetAlphaMarkerFormat() const { return m_alphaMarkerFormat; }

    // The icon of that width, else one scaled from the nearest given icon
    // (an alpha icon unscaled); nullptr when the command has no icons.
    CTKCommandIcon* FindIcon(UINT command, int width);
    CTKImageManagerIcons* GetCommandIcons(UINT command) const;

    // state: kNormal, kDisabled or kHot. cx and cy 0 take the icon's size.
    BOOL SetIcon(const CIconImage& icon, UINT command, int cx, int cy, int state, BOOL alpha);
    // Each non-zero command takes the next image of the list; 0 is a separator.
    BOOL AddIconsFromImageList(const CImageList* list, const UINT* commands, int count, int cx, int cy, int state,
                               BOOL alpha);
    BOOL SetIconsFromBitmap(const CIconImage& bitmap, const UINT* commands, int count, int cx, int cy, int state,
                            BOOL alpha);
    // A bitmap resource; cx and cy 0 divide its width by the count.
    BOOL SetIcons(UINT bitmapId, const UINT* commands, int count, int cx, int cy, int state);
    UINT AddCustomIcon(const CIconImage& icon, BOOL alpha);

    void RemoveAll();
    void RefreshAll();

    // The command's icon set under the toolbar image format; the caller
    // has emptied the clipboard.
    void CopyToClipboard(UINT command);
    // The icon set of the clipboard under a new custom id; 0 when the
    // clipboard holds none or a damaged one.
    UINT PasteFromClipboard();

    // One icon set record. A load that finds a damaged record sets the
    // archive's error and leaves the command's earlier set as it was.
    BOOL SerializeIcons(UINT command, CArchive& ar);
    // Every set; loading empties the store first.
    void Serialize(CArchive& ar);

    // Cuts a 32-bit strip into n equal pieces; FALSE when its width is not a multiple of n.
    static BOOL SplitAlphaBitmap(const CIconImage& strip, int n, std::vector<CIconImage>* pieces);

private:
    struct Entry {
        std::unique_ptr<CTKImageManagerIcons> icons;
        unsigned sequence = 0;
    };

    CTKImageManagerIcons* EnterSet(UINT command, std::unique_ptr<CTKImageManagerIcons> icons);
    std::vector<CTKImageManagerIcons*> Walk() const;
    static BOOL ReadIconSet(CArchive& ar, CTKImageManagerIcons* icons);

    UINT m_toolBarImageFormat;
    UINT m_alphaMarkerFormat;
    COLORREF m_maskColor;
    std::map<UINT, Entry> m_commands;
    unsigned m_nextSequence = 0;
    UINT m_customIconId = kFirstCustomId;
};
