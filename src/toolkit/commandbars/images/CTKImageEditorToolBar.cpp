#include "toolkit/commandbars/images/CTKImageEditorToolBar.h"

#include "platform/ui/QtText.h"

#include <QGridLayout>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QToolButton>

#include <string>

namespace {

QPixmap ToPixmap(const CIconImage& icon)
{
    QImage image(icon.Width(), icon.Height(), QImage::Format_ARGB32);
    for (int y = 0; y < icon.Height(); ++y) {
        for (int x = 0; x < icon.Width(); ++x)
            image.setPixel(x, y, icon.GetPixel(x, y));
    }
    return QPixmap::fromImage(image);
}

} // namespace

CTKImageEditorToolBar::CTKImageEditorToolBar(QWidget* parent) : QWidget(parent), m_layout(new QGridLayout(this))
{
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
}

CTKImageEditorToolBar::~CTKImageEditorToolBar() = default;

void CTKImageEditorToolBar::SetButtons(const UINT* ids, int count, int wrapEvery)
{
    int row = 0;
    int column = 0;
    for (int i = 0; i < count; ++i) {
        auto* button = new QToolButton(this);
        button->setObjectName(QString::number(ids[i]));
        button->setAutoRaise(true);
        button->setFixedSize(kButtonSize, kButtonSize);
        const UINT id = ids[i];
        connect(button, &QToolButton::clicked, this, [this, id] { emit Command(id); });
        m_layout->addWidget(button, row, column++);
        m_buttons.push_back(Button {id, button});
        if (wrapEvery > 0 && (i + 1) % wrapEvery == 0) {
            ++row;
            column = 0;
        }
    }
}

void CTKImageEditorToolBar::SetImageList(const CImageList& images)
{
    for (std::size_t i = 0; i < m_buttons.size(); ++i) {
        if (static_cast<int>(i) >= images.GetImageCount())
            return;
        m_buttons[i].widget->setIcon(QIcon(ToPixmap(images.GetIcon(static_cast<int>(i)))));
    }
}

void CTKImageEditorToolBar::SetToolTipHandler(const TextHandler& handler)
{
    for (const Button& button : m_buttons)
        button.widget->setToolTip(ToQString(handler(button.id)));
}

QToolButton* CTKImageEditorToolBar::GetButton(UINT id) const
{
    for (const Button& button : m_buttons) {
        if (button.id == id)
            return button.widget;
    }
    return nullptr;
}

void CTKImageEditorToolBar::OnUpdateCmdUI(const UpdateHandler& handler)
{
    if (!isVisible() || parentWidget() == nullptr)
        return;
    for (const Button& button : m_buttons) {
        BOOL enabled = TRUE;
        BOOL checked = FALSE;
        handler(button.id, &enabled, &checked);
        button.widget->setEnabled(enabled);
        button.widget->setCheckable(checked);
        button.widget->setChecked(checked);
    }
}
