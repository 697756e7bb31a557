#pragma once
// One item of a command bar: a toolbar button, a menu item, a popup item or
// a box. A control is no window: it lives in the controls of one bar, is
// measured and drawn by the bar renderer, takes the bar's mouse and key
// events through its virtual operations and turns a click into a command
// for the owner window of its bar. Reference counted; the collection that
// holds it keeps one reference.

#include "platform/ui/CCmdTarget.h"

#include <set>
#include <string>

class CDC;
class CTKBarRenderer;
class CTKCommandBar;
class CTKCommandIcon;
class CTKCommandImages;
class CTKControl;
class CTKControls;

// The schema of the stored bars and controls; a higher stored one cannot be read.
constexpr UINT kTKArchiveSchema = 6;

// Control types.
constexpr int kTKControlButton = 1;
constexpr int kTKControlPopup = 2;
constexpr int kTKControlButtonPopup = 3;
constexpr int kTKControlSplitButtonPopup = 4;
constexpr int kTKControlComboBox = 5;
constexpr int kTKControlEdit = 6;
constexpr int kTKControlCustom = 7;

// The id of a menu item that opens a submenu.
constexpr UINT kTKSubmenuItemId = 0xFFFFFFFF;

// Control flags.
constexpr DWORD kTKFlagRightAlign = 0x01;
constexpr DWORD kTKFlagSkipKeyboard = 0x02;
constexpr DWORD kTKFlagPopupLeft = 0x04;
constexpr DWORD kTKFlagNoUpdate = 0x08;
constexpr DWORD kTKFlagNoCustomize = 0x10;

// Hide flags; a control is visible only when none is set.
constexpr DWORD kTKHideListPlaceholder = 0x01;
constexpr DWORD kTKHideWrap = 0x02;
constexpr DWORD kTKHideVertical = 0x04;
constexpr DWORD kTKHideScroll = 0x08;
constexpr DWORD kTKHideCustomize = 0x10;
constexpr DWORD kTKHideExpand = 0x20;
constexpr DWORD kTKHideDocumentType = 0x40;

// Button styles.
constexpr int kTKStyleAutomatic = 0;
constexpr int kTKStyleCaption = 1;
constexpr int kTKStyleIcon = 2;
constexpr int kTKStyleIconAndCaption = 3;

// Selected states.
constexpr int kTKSelectedNone = 0;
constexpr int kTKSelectedHot = 1;
constexpr int kTKSelectedKeyboard = 2;

// Pressed states.
constexpr int kTKPressedNone = 0;
constexpr int kTKPressedMouse = 1;
constexpr int kTKPressedExecuting = 2;

// Sent to the owner before WM_COMMAND; lParam is a TKNMCONTROL.
constexpr UINT WM_TK_EXECUTE = 0x052D;
constexpr UINT kTKExecuteCode = 100;

struct TKNMCONTROL {
    NMHDR hdr;
    CTKControl* pControl = nullptr;
};

class CTKControl : public CCmdTarget {
    DECLARE_SERIAL(CTKControl)
public:
    CTKControl();
    ~CTKControl() override;

    // --- Virtual operations, in slot order ---
    virtual std::string GetTooltip(CPoint* point, CRect* tipRect, int* id) const;
    virtual void SetBeginGroup(BOOL beginGroup);
    virtual void SetEnabled(BOOL enabled);
    virtual void SetRect(const CRect& rect);
    virtual BOOL IsEqual(const CTKControl* other) const;
    virtual CTKCommandBar* GetCommandBar() const;
    virtual void SetHideFlags(DWORD hideFlags);
    virtual void Execute();
    virtual CSize GetSize(CDC* dc);
    virtual void Draw(CDC* dc);
    virtual void OnCalcDynamicSize(DWORD layoutMode);
    virtual CTKCommandIcon* GetIcon(int width);
    virtual int OnHookKeyDown(UINT key);
    virtual void SetParent(CTKCommandBar* parent);
    virtual void Copy(const CTKControl* source, BOOL recursive);
    virtual BOOL SetPopuped(BOOL popuped);
    virtual void OnClick(BOOL keyboard, CPoint point);
    virtual void OnLButtonUp(CPoint point);
    virtual void OnRButtonUp(CPoint point);
    virtual BOOL OnLButtonDblClk(CPoint point);
    virtual void OnMouseMove(CPoint point);
    virtual void OnMouseHover();
    virtual BOOL SetSelected(int state);
    virtual void OnCustomizeMouseDown();
    virtual void OnCustomizeDragOver(CTKControl* dragged, CPoint point, DWORD* dropEffect);
    virtual BOOL IsCustomizeDragOverAvail(CTKCommandBar* target, CPoint point, DWORD* dropEffect);
    virtual CTKControl* Clone(BOOL recursive) const;

    // The stored form in the controls archive.
    void Serialize(CArchive& ar) override;
    // The schema of the object being read; a schema above the known one
    // fails the archive (FALSE).
    static BOOL AcceptLoadedSchema(CArchive& ar, int* schema);
    int GetLoadedSchema() const { return m_nLoadedSchema; }

