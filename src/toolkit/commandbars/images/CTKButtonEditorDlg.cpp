#include "toolkit/commandbars/images/CTKButtonEditorDlg.h"

#include "platform/CImageList.h"
#include "platform/CSystemMetrics.h"
#include "platform/ui/CQtDC.h"
#include "platform/ui/CResourceStore.h"
#include "platform/ui/QtText.h"
#include "toolkit/commandbars/images/CTKCommandImages.h"
#include "toolkit/commandbars/images/CTKImageEditorPicker.h"
#include "toolkit/commandbars/images/CTKImageEditorPicture.h"
#include "toolkit/commandbars/images/CTKImageEditorPreview.h"
#include "toolkit/commandbars/images/CTKImageEditorToolBar.h"
#include "toolkit/commandbars/images/ImageEditorBitmaps.h"
#include "toolkit/commandbars/images/IconBitmaps.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <QVBoxLayout>

#include <iterator>
#include <vector>

namespace {

constexpr int kCellSide = 11;
constexpr int kCellPitch = 13;
constexpr int kPaletteColumns = 8;
constexpr int kPaletteRows = 2;
constexpr int kPictureSide = 193;
constexpr int kPreviewWidth = 90;
constexpr int kPreviewHeight = 44;
constexpr int kCurrentCellSide = 24;
constexpr int kButtonImageSide = 16;
constexpr int kButtonImageCount = 16;
constexpr int kToolButtonCount = 12;
constexpr int kToolButtonsPerRow = 4;
constexpr COLORREF kButtonImageMask = RGB(192, 192, 192);
constexpr UINT kFileFilterString = 9396;

// One palette cell: its colour's string id (also its control id), its
// place in the 8 by 2 palette and its colour, in the order of creation.
struct PaletteCell {
    UINT id;
    int column;
    int row;
    COLORREF color;
};

constexpr PaletteCell kPaletteCells[] = {
    {9450, 0, 0, RGB(0, 0, 0)},       // Black
    {9458, 2, 0, RGB(128, 0, 0)},     // Dark Red
    {9460, 3, 0, RGB(128, 128, 0)},   // Dark Yellow
    {9455, 6, 0, RGB(0, 0, 128)},     // Dark Blue
    {9461, 4, 0, RGB(0, 128, 0)},     // Green
    {9462, 5, 0, RGB(0, 128, 128)},   // Teal
    {9463, 6, 1, RGB(0, 0, 255)},     // Blue
    {9465, 1, 0, RGB(128, 128, 128)}, // Gray-50%
    {9466, 2, 1, RGB(255, 0, 0)},     // Red
    {9472, 7, 0, RGB(128, 0, 128)},   // Violet
    {9474, 7, 1, RGB(255, 0, 255)},   // Pink
    {9476, 3, 1, RGB(255, 255, 0)},   // Yellow
    {9477, 4, 1, RGB(0, 255, 0)},     // Bright Green
    {9478, 5, 1, RGB(0, 255, 255)},   // Turquiose
    {9481, 1, 1, RGB(192, 192, 192)}, // Gray-25%
    {9489, 0, 1, RGB(255, 255, 255)}, // White
};
static_assert(std::size(kPaletteCells) == CTKButtonEditorDlg::kPaletteCount);

constexpr UINT kToolButtons[] = {
    CTKButtonEditorDlg::kPencil,    CTKButtonEditorDlg::kFill,    CTKButtonEditorDlg::kUndo,
    CTKButtonEditorDlg::kRedo,      CTKButtonEditorDlg::kPickColor, CTKButtonEditorDlg::kLine,
    CTKButtonEditorDlg::kCopy,      CTKButtonEditorDlg::kPaste,   CTKButtonEditorDlg::kRectangle,
    CTKButtonEditorDlg::kEllipse,   CTKButtonEditorDlg::kClear,   CTKButtonEditorDlg::kLoadFromFile,
};
static_assert(std::size(kToolButtons) == kToolButtonCount);

// The move commands and the step of each.
struct MoveCommand {
    UINT id;
    int dx;
    int dy;
};

constexpr MoveCommand kMoveCommands[] = {
    {CTKButtonEditorDlg::kMoveLeft, -1, 0},
    {CTKButtonEditorDlg::kMoveDown, 0, 1},
    {CTKButtonEditorDlg::kMoveUp, 0, -1},
    {CTKButtonEditorDlg::kMoveRight, 1, 0},
};

// The filter of the open-file dialog in the platform's form:
// "Name (*.a *.b);;Other (*.c)".
QString FileDialogFilter()
{
    const QStringList parts = ToQString(CResourceStore::Instance().LoadString(kFileFilterString)).split('|');
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty())
            break;
        QString name = parts[i];
        const int bracket = name.indexOf('(');
        if (bracket > 0)
            name = name.left(bracket).trimmed();
        QString patterns = parts[i + 1];
        filters << name + " (" + patterns.replace(';', ' ') + ")";
    }
    return filters.join(";;");
}

