// The button editor: every tool on the picture pixel by pixel, undo and
// redo counts after every step, move, clear, clipboard round trips (the
// alpha marker and the "DIB32" names), loading .ico, .bmp and other
// pictures with damaged files left unread, the colour cells, the eyedropper
// and its return to the previous tool, the strips and their tooltips, the
// icon conversions, the painted picture, and a stroke with the real mouse.

#include "platform/CClipboard.h"
#include "platform/CSystemMetrics.h"
#include "support/FileBytes.h"
#include "support/TempFolder.h"
#include "toolkit/ToolkitFixture.h"
#include "toolkit/commandbars/draw/CTKSystemColors.h"
#include "toolkit/commandbars/images/CTKButtonEditorDlg.h"
#include "toolkit/commandbars/images/CTKCommandImages.h"
#include "toolkit/commandbars/images/CTKImageEditorPicker.h"
#include "toolkit/commandbars/images/CTKImageEditorPicture.h"
#include "toolkit/commandbars/images/CTKImageEditorToolBar.h"
#include "toolkit/commandbars/images/ImageEditorBitmaps.h"

#include <QImage>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr DWORD kClear = kImageEditorTransparentPixel;
constexpr DWORD kBlackPixel = 0x00000000;
constexpr DWORD kRedPixel = 0x00FF0000;
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr int kBlackCell = 0;
constexpr int kRedCell = 8;
constexpr int kBlueCell = 6;

// The editor with its file and colour dialogs answered by the test.
class ScriptedEditor : public CTKButtonEditorDlg {
public:
    BOOL AskPictureFile(std::string* path) override
    {
        if (file.empty())
            return FALSE;
        *path = file;
        return TRUE;
    }
    COLORREF ChooseColor(COLORREF initial) override
    {
        ++colorDialogs;
        return chosen == CLR_INVALID ? initial : chosen;
    }
    BOOL IsComCtl6Available() const override { return comCtl6; }

    std::string file;
    COLORREF chosen = CLR_INVALID;
    int colorDialogs = 0;
    BOOL comCtl6 = FALSE;
};

// The cells of an image row: "#" for the colour, "." transparent, "?" other.
std::string Row(const CIconImage& image, int row, DWORD color)
{
    std::string text;
    for (int x = 0; x < image.Width(); ++x) {
        const DWORD pixel = image.GetPixel(x, row) & 0x00FFFFFF;
        text += pixel == (color & 0x00FFFFFF) ? '#' : pixel == kClear ? '.' : '?';
    }
    return text;
}

BOOL AllPixels(const CIconImage& image, DWORD value)
{
    for (DWORD pixel : image.Pixels())
        if (pixel != value)
            return FALSE;
    return !image.IsEmpty();
}

class ButtonEditorTest : public ::testing::Test {
public:
    void SetUp() override
    {
        PinPlatformDefaults();
        CClipboard::Get().Empty();
    }

    void TearDown() override { CClipboard::Get().Empty(); }

    void Open(BOOL comCtl6 = FALSE, std::function<void(ScriptedEditor&)> before = {})
    {
        m_editor = std::make_unique<ScriptedEditor>();
        m_editor->comCtl6 = comCtl6;
        if (before)
            before(*m_editor);
        m_editor->OnInitDialog();
    }

    CTKImageEditorPicture& Picture() { return *m_editor->GetPicture(); }
    const CIconImage& Image() { return Picture().GetImage(); }

    CPoint CellPoint(int column, int row)
    {
        const CSize cell = Picture().GetCellSize();
        return CPoint(column * cell.cx + cell.cx / 2, row * cell.cy + cell.cy / 2);
    }

    void Tool(UINT command) { m_editor->OnCommand(command); }
    void Color(int paletteIndex) { m_editor->OnCellClicked(m_editor->GetPaletteCell(paletteIndex)); }

    // Presses at the first cell, moves through the others, releases at the last.
    void Stroke(const std::vector<CPoint>& cells)
    {
        Picture().OnLButtonDown(CellPoint(cells.front().x, cells.front().y));
        for (std::size_t i = 1; i < cells.size(); ++i)
            Picture().OnMouseMove(CellPoint(cells[i].x, cells[i].y));
        Picture().OnLButtonUp(CellPoint(cells.back().x, cells.back().y));
    }
    void Click(int column, int row) { Stroke({CPoint(column, row)}); }

