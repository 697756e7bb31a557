#include "toolkit/commandbars/CTKCustomizeToolbarsPage.h"

#include "platform/CUserInterface.h"
#include "platform/ui/CResourceStore.h"
#include "platform/ui/CWinApp.h"
#include "platform/ui/QtText.h"
#include "toolkit/commandbars/CTKCommandBars.h"
#include "toolkit/commandbars/CTKCustomizeSheet.h"
#include "toolkit/commandbars/CTKToolBar.h"
#include "toolkit/commandbars/CTKToolbarNameDlg.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

IMPLEMENT_DYNAMIC(CTKCustomizeToolbarsPage, CPropertyPage)

namespace {

constexpr UINT kDeleteQuestion = 9335;
constexpr char kTitlePlaceholder[] = "%s";

QPushButton* Button(const char* text, UINT id, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::number(id));
    return button;
}

} // namespace

CTKCustomizeToolbarsPage::CTKCustomizeToolbarsPage(CTKCustomizeSheet* sheet)
    : CPropertyPage(kTemplateId, "Tool&bars"), m_pSheet(sheet)
{
}

CTKCustomizeToolbarsPage::~CTKCustomizeToolbarsPage() = default;

BOOL CTKCustomizeToolbarsPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    if (!m_list) {
        auto* label = new QLabel("Toolb&ars:", this);
        m_list = new QListWidget(this);
        m_list->setObjectName(QString::number(kListId));
        label->setBuddy(m_list);
        m_new = Button("&New...", kNewId, this);
        m_rename = Button("&Rename...", kRenameId, this);
        m_delete = Button("Delete", kDeleteId, this);
        m_reset = Button("&Reset...", kResetId, this);
        auto* layout = new QGridLayout(this);
        layout->addWidget(label, 0, 0);
        layout->addWidget(m_list, 1, 0, 5, 1);
        layout->addWidget(m_new, 1, 1);
        layout->addWidget(m_rename, 2, 1);
        layout->addWidget(m_delete, 3, 1);
        layout->addWidget(m_reset, 4, 1);
        layout->setRowStretch(5, 1);
        connect(m_list, &QListWidget::currentRowChanged, this, [this] { OnSelChange(); });
        connect(m_list, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) { OnCheckChange(item); });
        connect(m_new, &QPushButton::clicked, this, [this] { OnNew(); });
        connect(m_rename, &QPushButton::clicked, this, [this] { OnRename(); });
        connect(m_delete, &QPushButton::clicked, this, [this] { OnDelete(); });
        connect(m_reset, &QPushButton::clicked, this, [this] { OnReset(); });
    }
    Refill();
    return TRUE;
}

QPushButton* CTKCustomizeToolbarsPage::GetButton(UINT id) const
{
    for (QPushButton* button : {m_new, m_rename, m_delete, m_reset}) {
        if (button && button->objectName() == QString::number(id))
            return button;
    }
    return nullptr;
}

void CTKCustomizeToolbarsPage::AddItem(int row, CTKToolBar* bar, int index)
{
    auto* item = new QListWidgetItem(ToQString(bar->GetBarTitle()));
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(bar->IsVisible() ? Qt::Checked : Qt::Unchecked);
    item->setData(Qt::UserRole, index);
    m_list->insertItem(row, item);
}

void CTKCustomizeToolbarsPage::Refill()
{
    if (!m_list || !m_pSheet || !m_pSheet->GetCommandBars())
        return;
    CTKCommandBars* bars = m_pSheet->GetCommandBars();
    const QListWidgetItem* current = m_list->currentItem();
    const int selected = current ? current->data(Qt::UserRole).toInt() : -1;
    m_filling = TRUE;
    m_list->clear();
    for (int i = 0; i < bars->GetCount(); ++i) {
        AddItem(i, bars->GetBarAt(i), i);
        if (i == selected)
            m_list->setCurrentRow(i);
    }
    m_filling = FALSE;
    OnSelChange();
}

