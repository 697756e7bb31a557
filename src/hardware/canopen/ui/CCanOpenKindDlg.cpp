#include "CCanOpenKindDlg.h"

#include "CanOpenUiTexts.h"
#include "platform/IMessageBox.h"
#include "platform/ui/DialogUnits.h"
#include "platform/ui/QtText.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <cstring>

namespace {

struct CCategoryItem {
    const char* text;
    const char* key;
};

constexpr CCategoryItem kCategories[] = {
    {"generic I/O modules", "CANOPENIO"},
    {"drives and motion control", "CANOPENDRIVE"},
    {kRootCategoryItem, "CANOPENROOT"},
};
constexpr int kPreselectedItem = 1;
constexpr const char* kOtherKey = "CANOPENROOT";
constexpr int kDialogWidth = 210;
constexpr int kDialogHeight = 109;

} // namespace

CCanOpenKindDlg::CCanOpenKindDlg(QWidget* parent) : QDialog(parent) {}

BOOL CCanOpenKindDlg::OnInitDialog()
{
    if (m_list)
        return TRUE;
    setWindowTitle(ToQString(kKindDlgCaption));
    setFixedSize(DialogRect(0, 0, kDialogWidth, kDialogHeight).size());
    auto* note = new QLabel(ToQString(kKindDlgNote), this);
    note->setGeometry(DialogRect(7, 7, 196, 10));
    m_list = new QListWidget(this);
    m_list->setObjectName(QString::number(IDC_CANOPEN_KIND_LIST));
    m_list->setGeometry(DialogRect(7, 20, 196, 60));
    auto* ok = new QPushButton(ToQString(kConfirmButton), this);
    ok->setObjectName(QString::number(IDOK));
    ok->setGeometry(DialogRect(80, 87, 50, 14));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] { OnOK(); });
    for (const CCategoryItem& item : kCategories)
        m_list->addItem(ToQString(item.text));
    m_list->setCurrentRow(kPreselectedItem);
    return TRUE;
}

int CCanOpenKindDlg::DoModal()
{
    OnInitDialog();
    return exec() == QDialog::Accepted ? IDOK : IDCANCEL;
}

void CCanOpenKindDlg::TakeKey()
{
    const QListWidgetItem* selected = m_list ? m_list->currentItem() : nullptr;
    const std::string text = selected && selected->isSelected() ? FromQString(selected->text()) : std::string();
    m_key = kOtherKey;
    for (const CCategoryItem& item : kCategories)
        if (text == item.text)
            m_key = item.key;
}

void CCanOpenKindDlg::OnOK()
{
    TakeKey();
    QDialog::accept();
}

void CCanOpenKindDlg::OnCancel()
{
    TakeKey();
    QDialog::reject();
}