    std::unique_ptr<ScriptedEditor> m_editor;
};

TEST_F(ButtonEditorTest, OpensOnAnEmptyPictureOfTheGivenSize)
{
    Open(FALSE, [](ScriptedEditor& editor) { editor.SetSize(24, 20); });
    EXPECT_EQ(Picture().GetColumns(), 24);
    EXPECT_EQ(Picture().GetRows(), 20);
    EXPECT_TRUE(Image().IsEmpty());
    const CSize cell = Picture().GetCellSize();
    EXPECT_EQ(Picture().width(), 24 * cell.cx + 1);
    EXPECT_EQ(Picture().height(), 20 * cell.cy + 1);
    EXPECT_EQ(m_editor->GetSelectedCell(), m_editor->GetPaletteCell(kBlackCell));
    EXPECT_EQ(m_editor->GetTransparentCell()->GetColor(), kImageEditorTransparent);
    EXPECT_EQ(m_editor->GetTool(), CTKImageEditorPicture::kPencil);
}

TEST_F(ButtonEditorTest, PencilDrawsAlongTheStrokeAndErasesWhenStartedOnTheCurrentColour)
{
    Open();
    Stroke({{0, 0}, {1, 0}, {2, 0}, {3, 0}});
    EXPECT_EQ(Row(Image(), 0, kBlackPixel), "####............");
    EXPECT_EQ(Picture().GetUndoCount(), 1);
    // Started on black: the whole stroke erases, also over cells already clear.
    Stroke({{1, 0}, {2, 0}, {5, 0}});
    EXPECT_EQ(Row(Image(), 0, kBlackPixel), "#..#............");
    // Started on a clear cell: the stroke draws over black cells too.
    Stroke({{4, 0}, {3, 0}, {0, 0}});
    EXPECT_EQ(Row(Image(), 0, kBlackPixel), "#..##...........");
    EXPECT_EQ(Picture().GetUndoCount(), 3);
}

TEST_F(ButtonEditorTest, UndoAndRedoCountsAfterEveryStep)
{
    Open();
    struct Step {
        const char* name;
        std::function<void(ButtonEditorTest&)> action;
        int undo;
        int redo;
    };
    const Step steps[] = {
        {"click", [](ButtonEditorTest& t) { t.Click(0, 0); }, 1, 0},
        {"stroke", [](ButtonEditorTest& t) { t.Stroke({{1, 1}, {2, 2}}); }, 2, 0},
        {"undo", [](ButtonEditorTest& t) { t.Tool(CTKButtonEditorDlg::kUndo); }, 1, 1},
        {"undo", [](ButtonEditorTest& t) { t.Tool(CTKButtonEditorDlg::kUndo); }, 0, 2},
        {"undo with nothing left", [](ButtonEditorTest& t) { t.Tool(CTKButtonEditorDlg::kUndo); }, 0, 2},
        {"redo", [](ButtonEditorTest& t) { t.Tool(CTKButtonEditorDlg::kRedo); }, 1, 1},
        {"new stroke empties redo", [](ButtonEditorTest& t) { t.Click(5, 5); }, 2, 0},
        {"redo with nothing left", [](ButtonEditorTest& t) { t.Tool(CTKButtonEditorDlg::kRedo); }, 2, 0},
        {"clear", [](ButtonEditorTest& t) { t.Tool(CTKButtonEditorDlg::kClear); }, 3, 0},
        {"move", [](ButtonEditorTest& t) { t.Tool(CTKButtonEditorDlg::kMoveUp); }, 4, 0},
        {"paste from an empty clipboard", [](ButtonEditorTest& t) { t.Tool(CTKButtonEditorDlg::kPaste); }, 4, 0},
        {"copy", [](ButtonEditorTest& t) { t.Tool(CTKButtonEditorDlg::kCopy); }, 4, 0},
        {"paste", [](ButtonEditorTest& t) { t.Tool(CTKButtonEditorDlg::kPaste); }, 5, 0},
        {"fill", [](ButtonEditorTest& t) { t.Tool(CTKButtonEditorDlg::kFill); t.Click(3, 3); }, 6, 0},
        {"pick colour", [](ButtonEditorTest& t) { t.Tool(CTKButtonEditorDlg::kPickColor); t.Click(3, 3); }, 6, 0},
        {"load cancelled", [](ButtonEditorTest& t) { t.Tool(CTKButtonEditorDlg::kLoadFromFile); }, 6, 0},
    };
    for (const Step& step : steps) {
        step.action(*this);
        EXPECT_EQ(Picture().GetUndoCount(), step.undo) << step.name;
        EXPECT_EQ(Picture().GetRedoCount(), step.redo) << step.name;
        BOOL enabled = FALSE;
        BOOL checked = FALSE;
        m_editor->OnUpdateCommandUI(CTKButtonEditorDlg::kUndo, &enabled, &checked);
        EXPECT_EQ(enabled, step.undo != 0) << step.name;
        m_editor->OnUpdateCommandUI(CTKButtonEditorDlg::kRedo, &enabled, &checked);
        EXPECT_EQ(enabled, step.redo != 0) << step.name;
    }
}