QGroupBox* Group(const QString& title, QWidget* content, QWidget* parent)
{
    auto* group = new QGroupBox(title, parent);
    auto* layout = new QHBoxLayout(group);
    layout->addWidget(content);
    layout->addStretch();
    return group;
}

} // namespace

CTKButtonEditorDlg::CTKButtonEditorDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle("Button Editor");
    m_picture = new CTKImageEditorPicture(this);
    m_picture->setObjectName(QString::number(kPictureId));
    m_picture->resize(kPictureSide, kPictureSide);
    m_preview = new CTKImageEditorPreview(this);
    m_preview->setObjectName(QString::number(kPreviewId));
    m_preview->setFixedSize(kPreviewWidth, kPreviewHeight);
    m_toolsBar = new CTKImageEditorToolBar(this);
    m_toolsBar->setObjectName("9358");
    m_moveBar = new CTKImageEditorToolBar(this);
    m_moveBar->setObjectName("9354");
    m_transparentCell = new CTKImageEditorPicker(this);
    m_transparentCell->setObjectName(QString::number(kTransparentCellId));
    m_transparentCell->setFixedSize(kCellSide, kCellSide);
    m_currentColorCell = new CTKImageEditorPicker(this);
    m_currentColorCell->setObjectName(QString::number(kCurrentColorCellId));
    m_currentColorCell->setFixedSize(kCurrentCellSide, kCurrentCellSide);
    for (std::size_t i = 0; i < m_palette.size(); ++i)
        m_palette[i] = new CTKImageEditorPicker(this);
}

CTKButtonEditorDlg::~CTKButtonEditorDlg() = default;

void CTKButtonEditorDlg::SetSize(int cx, int cy)
{
    m_pictureWidth = cx;
    m_pictureHeight = cy;
}

void CTKButtonEditorDlg::SetIcon(const CIconImage& icon, BOOL alpha)
{
    if (icon.IsEmpty())
        return;
    const CSize size = GetIconSize(icon);
    m_pictureWidth = size.cx;
    m_pictureHeight = size.cy;
    if (alpha) {
        CIconImage image = icon;
        MarkTransparentPixels(&image);
        image.SetAlpha(TRUE);
        m_picture->SetImage(image);
        return;
    }
    m_picture->SetImage(PlainImageFromIcon(icon, size.cx, size.cy));
}

CIconImage CTKButtonEditorDlg::GetIcon(BOOL* alpha) const
{
    const CIconImage& image = m_picture->GetImage();
    if (image.IsEmpty())
        return CIconImage();
    if (alpha)
        *alpha = image.IsAlpha();
    if (image.IsAlpha())
        return CreateAlphaIcon(image);
    CIconImage icon = image;
    icon.ApplyMaskColor(kImageEditorTransparent);
    icon.SetAlpha(FALSE);
    return icon;
}

COLORREF CTKButtonEditorDlg::GetCurrentColor() const
{
    return m_selected ? m_selected->GetColor() : 0;
}

void CTKButtonEditorDlg::showEvent(QShowEvent* event)
{
    if (!m_initialized)
        OnInitDialog();
    QDialog::showEvent(event);
}

