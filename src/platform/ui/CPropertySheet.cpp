#include "CPropertySheet.h"

#include "platform/CSystemMetrics.h"
#include "platform/IMessageBox.h"
#include "platform/ui/CPropertyPage.h"
#include "platform/ui/QtText.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)

CPropertySheet::CPropertySheet(const std::string& caption, CWnd* parentWnd)
    : m_caption(caption), m_parentWnd(parentWnd)
{
    SetClassBackground(CBrush(GetSysColor(COLOR_BTNFACE)));
}

CPropertySheet::~CPropertySheet()
{
    // The pages belong to their owner; take them out of the tab widget's care.
    for (CPropertyPage* page : m_pages) {
        page->SetSheet(nullptr);
        if (page->parentWidget())
            page->setParent(nullptr);
    }
}

void CPropertySheet::ForgetPage(CPropertyPage* page)
{
    const auto found = std::find(m_pages.begin(), m_pages.end(), page);
    if (found == m_pages.end())
        return;
    const int index = static_cast<int>(found - m_pages.begin());
    m_pages.erase(found);
    m_activeIndex = -1;
    page->setParent(nullptr);
    if (m_tabs)
        delete m_tabs->widget(index);
}

void CPropertySheet::AddPage(CPropertyPage* page)
{
    if (!page)
        return;
    m_pages.push_back(page);
    page->SetSheet(this);
    if (m_tabs)
        InsertTab(page);
}

CPropertyPage* CPropertySheet::GetPage(int index) const
{
    if (index < 0 || index >= GetPageCount())
        return nullptr;
    return m_pages[static_cast<size_t>(index)];
}

int CPropertySheet::GetPageIndex(const CPropertyPage* page) const
{
    const auto found = std::find(m_pages.begin(), m_pages.end(), page);
    return found == m_pages.end() ? -1 : static_cast<int>(found - m_pages.begin());
}

int CPropertySheet::GetActiveIndex() const
{
    return m_tabs ? m_tabs->currentIndex() : -1;
}

CPropertyPage* CPropertySheet::GetActivePage() const
{
    return GetPage(GetActiveIndex());
}

std::string CPropertySheet::GetTabText(int index) const
{
    return m_tabs ? FromQString(m_tabs->tabText(index)) : std::string();
}

BOOL CPropertySheet::SetActivePage(CPropertyPage* page)
{
    return SetActivePage(GetPageIndex(page));
}

BOOL CPropertySheet::SetActivePage(int index)
{
    CPropertyPage* page = GetPage(index);
    if (!page || !m_tabs)
        return FALSE;
    if (!CreatePageWindow(page))
        return FALSE;
    m_tabs->setCurrentIndex(index);
    ActivateTab(index);
    return TRUE;
}

void CPropertySheet::ActivateTab(int index)
{
    if (index == m_activeIndex)
        return;
    if (CPropertyPage* leaving = GetPage(m_activeIndex))
        leaving->OnKillActive();
    m_activeIndex = index;
    CPropertyPage* page = GetPage(index);
    if (page && CreatePageWindow(page))
        page->OnSetActive();
}

void CPropertySheet::InsertTab(CPropertyPage* page)
{
    // A holder per tab: the page's window comes into it when first shown.
    auto* holder = new QWidget;
    auto* layout = new QVBoxLayout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
    m_tabs->addTab(holder, ToQString(page->GetCaption()));
}

BOOL CPropertySheet::CreatePageWindow(CPropertyPage* page)
{
    if (page->IsWindow())
        return TRUE;
    QWidget* holder = m_tabs->widget(GetPageIndex(page));
    if (!page->Create(this, CRect(), page->GetTemplateId(), WS_CHILD))
        return FALSE;
    holder->layout()->addWidget(page);
    page->setVisible(true);
    return page->OnInitDialog();
}

BOOL CPropertySheet::CreateSheetWindow(CWnd* parent, DWORD style)
{
    if (!CWnd::Create(parent, CRect(), 0, style, m_caption))
        return FALSE;
    m_tabs = new QTabWidget(this);
    m_tabs->setGeometry(rect());
    m_tabs->show();
    for (CPropertyPage* page : m_pages)
        InsertTab(page);
    QObject::connect(m_tabs, &QTabWidget::currentChanged, this, [this](int index) { ActivateTab(index); });
    return OnInitDialog();
}