TEST_F(ButtonEditorTest, SeventeenClicksKeepSixteenStepsBackToTheFirstClick)
{
    Open();
    for (int i = 0; i < 17; ++i)
        Click(i % 16, i / 16);
    EXPECT_EQ(Picture().GetUndoCount(), 16);
    for (int i = 0; i < 16; ++i)
        Tool(CTKButtonEditorDlg::kUndo);
    EXPECT_EQ(Picture().GetUndoCount(), 0);
    EXPECT_EQ(Picture().GetRedoCount(), 16);
    EXPECT_EQ(Row(Image(), 0, kBlackPixel), "#...............");
    EXPECT_EQ(Row(Image(), 1, kBlackPixel), "................");
    for (int i = 0; i < 16; ++i)
        Tool(CTKButtonEditorDlg::kRedo);
    EXPECT_EQ(Row(Image(), 1, kBlackPixel), "#...............");
}

TEST_F(ButtonEditorTest, FiguresAreRedrawnFromTheStateBeforeTheStroke)
{
    Open();
    Color(kRedCell);
    Tool(CTKButtonEditorDlg::kLine);
    // The line follows the mouse: only the last position counts, its end cell left out.
    Stroke({{0, 0}, {0, 5}, {3, 0}});
    EXPECT_EQ(Row(Image(), 0, kRedPixel), "###.............");
    EXPECT_EQ(Row(Image(), 3, kRedPixel), "................");
    EXPECT_EQ(Picture().GetUndoCount(), 1);

    // A filled area, then an ellipse over it clears its inside; a rectangle keeps it.
    Color(kBlueCell);
    Tool(CTKButtonEditorDlg::kFill);
    Click(8, 8);
    Color(kRedCell);
    Tool(CTKButtonEditorDlg::kEllipse);
    Stroke({{2, 2}, {12, 12}});
    EXPECT_EQ(Image().GetPixel(7, 7), kClear);
    EXPECT_EQ(Image().GetPixel(14, 14), 0x000000FFu);
    Tool(CTKButtonEditorDlg::kUndo);
    Tool(CTKButtonEditorDlg::kRectangle);
    Stroke({{2, 2}, {12, 12}});
    EXPECT_EQ(Image().GetPixel(7, 7), 0x000000FFu);
    EXPECT_EQ(Row(Image(), 2, kRedPixel).substr(0, 13), "??##########?");
}

TEST_F(ButtonEditorTest, FillStopsAtOtherColours)
{
    Open();
    Tool(CTKButtonEditorDlg::kRectangle);
    Stroke({{0, 0}, {6, 6}});
    Color(kRedCell);
    Tool(CTKButtonEditorDlg::kFill);
    Click(3, 3);
    EXPECT_EQ(Row(Image(), 3, kRedPixel), "?####?..........");
    EXPECT_EQ(Row(Image(), 8, kRedPixel), "................");
    // Filling the outside from the far corner.
    Click(15, 15);
    EXPECT_EQ(Row(Image(), 8, kRedPixel), "################");
    EXPECT_EQ(Row(Image(), 3, kRedPixel), "?####?##########");
}