    // --- Texts and ids ---
    // Takes tooltip, description and caption from the string resource of the id.
    void SetID(UINT id);
    UINT GetID() const { return m_nId; }
    // A tab splits off the shortcut text.
    void SetCaption(const std::string& text);
    void SetCaption(UINT stringId);
    const std::string& GetCaption() const { return m_strCaption; }
    // The custom caption when set, else the caption.
    std::string GetDisplayCaption() const;
    void SetCustomCaption(const std::string& text) { m_strCustomCaption = text; }
    void SetShortcutText(const std::string& text) { m_strShortcutText = text; }
    const std::string& GetShortcutText() const { return m_strShortcutText; }
    void SetTooltipText(const std::string& text) { m_strTooltip = text; }
    const std::string& GetTooltipText() const { return m_strTooltip; }
    void SetDescription(const std::string& text) { m_strDescription = text; }
    const std::string& GetDescription() const { return m_strDescription; }
    void SetExtraText(const std::string& text) { m_strExtraText = text; }
    std::string GetParameter() const { return m_strParameter; }
    void SetParameter(const std::string& parameter) { m_strParameter = parameter; }

    // --- Flags and states ---
    void SetFlags(DWORD flags) { m_dwFlags = flags; }
    DWORD GetFlags() const { return m_dwFlags; }
    DWORD GetHideFlags() const { return m_dwHideFlags; }
    BOOL IsVisible() const { return m_dwHideFlags == 0; }
    BOOL IsDefaultItem() const { return m_bDefaultItem; }
    void SetDefaultItem(BOOL defaultItem);
    void SetHiddenCommand(BOOL hidden);
    BOOL IsHiddenCommand() const { return m_bHiddenCommand; }
    BOOL GetBeginGroup() const { return m_bBeginGroup; }
    BOOL GetRowStart() const { return m_bRowStart; }
    void SetRowStart(BOOL rowStart) { m_bRowStart = rowStart; }
    BOOL GetEnabled() const { return m_bEnabled; }
    BOOL GetChecked() const { return m_bChecked; }
    void SetChecked(BOOL checked);
    int GetSelected() const { return m_nSelected; }
    int GetPressed() const { return m_nPressed; }
    void SetPressed(int pressed) { m_nPressed = pressed; }
    BOOL IsTemporary() const { return m_bTemporary; }
    void SetTemporary(BOOL temporary) { m_bTemporary = temporary; }
    int GetType() const { return m_nType; }
    void SetType(int type) { m_nType = type; }
    int GetStyle() const { return m_nStyle; }
    void SetStyle(int style) { m_nStyle = style; }
    int GetIconId() const { return m_nIconId; }
    void SetIconId(int iconId) { m_nIconId = iconId; }
    UINT GetCustomIconId() const { return m_nCustomIconId; }
    void SetCustomIconId(UINT iconId) { m_nCustomIconId = iconId; }
    // The image id: the custom icon id, else a positive icon id, else the command id.
    UINT GetImageId() const;
    DWORD GetTag() const { return m_dwTag; }
    void SetTag(DWORD tag) { m_dwTag = tag; }
    const CRect& GetRect() const { return m_rcControl; }
    const CRect& GetRowRect() const { return m_rcRow; }
    void SetRowRect(const CRect& rect) { m_rcRow = rect; }
    int GetIndex() const { return m_nIndex; }
    CTKControls* GetControls() const { return m_pControls; }
    CTKCommandBar* GetParent() const { return m_pParent; }
    BOOL GetRendererFlag() const { return m_bRendererFlag; }

    // Document types the control is shown only for, or hidden for.
    std::set<UINT>& ShownDocumentTypes() { return m_shownDocumentTypes; }
    std::set<UINT>& HiddenDocumentTypes() { return m_hiddenDocumentTypes; }

    // --- Parent services ---
    void RedrawParent();
    void DelayLayoutParent();
    void InvalidateParent();
    BOOL IsCursorOver() const;
    BOOL IsCustomizeMode() const;
    CTKCommandImages* GetCommandImages() const;
    CTKBarRenderer* GetBarRenderer() const;

    // The modal press of a toolbar button: executes when released over the
    // control after the press (an empty area means the control's rectangle).
    void TrackButton(const CRect& area);

    // The control a command-state record of a bar stands for, or nullptr.
    static CTKControl* FromCmdUI(const CCmdUI* cmdUI);

protected:
    friend class CTKControls;

    DWORD m_dwTag = 0;
    int m_nIndex = 0;
    UINT m_nId = 0;
    int m_nIconId = 0;
    UINT m_nCustomIconId = 0;
    BOOL m_bRowStart = FALSE;
    BOOL m_bBeginGroup = FALSE;
    BOOL m_bEnabled = TRUE;
    BOOL m_bChecked = FALSE;
    int m_nSelected = kTKSelectedNone;
    int m_nPressed = kTKPressedNone;
    BOOL m_bTemporary = FALSE;
    CRect m_rcRow;
    CRect m_rcControl;
    DWORD m_dwHideFlags = 0;
    DWORD m_dwFlags = 0;
    std::string m_strCaption;
    std::string m_strExtraText;
    std::string m_strShortcutText;
    std::string m_strTooltip;
    std::string m_strDescription;
    std::string m_strParameter;
    CTKControls* m_pControls = nullptr;
    int m_nType = 0;
    CTKCommandBar* m_pParent = nullptr;
    BOOL m_bHiddenCommand = FALSE;
    std::string m_strCustomCaption;
    BOOL m_bDefaultItem = FALSE;
    std::set<UINT> m_shownDocumentTypes;
    std::set<UINT> m_hiddenDocumentTypes;
    int m_nLoadedSchema = -1;
    int m_nStyle = kTKStyleAutomatic;
    BOOL m_bRendererFlag = FALSE;
};