QWidget* CTKButtonEditorDlg::CreatePalette()
{
    auto* palette = new QWidget(this);
    palette->setObjectName("9357");
    palette->setFixedSize(kPaletteColumns * kCellPitch - (kCellPitch - kCellSide),
                          kPaletteRows * kCellPitch - (kCellPitch - kCellSide));
    for (std::size_t i = 0; i < m_palette.size(); ++i) {
        const PaletteCell& cell = kPaletteCells[i];
        CTKImageEditorPicker* picker = m_palette[i];
        picker->setParent(palette);
        picker->setObjectName(QString::number(cell.id));
        picker->setGeometry(kCellPitch * cell.column, kCellPitch * cell.row, kCellSide, kCellSide);
        picker->SetColor(cell.color);
        connect(picker, &CTKImageEditorPicker::Clicked, this, &CTKButtonEditorDlg::OnCellClicked);
    }
    return palette;
}

void CTKButtonEditorDlg::OnInitDialog()
{
    if (m_initialized)
        return;
    m_initialized = TRUE;
    m_toolsBar->SetButtons(kToolButtons, kToolButtonCount, kToolButtonsPerRow);
    UINT moveIds[std::size(kMoveCommands)];
    for (std::size_t i = 0; i < std::size(kMoveCommands); ++i)
        moveIds[i] = kMoveCommands[i].id;
    m_moveBar->SetButtons(moveIds, static_cast<int>(std::size(moveIds)), 0);
    LoadButtonImages();
    for (CTKImageEditorToolBar* bar : {m_toolsBar, m_moveBar}) {
        bar->SetToolTipHandler(&CTKButtonEditorDlg::GetToolTipText);
        connect(bar, &CTKImageEditorToolBar::Command, this, &CTKButtonEditorDlg::OnCommand);
    }

    QWidget* palette = CreatePalette();
    SelectCell(m_palette[0]);
    m_transparentCell->SetColor(kImageEditorTransparent);
    connect(m_transparentCell, &CTKImageEditorPicker::Clicked, this, &CTKButtonEditorDlg::OnCellClicked);
    connect(m_currentColorCell, &CTKImageEditorPicker::Clicked, this, &CTKButtonEditorDlg::OnCellClicked);
    m_picture->Attach(this);
    m_preview->Attach(this);

    auto* colors = new QWidget(this);
    auto* colorsLayout = new QGridLayout(colors);
    colorsLayout->setContentsMargins(0, 0, 0, 0);
    colorsLayout->addWidget(palette, 0, 0, 1, 3);
    colorsLayout->addWidget(m_transparentCell, 1, 0);
    colorsLayout->addWidget(new QLabel("Transparent", colors), 1, 1);
    colorsLayout->addWidget(m_currentColorCell, 0, 3, 2, 1);

    auto* pictureColumn = new QVBoxLayout;
    pictureColumn->addWidget(new QLabel("Picture", this));
    pictureColumn->addWidget(m_picture);
    pictureColumn->addStretch();
    auto* groups = new QVBoxLayout;
    groups->addWidget(Group("Colors", colors, this));
    groups->addWidget(Group("Move", m_moveBar, this));
    groups->addWidget(Group("Preview", m_preview, this));
    groups->addWidget(Group("Tools", m_toolsBar, this));
    auto* buttons = new QVBoxLayout;
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("1");
    ok->setDefault(true);
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("2");
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(pictureColumn);
    layout->addLayout(groups);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    OnKickIdle();
}

void CTKButtonEditorDlg::LoadButtonImages()
{
    CImageList tools;
    if (IsComCtl6Available()) {
        std::vector<CIconImage> pieces;
        const CIconImage* strip = CResourceStore::Instance().FindBitmap(kAlphaButtonBitmap);
        tools.Create(kButtonImageSide, kButtonImageSide, ILC_COLOR32);
        if (strip && CTKCommandImages::SplitAlphaBitmap(*strip, kButtonImageCount, &pieces)) {
            for (const CIconImage& piece : pieces)
                tools.Add(CreateAlphaIcon(piece));
        }
    } else {
        tools.Create(kButtonImageSide, kButtonImageSide, ILC_COLOR24 | ILC_MASK);
        if (const CIconImage* strip = CResourceStore::Instance().FindBitmap(kButtonBitmap))
            tools.Add(*strip, kButtonImageMask);
    }
    // The move strip shows the last four images.
    CImageList moves = tools;
    for (int i = 0; i < kToolButtonCount && moves.GetImageCount() > 0; ++i)
        moves.Remove(0);
    m_toolsBar->SetImageList(tools);
    m_moveBar->SetImageList(moves);
}