TEST_F(ButtonEditorTest, MoveLosesTheEdgeItLeavesAndClearsTheOther)
{
    Open();
    Tool(CTKButtonEditorDlg::kFill);
    Click(0, 0);
    Tool(CTKButtonEditorDlg::kPencil);
    Click(15, 0);   // erase one cell to see where it goes
    struct Case {
        UINT command;
        const char* row0;
        const char* row15;
    };
    const Case cases[] = {
        {CTKButtonEditorDlg::kMoveLeft, "##############..", "###############."},
        {CTKButtonEditorDlg::kMoveRight, ".##############.", ".###############"},
        {CTKButtonEditorDlg::kMoveDown, "................", ".###############"},
        {CTKButtonEditorDlg::kMoveUp, ".##############.", "................"},
    };
    for (const Case& c : cases) {
        Tool(c.command);
        EXPECT_EQ(Row(Image(), 0, kBlackPixel), c.row0) << c.command;
        EXPECT_EQ(Row(Image(), 15, kBlackPixel), c.row15) << c.command;
    }
}

TEST_F(ButtonEditorTest, AlphaImagesGetOpaqueStrokesAndTransparentErasures)
{
    CIconImage icon(16, 16, 0);   // black with alpha 0: transparent
    icon.SetPixel(0, 0, 0x80FF0000);
    Open(FALSE, [&icon](ScriptedEditor& editor) { editor.SetIcon(icon, TRUE); });
    EXPECT_TRUE(Image().IsAlpha());
    EXPECT_EQ(Image().GetPixel(5, 5), kClear);
    Click(1, 0);
    EXPECT_EQ(Image().GetPixel(1, 0), 0xFF000000u);
    EXPECT_EQ(Image().GetPixel(0, 0), 0x80FF0000u);
    Click(1, 0);
    EXPECT_EQ(Image().GetPixel(1, 0), kClear);
    BOOL alpha = FALSE;
    const CIconImage result = m_editor->GetIcon(&alpha);
    EXPECT_TRUE(alpha);
    EXPECT_EQ(result.GetPixel(0, 0), 0x80FF0000u);
    EXPECT_EQ(CIconImage::AlphaOf(result.GetPixel(1, 0)), 0);
}

TEST_F(ButtonEditorTest, PlainIconsComeInAndGoOutWithTheirMask)
{
    CIconImage icon(16, 16, 0);
    icon.SetPixel(2, 3, 0xFFFF0000);
    Open(FALSE, [&icon](ScriptedEditor& editor) { editor.SetIcon(icon, FALSE); });
    EXPECT_FALSE(Image().IsAlpha());
    EXPECT_EQ(Image().GetPixel(2, 3), kRedPixel);
    EXPECT_EQ(Image().GetPixel(0, 0), kClear);
    BOOL alpha = TRUE;
    CIconImage result = m_editor->GetIcon(&alpha);
    EXPECT_FALSE(alpha);
    EXPECT_EQ(result.GetPixel(2, 3), 0xFFFF0000u);
    EXPECT_EQ(CIconImage::AlphaOf(result.GetPixel(0, 0)), 0);

    // All transparent: a fully transparent icon; empty: no icon at all.
    Color(kRedCell);
    Click(2, 3);
    ASSERT_TRUE(AllPixels(Image(), kClear));
    result = m_editor->GetIcon(&alpha);
    for (DWORD pixel : result.Pixels())
        ASSERT_EQ(CIconImage::AlphaOf(pixel), 0);
    Tool(CTKButtonEditorDlg::kClear);
    EXPECT_TRUE(m_editor->GetIcon(&alpha).IsEmpty());
}

