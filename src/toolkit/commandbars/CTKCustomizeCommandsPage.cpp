#include "toolkit/commandbars/CTKCustomizeCommandsPage.h"

#include "platform/ui/QtText.h"
#include "toolkit/commandbars/CTKControls.h"
#include "toolkit/commandbars/CTKCommandBars.h"
#include "toolkit/commandbars/CTKCustomizeSheet.h"
#include "toolkit/commandbars/draw/CTKBarRenderer.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>

IMPLEMENT_DYNAMIC(CTKCustomizeCommandsPage, CPropertyPage)

namespace {

constexpr char kExplanation[] =
    "To add a command to a toolbar: select a category and drag the command out of this dialog  box to a toolbar.";
constexpr int kCategoryIndexRole = Qt::UserRole;

} // namespace

CTKCustomizeCommandsPage::CTKCustomizeCommandsPage(CTKCustomizeSheet* sheet)
    : CPropertyPage(kTemplateId, "&Commands"), m_pSheet(sheet)
{
}

CTKCustomizeCommandsPage::~CTKCustomizeCommandsPage()
{
    for (Category& category : m_categories)
        category.controls->InternalRelease();
}

void CTKCustomizeCommandsPage::AddCategory(const std::string& name, CTKControls* controls)
{
    if (!controls)
        return;
    controls->InternalAddRef();
    m_categories.push_back({name, controls});
}

BOOL CTKCustomizeCommandsPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    if (!m_categoriesList) {
        auto* explanation = new QLabel(kExplanation, this);
        explanation->setWordWrap(true);
        auto* categoriesLabel = new QLabel("Cate&gories:", this);
        m_categoriesList = new QListWidget(this);
        m_categoriesList->setObjectName(QString::number(kCategoriesListId));
        categoriesLabel->setBuddy(m_categoriesList);
        auto* commandsLabel = new QLabel("Comman&ds:", this);
        m_commandsList.Create(this, CRect(), kCommandsListId, WS_CHILD | WS_VISIBLE);
        m_commandsList.SetPage(this);
        commandsLabel->setBuddy(&m_commandsList);
        auto* layout = new QGridLayout(this);
        layout->addWidget(explanation, 0, 0, 1, 2);
        layout->addWidget(categoriesLabel, 1, 0);
        layout->addWidget(commandsLabel, 1, 1);
        layout->addWidget(m_categoriesList, 2, 0);
        layout->addWidget(&m_commandsList, 2, 1);
        layout->setColumnStretch(0, 2);
        layout->setColumnStretch(1, 3);
        connect(m_categoriesList, &QListWidget::currentRowChanged, this, [this] { OnCategoryChange(); });
    }
    m_categoriesList->blockSignals(true);
    m_categoriesList->clear();
    for (std::size_t i = 0; i < m_categories.size(); ++i) {
        auto* item = new QListWidgetItem(ToQString(m_categories[i].name), m_categoriesList);
        item->setData(kCategoryIndexRole, static_cast<int>(i));
    }
    if (!m_categories.empty())
        m_categoriesList->setCurrentRow(0);
    m_categoriesList->blockSignals(false);
    CTKCommandBars* bars = m_pSheet ? m_pSheet->GetCommandBars() : nullptr;
    if (CTKBarRenderer* renderer = bars ? bars->GetBarRenderer() : CTKBarRenderer::GetCurrent()) {
        CSize row;
        renderer->DrawListBoxControl(&row, nullptr, nullptr, CRect(), FALSE, FALSE);
        m_commandsList.SetItemHeight(row.cy);
    }
    OnCategoryChange();
    return TRUE;
}

void CTKCustomizeCommandsPage::OnCategoryChange()
{
    m_commandsList.ResetContent();
    const QListWidgetItem* current = m_categoriesList ? m_categoriesList->currentItem() : nullptr;
    if (!current)
        return;
    const int index = current->data(kCategoryIndexRole).toInt();
    if (index < 0 || index >= GetCategoryCount())
        return;
    const CTKControls* controls = m_categories[static_cast<std::size_t>(index)].controls;
    for (int i = 0; i < controls->GetCount(); ++i)
        m_commandsList.AddItem(controls->GetAt(i));
}

BOOL CTKCustomizeCommandsPage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    // The command list's selection changes need no answer of their own.
    if (LOWORD(wParam) == kCommandsListId)
        return TRUE;
    return CPropertyPage::OnCommand(wParam, lParam);
}