BOOL CPropertySheet::Create(CWnd* parent, DWORD style)
{
    return CreateSheetWindow(parent ? parent : m_parentWnd, style | WS_CHILD);
}

BOOL CPropertySheet::OnInitDialog()
{
    return m_pages.empty() || SetActivePage(0);
}

void CPropertySheet::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    if (m_tabs)
        m_tabs->setGeometry(0, 0, cx, cy);
}

void CPropertySheet::ReleaseTabs()
{
    // The pages outlive the window; the next window creates theirs again.
    for (CPropertyPage* page : m_pages) {
        if (page->IsWindow())
            page->DestroyWindow();
        page->setParent(nullptr);
    }
    QObject::disconnect(m_tabs, nullptr, this, nullptr);
    delete m_tabs;
    m_tabs = nullptr;
    m_activeIndex = -1;
}

BOOL CPropertySheet::ApplyInitialisedPages()
{
    for (CPropertyPage* page : m_pages) {
        if (!page->IsWindow())
            continue;
        if (!page->OnApply()) {
            SetActivePage(page);
            return FALSE;
        }
    }
    return TRUE;
}

void CPropertySheet::OnPageModified()
{
    for (const auto& [id, button] : m_buttons) {
        if (id == ID_APPLY_NOW)
            button->setEnabled(true);
    }
}

BOOL CPropertySheet::IsApplyEnabled() const
{
    for (const auto& [id, button] : m_buttons) {
        if (id == ID_APPLY_NOW)
            return button->isEnabled() ? TRUE : FALSE;
    }
    return FALSE;
}

BOOL CPropertySheet::PressButton(int id)
{
    for (const auto& [buttonId, button] : m_buttons) {
        if (buttonId != id || !button->isEnabled())
            continue;
        button->click();
        return TRUE;
    }
    return FALSE;
}

void CPropertySheet::OnApplyNow()
{
    CPropertyPage* page = GetActivePage();
    if (!page || !page->OnApply())
        return;
    for (const auto& [id, button] : m_buttons) {
        if (id == ID_APPLY_NOW)
            button->setEnabled(false);
    }
}

void CPropertySheet::OnHelpButton()
{
    if (CPropertyPage* page = GetActivePage())
        page->OnHelp();
}

int CPropertySheet::DoModal()
{
    QDialog dialog(m_parentWnd);
    dialog.setWindowTitle(ToQString(m_caption));
    auto* layout = new QVBoxLayout(&dialog);
    QDialogButtonBox::StandardButtons standard = QDialogButtonBox::Ok | QDialogButtonBox::Cancel;
    if (m_modalButtons & SHEET_APPLY_BUTTON)
        standard |= QDialogButtonBox::Apply;
    if (m_modalButtons & SHEET_HELP_BUTTON)
        standard |= QDialogButtonBox::Help;
    auto* buttons = new QDialogButtonBox(standard);
    const std::pair<int, QDialogButtonBox::StandardButton> ids[] = {
        {IDOK, QDialogButtonBox::Ok},
        {IDCANCEL, QDialogButtonBox::Cancel},
        {ID_APPLY_NOW, QDialogButtonBox::Apply},
        {ID_SHEET_HELP, QDialogButtonBox::Help},
    };
    for (const auto& [id, kind] : ids) {
        if (QPushButton* button = buttons->button(kind))
            m_buttons.emplace_back(id, button);
    }
    if (QPushButton* apply = buttons->button(QDialogButtonBox::Apply)) {
        apply->setEnabled(false);
        QObject::connect(apply, &QPushButton::clicked, this, [this] { OnApplyNow(); });
    }
    if (QPushButton* help = buttons->button(QDialogButtonBox::Help))
        QObject::connect(help, &QPushButton::clicked, this, [this] { OnHelpButton(); });
    if (!CreateSheetWindow(nullptr, WS_CHILD | WS_VISIBLE))
        return IDCANCEL;
    setParent(&dialog);
    setMinimumSize(m_tabs->sizeHint());
    layout->addWidget(this);
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [this, &dialog] {
        if (ApplyInitialisedPages())
            dialog.accept();
    });
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    const int result = dialog.exec() == QDialog::Accepted ? IDOK : IDCANCEL;
    m_buttons.clear();
    DestroyWindow();
    ReleaseTabs();
    setParent(nullptr);
    return result;
}