TEST_F(ButtonEditorTest, EyedropperPicksIntoTheCurrentCellAndReturnsToThePreviousTool)
{
    Open();
    Color(kRedCell);
    Click(4, 4);
    Color(kBlackCell);
    Tool(CTKButtonEditorDlg::kLine);
    Tool(CTKButtonEditorDlg::kPickColor);
    Tool(CTKButtonEditorDlg::kPickColor);   // twice: the line is still the tool to return to
    EXPECT_EQ(m_editor->GetPreviousTool(), CTKImageEditorPicture::kLine);
    Click(4, 4);
    EXPECT_EQ(m_editor->GetCurrentColorCell()->GetColor(), kRed);
    EXPECT_EQ(m_editor->GetSelectedCell(), m_editor->GetCurrentColorCell());
    EXPECT_EQ(m_editor->GetTool(), CTKImageEditorPicture::kLine);
    EXPECT_EQ(Picture().GetUndoCount(), 1);
    Stroke({{0, 9}, {3, 9}});
    EXPECT_EQ(Row(Image(), 9, kRedPixel), "###.............");
    BOOL enabled = FALSE;
    BOOL checked = FALSE;
    m_editor->OnUpdateCommandUI(CTKButtonEditorDlg::kLine, &enabled, &checked);
    EXPECT_TRUE(checked);
    m_editor->OnUpdateCommandUI(CTKButtonEditorDlg::kPencil, &enabled, &checked);
    EXPECT_FALSE(checked);
}

TEST_F(ButtonEditorTest, ColourCellsSelectAndTheColourDialogKeepsTheColourOnCancel)
{
    Open();
    CTKImageEditorPicker* current = m_editor->GetCurrentColorCell();
    m_editor->OnCellClicked(current);
    EXPECT_EQ(m_editor->colorDialogs, 1);
    EXPECT_EQ(current->GetColor(), RGB(0, 0, 0));
    EXPECT_EQ(m_editor->GetSelectedCell(), current);
    EXPECT_TRUE(current->IsSelected());
    EXPECT_FALSE(m_editor->GetPaletteCell(kBlackCell)->IsSelected());
    m_editor->chosen = RGB(10, 20, 30);
    m_editor->OnCellClicked(current);
    EXPECT_EQ(m_editor->GetCurrentColor(), RGB(10, 20, 30));
    m_editor->OnCellClicked(m_editor->GetTransparentCell());
    EXPECT_EQ(m_editor->GetCurrentColor(), kImageEditorTransparent);
    EXPECT_FALSE(current->IsSelected());
    // A press of the mouse on a palette cell selects it.
    QTest::mouseClick(m_editor->GetPaletteCell(kBlueCell), Qt::LeftButton);
    EXPECT_EQ(m_editor->GetCurrentColor(), RGB(0, 0, 255));
}

TEST_F(ButtonEditorTest, ClipboardRoundTripsKeepPlainAndAlphaImages)
{
    const COLORREF face = CTKSystemColors::Instance().LookupColor(COLOR_BTNFACE);
    const UINT marker = CTKCommandImages::Global().GetAlphaMarkerFormat();
    Open();
    // All transparent: the clipboard gets the button face everywhere; pasted back, all clear.
    Click(2, 2);
    Click(2, 2);
    Tool(CTKButtonEditorDlg::kCopy);
    CIconImage bitmap;
    ASSERT_TRUE(CClipboard::Get().GetBitmap(&bitmap));
    EXPECT_TRUE(AllPixels(bitmap, CIconImage::ArgbFromColor(face)));
    EXPECT_FALSE(CClipboard::Get().IsFormatAvailable(marker));
    Click(5, 5);
    Tool(CTKButtonEditorDlg::kPaste);
    EXPECT_TRUE(AllPixels(Image(), kClear));
    EXPECT_FALSE(Image().IsAlpha());

    // A plain picture comes back as it was.
    Color(kRedCell);
    Click(1, 1);
    const CIconImage plain = Image();
    Tool(CTKButtonEditorDlg::kCopy);
    Tool(CTKButtonEditorDlg::kClear);
    Tool(CTKButtonEditorDlg::kPaste);
    EXPECT_EQ(Image().Pixels(), plain.Pixels());

    // An alpha picture travels with the marker and keeps its alpha.
    CIconImage icon(16, 16, 0);
    icon.SetPixel(3, 3, 0x40FF0000);
    Open(FALSE, [&icon](ScriptedEditor& editor) { editor.SetIcon(icon, TRUE); });
    const CIconImage alpha = Image();
    Tool(CTKButtonEditorDlg::kCopy);
    EXPECT_TRUE(CClipboard::Get().IsFormatAvailable(marker));
    Tool(CTKButtonEditorDlg::kClear);
    Tool(CTKButtonEditorDlg::kPaste);
    EXPECT_TRUE(Image().IsAlpha());
    EXPECT_EQ(Image().Pixels(), alpha.Pixels());
}

