#pragma once
// Button Editor: edits the image of a command-bar button in the pixel
// editor, with a 16-colour palette, a transparent cell and a current-colour
// cell, twelve drawing and editing tools, four move buttons and a preview
// drawn like a raised button. Opened modally on a button's icon (SetIcon)
// or on an empty picture of the bar's icon size (SetSize); after OK,
// GetIcon gives the edited icon.

#include "platform/CIconImage.h"

#include <QDialog>

#include <array>
#include <string>

class CTKImageEditorPicker;
class CTKImageEditorPicture;
class CTKImageEditorPreview;
class CTKImageEditorToolBar;

class CTKButtonEditorDlg : public QDialog {
    Q_OBJECT
public:
    // Commands of the tool strip, in the order of its buttons.
    static constexpr UINT kPencil = 9363;
    static constexpr UINT kFill = 9364;
    static constexpr UINT kPickColor = 9365;
    static constexpr UINT kLine = 9366;
    static constexpr UINT kRectangle = 9367;
    static constexpr UINT kEllipse = 9368;
    static constexpr UINT kCopy = 9369;
    static constexpr UINT kPaste = 9370;
    static constexpr UINT kClear = 9371;
    static constexpr UINT kUndo = 9372;
    static constexpr UINT kRedo = 9373;
    static constexpr UINT kLoadFromFile = 9374;
    // Commands of the move strip: left, down, up, right.
    static constexpr UINT kMoveLeft = 9354;
    static constexpr UINT kMoveDown = 9355;
    static constexpr UINT kMoveUp = 9356;
    static constexpr UINT kMoveRight = 9357;
    // Cells and controls.
    static constexpr UINT kTransparentCellId = 9359;
    static constexpr UINT kCurrentColorCellId = 9360;
    static constexpr UINT kPictureId = 9361;
    static constexpr UINT kPreviewId = 9362;
    // The button images: sixteen 16-pixel images without and with alpha.
    static constexpr UINT kButtonBitmap = 9352;
    static constexpr UINT kAlphaButtonBitmap = 9353;
    static constexpr int kPaletteCount = 16;

    explicit CTKButtonEditorDlg(QWidget* parent = nullptr);
    ~CTKButtonEditorDlg() override;

    // Before the dialog opens: the size of an empty picture, or the icon to edit.
    void SetSize(int cx, int cy);
    void SetIcon(const CIconImage& icon, BOOL alpha);
    // After OK: the edited icon, empty for an empty picture.
    CIconImage GetIcon(BOOL* alpha) const;

    // Builds the strips, the palette and the picture; runs once, before the
    // dialog first shows.
    void OnInitDialog();

    CSize GetPictureSize() const { return CSize(m_pictureWidth, m_pictureHeight); }
    int GetTool() const { return m_tool; }
    int GetPreviousTool() const { return m_previousTool; }
    // The colour of the selected cell, 0 without one.
    COLORREF GetCurrentColor() const;
    CTKImageEditorPicture* GetPicture() const { return m_picture; }
    CTKImageEditorPreview* GetPreview() const { return m_preview; }
    CTKImageEditorPicker* GetSelectedCell() const { return m_selected; }
    CTKImageEditorPicker* GetCurrentColorCell() const { return m_currentColorCell; }
    CTKImageEditorPicker* GetTransparentCell() const { return m_transparentCell; }
    CTKImageEditorPicker* GetPaletteCell(int index) const { return m_palette[static_cast<std::size_t>(index)]; }
    CTKImageEditorToolBar* GetToolsBar() const { return m_toolsBar; }
    CTKImageEditorToolBar* GetMoveBar() const { return m_moveBar; }

    // The commands of both strips.
    void OnCommand(UINT id);
    void OnUpdateCommandUI(UINT id, BOOL* enabled, BOOL* checked) const;
    // Updates the buttons of both strips.
    void OnKickIdle();
    // The tooltip of a button: the text after the first line break of the
    // string of that id, empty when the string has none.
    static std::string GetToolTipText(UINT id);
    void OnCellClicked(CTKImageEditorPicker* cell);
    // The eyedropper's colour: into the current-colour cell, which becomes
    // the selected cell, and back to the tool used before the pick.
    void OnColorPicked(COLORREF color);
    // The picture changed: repaint the preview and update the strips.
    void OnPictureChanged();

    // The picture file to load; FALSE when the user cancels.
    virtual BOOL AskPictureFile(std::string* path);
    // The colour dialog on the initial colour; its colour, the initial
    // one after Cancel.
    virtual COLORREF ChooseColor(COLORREF initial);
    // Whether the platform's common controls show alpha button images.
    virtual BOOL IsComCtl6Available() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void SelectCell(CTKImageEditorPicker* cell);
    void LoadButtonImages();
    QWidget* CreatePalette();

    CTKImageEditorToolBar* m_toolsBar = nullptr;
    CTKImageEditorToolBar* m_moveBar = nullptr;
    std::array<CTKImageEditorPicker*, kPaletteCount> m_palette {};
    CTKImageEditorPicker* m_currentColorCell = nullptr;
    CTKImageEditorPicker* m_transparentCell = nullptr;
    CTKImageEditorPicture* m_picture = nullptr;
    CTKImageEditorPreview* m_preview = nullptr;
    CTKImageEditorPicker* m_selected = nullptr;
    int m_tool = 0;
    int m_previousTool = 0;
    int m_pictureWidth = 16;
    int m_pictureHeight = 16;
    BOOL m_initialized = FALSE;
};
