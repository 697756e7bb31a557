#include "CHWModulePage.h"

#include "hardware/HardwareTexts.h"
#include "model/CZULAppData.h"
#include "model/CZUL_Q7_PLC.h"
#include "model/ProjectModified.h"
#include "platform/CUserInterface.h"
#include "platform/ui/DialogUnits.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScrollBar>

IMPLEMENT_DYNAMIC(CHWModulePage, CFormView)

namespace {

constexpr int kStartWidth = 30;
constexpr int kFieldHeight = 12;
constexpr int kUpDownWidth = 9;
constexpr int kLengthGap = 38;
constexpr int kLengthLabelWidth = 32;
constexpr int kLengthWidth = 20;
constexpr int kButtonWidth = 50;
constexpr int kButtonHeight = 14;
constexpr int kButtonGap = 20;

} // namespace

CHWModulePage::CHWModulePage(UINT templateId, QSize formSize, const char* helpTopic)
    : CFormView(templateId, formSize), m_helpTopic(helpTopic)
{
}

CHWModulePage::~CHWModulePage() = default;

QWidget* CHWModulePage::AddLabel(const char* text, int left, int top, int width, int height)
{
    auto* label = new QLabel(QString::fromLatin1(text), GetForm());
    label->setGeometry(DialogRect(left, top, width, height));
    label->show();
    return label;
}

QWidget* CHWModulePage::AddGroup(const char* text, int left, int top, int width, int height)
{
    auto* group = new QGroupBox(QString::fromLatin1(text), GetForm());
    group->setGeometry(DialogRect(left, top, width, height));
    group->lower();
    group->show();
    return group;
}

void CHWModulePage::AddButtons(int left, int top)
{
    const char* texts[] = {"Default", "Cancel", "Help"};
    for (int i = 0; i < 3; ++i) {
        auto* button = new QPushButton(texts[i], GetForm());
        button->setObjectName(texts[i]);
        button->setGeometry(DialogRect(left, top + i * kButtonGap, kButtonWidth, kButtonHeight));
        button->show();
        connect(button, &QPushButton::clicked, this, [this, i] {
            if (i == 0)
                OnDefaultButton();
            else if (i == 1)
                OnCancelButton();
            else
                OnHelpButton();
        });
    }
}

void CHWModulePage::AddStartField(CStartFieldControls& controls, ModuleArea area, int left, int top, bool refreshed)
{
    controls.field = CStartAddressField(m_module, area);
    controls.refreshed = refreshed;
    const CStartBounds bounds = controls.field.Bounds();
    controls.edit = new QLineEdit(GetForm());
    controls.edit->setAlignment(Qt::AlignCenter);
    controls.edit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), controls.edit));
    controls.edit->setGeometry(DialogRect(left, top, kStartWidth, kFieldHeight));
    controls.edit->show();
    controls.upDown = new QScrollBar(Qt::Vertical, GetForm());
    controls.upDown->setGeometry(DialogRect(left + kStartWidth, top, kUpDownWidth, kFieldHeight));
    controls.upDown->setInvertedControls(true);
    controls.upDown->setInvertedAppearance(true);
    controls.upDown->setRange(bounds.minimum, bounds.maximum);
    controls.upDown->setSingleStep(bounds.step);
    controls.upDown->setPageStep(bounds.step);
    controls.upDown->show();
    AddLabel("Length:", left + kLengthGap + kUpDownWidth, top + 2, kLengthLabelWidth, kFieldHeight);
    controls.length = new QLineEdit(QString::number(controls.field.Length()), GetForm());
    controls.length->setEnabled(false);
    controls.length->setAlignment(Qt::AlignCenter);
    controls.length->setGeometry(
        DialogRect(left + kLengthGap + kUpDownWidth + kLengthLabelWidth, top, kLengthWidth, kFieldHeight));
    controls.length->show();
    AddLabel("Bytes", left + kLengthGap + kUpDownWidth + kLengthLabelWidth + kLengthWidth + 3, top + 2, 22,
             kFieldHeight);

    CStartFieldControls* place = &controls;
    connect(controls.upDown, &QScrollBar::actionTriggered, this, [place] {
        const CStartBounds now = place->field.Bounds();
        place->upDown->setRange(now.minimum, now.maximum);
    });
    connect(controls.upDown, &QScrollBar::valueChanged, this, [place](int value) {
        if (place->edit->text() != QString::number(value))
            place->edit->setText(QString::number(value));
    });
    connect(controls.edit, &QLineEdit::textChanged, this, [this, place] { OnStartText(*place); });
    controls.edit->setText(QString::number(ModuleRangeStart(*m_module, area)));
}

void CHWModulePage::OnStartText(CStartFieldControls& controls)
{
    const CStartAddressField::Change change = controls.field.OnTextChanged(controls.edit->text().toStdString());
    if (!change.written)
        return;
    if (change.cut || (controls.refreshed && controls.edit->text().isEmpty())) {
        controls.edit->blockSignals(true);
        controls.edit->setText(QString::number(change.value));
        controls.edit->blockSignals(false);
    }
    controls.upDown->blockSignals(true);
    controls.upDown->setValue(change.value);
    controls.upDown->blockSignals(false);
    RedrawGrid();
    OnStartWritten(controls, change);
}

void CHWModulePage::OnStartWritten(CStartFieldControls&, const CStartAddressField::Change&)
{
}

void CHWModulePage::ShowStart(CStartFieldControls& controls)
{
    const int start = ModuleRangeStart(*m_module, controls.field.Area());
    controls.edit->blockSignals(true);
    controls.edit->setText(QString::number(start));
    controls.edit->blockSignals(false);
    controls.upDown->blockSignals(true);
    controls.upDown->setValue(start);
    controls.upDown->blockSignals(false);
}

int CHWModulePage::StartFromField(const CStartFieldControls& controls) const
{
    return controls.edit->text().toInt();
}

void CHWModulePage::RestoreStart(CStartFieldControls& controls)
{
    controls.field.RestoreStart();
    ShowStart(controls);
}

bool CHWModulePage::Reallocate(const std::vector<ModuleArea>& areas, const std::vector<const char*>& noRoomTexts)
{
    if (!m_module || !g_pAppData)
        return false;
    const int failed = ReallocateModuleRanges(g_pAppData->Project, *m_module, areas);
    if (failed >= 0) {
        ShowMessage(kHardwareErrorCaption, noRoomTexts[static_cast<size_t>(failed)], MB_OK | MB_ICONSTOP);
        return false;
    }
    return true;
}

void CHWModulePage::RedrawGrid()
{
    if (m_grid)
        m_grid->RedrawGrid();
}

void CHWModulePage::OnHelpButton()
{
    int context = 1;
    CZULAppData::FindHelpContext(m_helpTopic, context);
    CUserInterface::Help().ShowHelp(m_helpTopic, context);
}

BOOL CHWModulePage::PreTranslateMessage(MSG* msg)
{
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_F1) {
        OnHelpButton();
        return TRUE;
    }
    return CFormView::PreTranslateMessage(msg);
}

void CHWModulePage::OnRButtonDown(UINT, CPoint)
{
}