TEST_F(ButtonEditorTest, ClipboardNamesWithDib32AfterTheFirstCharacterMarkAlpha)
{
    struct Case {
        const char* format;
        BOOL alpha;
    };
    const Case cases[] = {{"DIB32", FALSE}, {"Format DIB32", TRUE}, {"Other", FALSE}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.format);
        Open();
        CIconImage bitmap(16, 16, 0x80FF0000);
        CClipboard::Get().Empty();
        CClipboard::Get().SetBitmap(bitmap);
        CClipboard::Get().SetData(CClipboard::RegisterFormat(c.format), std::vector<BYTE>(1, 0));
        Tool(CTKButtonEditorDlg::kPaste);
        EXPECT_EQ(Image().IsAlpha(), c.alpha);
        EXPECT_EQ(Image().GetPixel(0, 0), c.alpha ? 0x80FF0000u : kRedPixel);
    }
}

TEST_F(ButtonEditorTest, ForeignClipboardBitmapsAreCutToThePicture)
{
    Open();
    CIconImage large(300, 2, 0xFF00FF00);
    CClipboard::Get().SetBitmap(large);
    Tool(CTKButtonEditorDlg::kPaste);
    EXPECT_EQ(Image().GetSize(), CSize(16, 16));
    EXPECT_EQ(Row(Image(), 1, 0x0000FF00), "################");
    EXPECT_EQ(Row(Image(), 2, 0x0000FF00), "................");
    CClipboard::Get().Empty();
    CClipboard::Get().SetText("no picture");
    Tool(CTKButtonEditorDlg::kPaste);
    EXPECT_EQ(Picture().GetUndoCount(), 1);
}

// An .ico file with one 32-bit image of the side given, every pixel the value.
std::vector<BYTE> AlphaIconFile(int side, DWORD pixel)
{
    const std::size_t pixelBytes = static_cast<std::size_t>(side) * side * 4;
    const std::size_t maskBytes = static_cast<std::size_t>(side) * ((side + 31) / 32) * 4;
    const std::size_t imageBytes = 40 + pixelBytes + maskBytes;
    std::vector<BYTE> file(6 + 16 + imageBytes, 0);
    const auto put = [&file](std::size_t at, DWORD value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            file[at + static_cast<std::size_t>(i)] = static_cast<BYTE>(value >> (8 * i));
    };
    put(2, 1, 2);
    put(4, 1, 2);
    file[6] = static_cast<BYTE>(side);
    file[7] = static_cast<BYTE>(side);
    put(6 + 4, 1, 2);
    put(6 + 6, 32, 2);
    put(6 + 8, static_cast<DWORD>(imageBytes), 4);
    put(6 + 12, 22, 4);
    put(22, 40, 4);
    put(26, static_cast<DWORD>(side), 4);
    put(30, static_cast<DWORD>(side * 2), 4);
    put(34, 1, 2);
    put(36, 32, 2);
    for (std::size_t i = 0; i < pixelBytes / 4; ++i)
        put(62 + i * 4, pixel, 4);
    return file;
}

std::vector<BYTE> AlphaBitmapFile(int side, DWORD pixel)
{
    std::vector<BYTE> file(54 + static_cast<std::size_t>(side) * side * 4, 0);
    const auto put = [&file](std::size_t at, DWORD value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            file[at + static_cast<std::size_t>(i)] = static_cast<BYTE>(value >> (8 * i));
    };
    put(0, 0x4D42, 2);
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, static_cast<DWORD>(side), 4);
    put(22, static_cast<DWORD>(side), 4);
    put(26, 1, 2);
    put(28, 32, 2);
    for (std::size_t i = 0; i < static_cast<std::size_t>(side) * side; ++i)
        put(54 + i * 4, pixel, 4);
    return file;
}