BOOL CTKButtonEditorDlg::IsComCtl6Available() const
{
    constexpr DWORD kFirstVersionWithAlphaImages = 6;
    return (CSystemMetrics::Instance().GetComCtlVersion() >> 16) >= kFirstVersionWithAlphaImages;
}

std::string CTKButtonEditorDlg::GetToolTipText(UINT id)
{
    std::string text;
    if (id == 0 || !CResourceStore::Instance().FindString(id, &text))
        return std::string();
    const std::size_t lineBreak = text.find('\n');
    return lineBreak == std::string::npos ? std::string() : text.substr(lineBreak + 1);
}

void CTKButtonEditorDlg::SelectCell(CTKImageEditorPicker* cell)
{
    if (m_selected)
        m_selected->SetSelected(FALSE);
    cell->SetSelected(TRUE);
    m_selected = cell;
}

void CTKButtonEditorDlg::OnCellClicked(CTKImageEditorPicker* cell)
{
    if (cell == m_currentColorCell)
        cell->SetColor(ChooseColor(cell->GetColor()));
    SelectCell(cell);
}

void CTKButtonEditorDlg::OnColorPicked(COLORREF color)
{
    m_currentColorCell->SetColor(color);
    SelectCell(m_currentColorCell);
    m_tool = m_previousTool;
    OnKickIdle();
}

void CTKButtonEditorDlg::OnPictureChanged()
{
    m_preview->update();
    OnKickIdle();
}

void CTKButtonEditorDlg::OnKickIdle()
{
    const auto update = [this](UINT id, BOOL* enabled, BOOL* checked) { OnUpdateCommandUI(id, enabled, checked); };
    m_toolsBar->OnUpdateCmdUI(update);
    m_moveBar->OnUpdateCmdUI(update);
}

void CTKButtonEditorDlg::OnUpdateCommandUI(UINT id, BOOL* enabled, BOOL* checked) const
{
    *enabled = TRUE;
    *checked = FALSE;
    if (id >= kPencil && id <= kEllipse)
        *checked = id == kPencil + static_cast<UINT>(m_tool);
    else if (id == kUndo)
        *enabled = m_picture->GetUndoCount() != 0;
    else if (id == kRedo)
        *enabled = m_picture->GetRedoCount() != 0;
}

void CTKButtonEditorDlg::OnCommand(UINT id)
{
    if (id >= kPencil && id <= kEllipse) {
        // After a colour pick the tool goes back to the one used before it.
        m_previousTool = m_tool == CTKImageEditorPicture::kPickColor ? m_previousTool : m_tool;
        m_tool = static_cast<int>(id - kPencil);
        m_picture->OnSetCursor();
    } else if (id == kUndo) {
        m_picture->Undo();
    } else if (id == kRedo) {
        m_picture->Redo();
    } else if (id == kClear) {
        m_picture->Clear();
    } else if (id == kCopy) {
        m_picture->Copy();
    } else if (id == kPaste) {
        m_picture->Paste();
    } else if (id == kLoadFromFile) {
        m_picture->LoadFromFile();
    } else {
        for (const MoveCommand& move : kMoveCommands) {
            if (move.id == id)
                m_picture->Move(move.dx, move.dy);
        }
    }
    OnKickIdle();
}

BOOL CTKButtonEditorDlg::AskPictureFile(std::string* path)
{
    const QString file = QFileDialog::getOpenFileName(this, QString(), QString(), FileDialogFilter());
    if (file.isEmpty())
        return FALSE;
    *path = file.toStdString();
    return TRUE;
}

COLORREF CTKButtonEditorDlg::ChooseColor(COLORREF initial)
{
    const QColor color = QColorDialog::getColor(CQtDC::ToQColor(initial), this);
    return color.isValid() ? CQtDC::FromQColor(color) : initial;
}