CTKToolBar* CTKCustomizeToolbarsPage::SelectedBar() const
{
    const QListWidgetItem* item = m_list ? m_list->currentItem() : nullptr;
    if (!item || !m_pSheet || !m_pSheet->GetCommandBars())
        return nullptr;
    return m_pSheet->GetCommandBars()->GetBarAt(item->data(Qt::UserRole).toInt());
}

void CTKCustomizeToolbarsPage::OnSelChange()
{
    if (m_filling || !m_list)
        return;
    const CTKToolBar* bar = SelectedBar();
    m_reset->setEnabled(bar && bar->IsBuiltIn());
    m_rename->setEnabled(bar && !bar->IsBuiltIn());
    m_delete->setEnabled(bar && !bar->IsBuiltIn());
}

void CTKCustomizeToolbarsPage::OnCheckChange(QListWidgetItem* item)
{
    if (m_filling || !item || !m_pSheet || !m_pSheet->GetCommandBars())
        return;
    CTKToolBar* bar = m_pSheet->GetCommandBars()->GetBarAt(item->data(Qt::UserRole).toInt());
    if (!bar)
        return;
    // The menu bar always stays.
    if (bar->GetType() != kTKBarMenu)
        bar->SetVisible(item->checkState() == Qt::Checked);
    // The list is made again once the item has finished reporting its change.
    QMetaObject::invokeMethod(this, [this] { Refill(); }, Qt::QueuedConnection);
}

BOOL CTKCustomizeToolbarsPage::RunNameDialog(CTKToolbarNameDlg& dialog)
{
    return dialog.exec() == QDialog::Accepted;
}

void CTKCustomizeToolbarsPage::OnNew()
{
    CTKCommandBars* bars = m_pSheet ? m_pSheet->GetCommandBars() : nullptr;
    if (!bars)
        return;
    CTKToolbarNameDlg dialog(this, bars, nullptr);
    if (!RunNameDialog(dialog))
        return;
    bars->AddCustomToolBar(dialog.GetName(), dialog.GetBarId(), FALSE);
    Refill();
}

void CTKCustomizeToolbarsPage::OnRename()
{
    CTKToolBar* bar = SelectedBar();
    if (!bar || bar->IsBuiltIn())
        return;
    CTKToolbarNameDlg dialog(this, m_pSheet->GetCommandBars(), bar);
    if (!RunNameDialog(dialog))
        return;
    bar->SetTitle(dialog.GetName());
    const int row = m_list->currentRow();
    const int index = m_list->currentItem()->data(Qt::UserRole).toInt();
    m_filling = TRUE;
    delete m_list->takeItem(row);
    AddItem(row, bar, index);
    m_list->setCurrentRow(row);
    m_filling = FALSE;
    OnSelChange();
}

void CTKCustomizeToolbarsPage::OnDelete()
{
    CTKToolBar* bar = SelectedBar();
    if (!bar || bar->IsBuiltIn())
        return;
    // The title goes in as text, never as a format.
    std::string question = CResourceStore::Instance().LoadString(kDeleteQuestion);
    const std::size_t placeholder = question.find(kTitlePlaceholder);
    if (placeholder != std::string::npos)
        question.replace(placeholder, sizeof kTitlePlaceholder - 1, bar->GetBarTitle());
    const std::string caption = AfxGetApp() ? AfxGetApp()->GetAppName() : std::string();
    if (ShowMessage(caption, question, MB_OKCANCEL | MB_ICONEXCLAMATION) != IDOK)
        return;
    m_pSheet->GetCommandBars()->RemoveBar(bar);
    Refill();
}

void CTKCustomizeToolbarsPage::OnReset()
{
    CTKToolBar* bar = SelectedBar();
    if (!bar || !bar->IsBuiltIn())
        return;
    bar->Reset();
    Refill();
}