TEST_F(ButtonEditorTest, LoadsIconsBitmapsAndOtherPictures)
{
    TempFolder folder;
    WriteFileBytes(folder / "alpha.ico", AlphaIconFile(16, 0x80FF0000));
    WriteFileBytes(folder / "alpha.bmp", AlphaBitmapFile(16, 0xC00000FF));
    QImage opaque(20, 20, QImage::Format_RGB32);
    opaque.fill(QColor(0, 128, 0));
    ASSERT_TRUE(opaque.save(QString::fromStdString(folder / "plain.bmp"), "BMP"));
    QImage picture(32, 32, QImage::Format_ARGB32);
    picture.fill(QColor(255, 0, 0));
    for (int y = 0; y < 32; ++y)
        for (int x = 16; x < 32; ++x)
            picture.setPixel(x, y, 0);
    ASSERT_TRUE(picture.save(QString::fromStdString(folder / "half.png"), "PNG"));
    ASSERT_TRUE(picture.scaled(16, 16).save(QString::fromStdString(folder / "PLAIN.ICO"), "ICO"));

    struct Case {
        const char* file;
        BOOL alpha;
        DWORD left;    // pixel (0, 0)
        DWORD right;   // pixel (15, 15)
    };
    const Case cases[] = {
        {"alpha.ico", TRUE, 0x80FF0000, 0x80FF0000},
        {"alpha.bmp", TRUE, 0xC00000FF, 0xC00000FF},
        {"plain.bmp", FALSE, 0x00008000, 0x00008000},
        {"half.png", FALSE, kRedPixel, kClear},
        {"PLAIN.ICO", TRUE, 0xFFFF0000, 0x00000000},
    };
    Open();
    int steps = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        m_editor->file = folder / c.file;
        Tool(CTKButtonEditorDlg::kLoadFromFile);
        EXPECT_EQ(Picture().GetUndoCount(), ++steps);
        EXPECT_EQ(Image().IsAlpha(), c.alpha);
        EXPECT_EQ(Image().GetPixel(0, 0), c.left);
        EXPECT_EQ(Image().GetPixel(15, 15), c.right);
    }
}

TEST_F(ButtonEditorTest, DamagedOrForeignFilesLeaveThePictureUnchanged)
{
    TempFolder folder;
    std::vector<BYTE> truncatedIcon = AlphaIconFile(16, 0x80FF0000);
    truncatedIcon.resize(200);
    std::vector<BYTE> lyingIcon = AlphaIconFile(16, 0x80FF0000);
    lyingIcon[6 + 12] = 0xF0;   // image offset far past the end
    lyingIcon[6 + 15] = 0x7F;
    std::vector<BYTE> truncatedBitmap = AlphaBitmapFile(16, 0xC00000FF);
    truncatedBitmap.resize(300);
    std::vector<BYTE> hugeBitmap = AlphaBitmapFile(2, 0xC00000FF);
    hugeBitmap[18 + 3] = 0x40;   // width 1 G pixels
    const std::vector<BYTE> garbage = {'n', 'o', 't', ' ', 'a', ' ', 'p', 'i', 'c', 't', 'u', 'r', 'e'};
    struct Case {
        const char* file;
        std::vector<BYTE> bytes;
    };
    const Case cases[] = {
        {"truncated.ico", truncatedIcon}, {"lying.ico", lyingIcon},     {"truncated.bmp", truncatedBitmap},
        {"huge.bmp", hugeBitmap},         {"garbage.png", garbage},     {"garbage.gif", garbage},
        {"empty.jpg", {}},
    };
    Open();
    Click(3, 3);
    const CIconImage before = Image();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        WriteFileBytes(folder / c.file, c.bytes);
        EXPECT_FALSE(Picture().LoadFile(folder / c.file));
        EXPECT_EQ(Image().Pixels(), before.Pixels());
        EXPECT_EQ(Picture().GetUndoCount(), 1);
    }
    EXPECT_FALSE(Picture().LoadFile(folder / "missing.bmp"));
}

