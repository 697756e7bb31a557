#include "CCanOpenBootDlg.h"

#include "CanOpenUiTexts.h"
#include "model/OpenHelpTopic.h"
#include "platform/ByteString.h"
#include "platform/IMessageBox.h"
#include "platform/ui/DialogUnits.h"
#include "platform/ui/QtText.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

namespace {

struct CBootStep {
    UINT id;
    const char* text;
    int y;
    int width;
};

// By bit, 0 to 6.
constexpr CBootStep kBootSteps[CANOPEN_BOOT_STEPS] = {
    {4414, "\xB8\xB4\xCE\xBB\xBD\xDA\xB5\xE3", 33, 107},                                     // "复位节点"
    {4315, "\xBC\xEC\xB2\xE9\xC9\xE8\xB1\xB8\xC0\xE0\xD0\xCD\xB5\xC8\xD0\xC5\xCF\xA2", 57, 168}, // "检查设备类型等信息"
    {4316, "\xC5\xE4\xD6\xC3\xBD\xDA\xB5\xE3\xBC\xE0\xB6\xBD\xB7\xBD\xCA\xBD", 81, 168},         // "配置节点监督方式"
    {4317, "\xC5\xE4\xD6\xC3PDO\xD3\xB3\xC9\xE4\xB2\xCE\xCA\xFD", 105, 168},                     // "配置PDO映射参数"
    {4318, "\xC5\xE4\xD6\xC3PDO\xCD\xA8\xD1\xB6\xB2\xCE\xCA\xFD", 129, 168},                     // "配置PDO通讯参数"
    {4319, "\xC6\xF4\xB6\xAF\xB8\xC3\xBD\xDA\xB5\xE3", 153, 168},                                 // "启动该节点"
    {4320, "\xB3\xF5\xCA\xBC\xBB\xAF\xB4\xD3\xD5\xBE\xB5\xC4PDO\xCA\xFD\xBE\xDD", 177, 168},     // "初始化从站的PDO数据"
};
constexpr int kStepX = 27;
constexpr int kStepHeight = 17;
constexpr int kDialogWidth = 205;
constexpr int kDialogHeight = 215;
// The help button has no topic of its own: the help table's first context.
constexpr const char* kBootHelpTopic = "";

QPushButton* Button(QWidget* parent, const char* text, int id, int y)
{
    auto* button = new QPushButton(ToQString(text), parent);
    button->setObjectName(QString::number(id));
    button->setGeometry(DialogRect(141, y, 50, 14));
    return button;
}

} // namespace

CCanOpenBootDlg::CCanOpenBootDlg(int node, WORD steps, QWidget* parent) : QDialog(parent), m_node(node), m_steps(steps)
{
    setWindowTitle(ToQString(kBootDlgCaption));
    setFixedSize(DialogRect(0, 0, kDialogWidth, kDialogHeight).size());
    auto* label = new QLabel(ToQString(ByteString::Format(kBootNodeLabel, m_node)), this);
    label->setObjectName(QString::number(IDC_BOOT_NODE_LABEL));
    label->setGeometry(DialogRect(7, 13, 125, 11));
    for (int bit = 0; bit < CANOPEN_BOOT_STEPS; ++bit) {
        const CBootStep& step = kBootSteps[bit];
        m_boxes[bit] = new QCheckBox(ToQString(step.text), this);
        m_boxes[bit]->setObjectName(QString::number(step.id));
        m_boxes[bit]->setGeometry(DialogRect(kStepX, step.y, step.width, kStepHeight));
        m_boxes[bit]->setChecked((m_steps >> bit) & 1);
    }
    QPushButton* save = Button(this, kBootSaveButton, IDOK, 7);
    save->setDefault(true);
    connect(save, &QPushButton::clicked, this, [this] { OnSave(); });
    connect(Button(this, kBootCancelButton, IDCANCEL, 24), &QPushButton::clicked, this, &QDialog::reject);
    connect(Button(this, kBootHelpButton, IDC_BOOT_HELP, 41), &QPushButton::clicked, this,
            [] { OpenHelpTopic(kBootHelpTopic); });
}

void CCanOpenBootDlg::OnSave()
{
    WORD steps = 0;
    for (int bit = 0; bit < CANOPEN_BOOT_STEPS; ++bit)
        if (m_boxes[bit]->isChecked())
            steps |= static_cast<WORD>(1u << bit);
    m_steps = steps;
    m_saved = TRUE;
    accept();
}

int CCanOpenBootDlg::DoModal()
{
    exec();
    return m_saved ? IDOK : IDCANCEL;
}
