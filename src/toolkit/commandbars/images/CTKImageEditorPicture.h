#pragma once
// The pixel editor of the button editor: the edited button image enlarged,
// one block of screen pixels per image pixel, over a grey-and-white checker
// where it is transparent. The left button draws with the editor's tool
// (pencil, fill, pick colour, line, rectangle, ellipse); every stroke and
// every command (fill, clear, move, paste, load) is one undo step, and the
// last sixteen steps can be undone and redone. An empty image is an empty
// picture.

#include "platform/CIconImage.h"
#include "toolkit/commandbars/images/ImageEditorBitmaps.h"

#include <QWidget>

#include <deque>
#include <optional>
#include <string>

class CTKButtonEditorDlg;

class CTKImageEditorPicture : public QWidget {
    Q_OBJECT
public:
    static constexpr int kUndoLimit = 16;
    // Tools of the editor.
    enum Tool { kPencil = 0, kFill = 1, kPickColor = 2, kLine = 3, kRectangle = 4, kEllipse = 5 };
    // Cursors of the tools.
    static constexpr UINT kCrosshairCursor = 9375;
    static constexpr UINT kEyedropperCursor = 9376;
    static constexpr UINT kPaintBucketCursor = 9377;
    static constexpr UINT kPencilCursor = 9378;

    explicit CTKImageEditorPicture(QWidget* parent = nullptr);
    ~CTKImageEditorPicture() override;

    // Takes the picture size from the dialog and the cell size from the
    // present client size, then fits the window to whole cells plus the frame.
    void Attach(CTKButtonEditorDlg* dialog);
    int GetColumns() const { return m_columns; }
    int GetRows() const { return m_rows; }
    CSize GetCellSize() const { return CSize(m_cellWidth, m_cellHeight); }

    // The image shown and edited; setting it keeps the undo steps.
    const CIconImage& GetImage() const { return m_current; }
    void SetImage(const CIconImage& image);

    void Undo();
    void Redo();
    void Clear();
    void Move(int dx, int dy);
    void Copy();
    void Paste();
    // Asks the dialog for a picture file and loads it.
    void LoadFromFile();
    // Loads an .ico, a .bmp or any other picture the platform reads; FALSE,
    // with the picture unchanged, when the file cannot be read.
    BOOL LoadFile(const std::string& path);
    int GetUndoCount() const { return static_cast<int>(m_undo.size()); }
    int GetRedoCount() const { return static_cast<int>(m_redo.size()); }

    CPoint PointToCell(int x, int y) const;
    // The colour of an image pixel (the transparent colour where the
    // picture is empty); CLR_INVALID outside the image.
    COLORREF GetPixelAt(int column, int row) const;

    // The picture as the screen shows it, client size.
    CIconImage Render() const;

    void OnLButtonDown(CPoint point);
    void OnMouseMove(CPoint point);
    void OnLButtonUp(CPoint point);
    void OnCaptureChanged();
    void OnSetCursor();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;

private:
    void BeginChange();
    void PushUndo();
    void Changed();
    CIconImage CopyCurrent() const;
    BOOL LoadIconFile(const std::string& path, CIconImage* image) const;
    BOOL LoadBitmapFile(const std::string& path, CIconImage* image) const;
    BOOL LoadOtherPicture(const std::string& path, CIconImage* image) const;
    void Commit(const CIconImage& image);

    int m_columns = 16;
    int m_rows = 16;
    int m_cellWidth = 1;
    int m_cellHeight = 1;
    CTKButtonEditorDlg* m_dialog = nullptr;
    std::optional<CIconImage> m_pending;
    CIconImage m_current;
    std::deque<CIconImage> m_undo;
    std::deque<CIconImage> m_redo;
    CPoint m_start;
    BOOL m_tracking = FALSE;
    COLORREF m_strokeColor = 0;
};