TEST_F(ButtonEditorTest, StripsShowTheirImagesAndTooltips)
{
    struct Case {
        UINT id;
        const char* tip;
    };
    const Case tips[] = {
        {CTKButtonEditorDlg::kPencil, "Pencil"},          {CTKButtonEditorDlg::kFill, "Fill With Color"},
        {CTKButtonEditorDlg::kLoadFromFile, "Load From File"}, {CTKButtonEditorDlg::kRedo, "Redo"},
        {9450, ""}, {CTKButtonEditorDlg::kMoveLeft, ""}, {0, ""}, {12345, ""},
    };
    for (const Case& c : tips)
        EXPECT_EQ(CTKButtonEditorDlg::GetToolTipText(c.id), c.tip) << c.id;

    for (BOOL comCtl6 : {FALSE, TRUE}) {
        SCOPED_TRACE(comCtl6 ? "alpha images" : "masked images");
        Open(comCtl6);
        EXPECT_EQ(m_editor->GetToolsBar()->GetButtonCount(), 12);
        EXPECT_EQ(m_editor->GetMoveBar()->GetButtonCount(), 4);
        QToolButton* pencil = m_editor->GetToolsBar()->GetButton(CTKButtonEditorDlg::kPencil);
        ASSERT_NE(pencil, nullptr);
        EXPECT_EQ(pencil->toolTip(), "Pencil");
        const QImage image = pencil->icon().pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
        // Masked images have only clear or opaque pixels; the alpha strip's corner is clear too.
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
        EXPECT_FALSE(m_editor->GetMoveBar()->GetButton(CTKButtonEditorDlg::kMoveRight)->icon().isNull());
    }
}

TEST_F(ButtonEditorTest, PaintsTheCheckerBehindTransparentPixelsAndBlendsAlpha)
{
    CIconImage icon(16, 16, 0);
    icon.SetPixel(0, 15, 0x80000000);   // half black, bottom-left
    icon.SetPixel(15, 0, 0xFFFF0000);
    Open(FALSE, [&icon](ScriptedEditor& editor) { editor.SetIcon(icon, TRUE); });
    const CIconImage screen = Picture().Render();
    const int h = screen.Height();
    EXPECT_EQ(screen.GetPixel(0, 0), 0xFF000000u);           // frame
    EXPECT_EQ(screen.GetPixel(screen.Width() - 1, h - 1), 0xFF000000u);
    // Bottom-left cell, screen row b = 1 from the bottom: parity of ((x+3)/4 + (b+3)/4).
    // x = 1, b = 1: 1 + 1 is even, white: 255 - 128 * 255 / 255 = 127.
    EXPECT_EQ(screen.GetPixel(1, h - 2), 0xFF7F7F7Fu);
    // x = 5, b = 1: 2 + 1 is odd, grey: 235 - 128 * 235 / 255 = 118.
    EXPECT_EQ(screen.GetPixel(5, h - 2), 0xFF767676u);
    EXPECT_EQ(screen.GetPixel(screen.Width() - 3, 2), 0xFFFF0000u);
    // A clear pixel shows the checker.
    EXPECT_EQ(screen.GetPixel(80, 80) | 0xFF000000u,
              (((80 + 3) / 4 + (h - 81 + 3) / 4) % 2) ? 0xFFEBEBEBu : 0xFFFFFFFFu);
}

TEST_F(ButtonEditorTest, MouseStrokeOnTheWindowIsOneStepAndTheEditorIsDrawn)
{
    Open();
    m_editor->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_editor.get()));
    Color(kRedCell);
    const CPoint from = CellPoint(1, 4);
    const CPoint to = CellPoint(6, 4);
    QTest::mousePress(&Picture(), Qt::LeftButton, {}, QPoint(from.x, from.y));
    for (int x = from.x; x <= to.x; x += 4)
        QTest::mouseMove(&Picture(), QPoint(x, from.y));
    QTest::mouseMove(&Picture(), QPoint(to.x, to.y));
    QTest::mouseRelease(&Picture(), Qt::LeftButton, {}, QPoint(to.x, to.y));
    EXPECT_EQ(Row(Image(), 4, kRedPixel), ".######.........");
    EXPECT_EQ(Picture().GetUndoCount(), 1);
    EXPECT_TRUE(m_editor->GetToolsBar()->GetButton(CTKButtonEditorDlg::kUndo)->isEnabled());
    EXPECT_FALSE(m_editor->GetToolsBar()->GetButton(CTKButtonEditorDlg::kRedo)->isEnabled());
    Tool(CTKButtonEditorDlg::kEllipse);
    Stroke({{3, 6}, {14, 14}});
    Color(kBlueCell);
    Tool(CTKButtonEditorDlg::kFill);
    Click(8, 10);
    ProcessEvents();
    SaveArtefact(m_editor->grab().toImage(), "button_editor.png");
    m_editor->hide();
}

} // namespace
