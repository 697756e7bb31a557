#include "toolkit/commandbars/CTKToolbarNameDlg.h"

#include "platform/CUserInterface.h"
#include "platform/ui/CResourceStore.h"
#include "platform/ui/CWinApp.h"
#include "platform/ui/QtText.h"
#include "toolkit/commandbars/CTKCommandBars.h"
#include "toolkit/commandbars/CTKToolBar.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr UINT kCustomNameFormat = 9330;
constexpr UINT kBlankName = 9331;
constexpr UINT kNoIdLeft = 9332;
constexpr UINT kNameTaken = 9333;
constexpr UINT kRenameCaption = 9334;

// The string with its placeholder ("%d" or "%s") replaced by the value as
// text, never used as a format.
std::string Fill(UINT textId, const char* placeholder, const std::string& value)
{
    std::string text = CResourceStore::Instance().LoadString(textId);
    const std::size_t at = text.find(placeholder);
    if (at != std::string::npos)
        text.replace(at, std::char_traits<char>::length(placeholder), value);
    return text;
}

BOOL TitleTaken(const CTKCommandBars* bars, const std::string& title, const CTKToolBar* except)
{
    for (int i = 0; i < bars->GetCount(); ++i) {
        const CTKToolBar* bar = bars->GetBarAt(i);
        if (bar != except && bar->GetBarTitle() == title)
            return TRUE;
    }
    return FALSE;
}

} // namespace

CTKToolbarNameDlg::CTKToolbarNameDlg(QWidget* parent, CTKCommandBars* bars, CTKToolBar* bar)
    : QDialog(parent), m_edit(new QLineEdit(this)), m_bar(bar), m_bars(bars)
{
    setWindowTitle("New Toolbar");
    m_edit->setObjectName(QString::number(kNameEditId));
    auto* label = new QLabel("&Toolbar name:", this);
    label->setBuddy(m_edit);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("1");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("2");
    connect(buttons, &QDialogButtonBox::accepted, this, &CTKToolbarNameDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_edit);
    layout->addWidget(buttons);
}

CTKToolbarNameDlg::~CTKToolbarNameDlg() = default;

std::string CTKToolbarNameDlg::ProposeName(const CTKCommandBars* bars)
{
    for (int n = 1;; ++n) {
        const std::string name = Fill(kCustomNameFormat, "%d", std::to_string(n));
        if (!TitleTaken(bars, name, nullptr))
            return name;
    }
}

void CTKToolbarNameDlg::showEvent(QShowEvent* event)
{
    if (!m_initialized)
        OnInitDialog();
    QDialog::showEvent(event);
}

void CTKToolbarNameDlg::OnInitDialog()
{
    m_initialized = TRUE;
    if (m_bar == nullptr) {
        SetName(ProposeName(m_bars));
        return;
    }
    SetName(m_bar->GetBarTitle());
    setWindowTitle(ToQString(CResourceStore::Instance().LoadString(kRenameCaption)));
}

std::string CTKToolbarNameDlg::GetName() const
{
    return FromQString(m_edit->text());
}

void CTKToolbarNameDlg::SetName(const std::string& name)
{
    m_edit->setText(ToQString(name));
}

void CTKToolbarNameDlg::accept()
{
    OnOK();
}

void CTKToolbarNameDlg::Tell(UINT textId, const std::string& name) const
{
    const std::string caption = AfxGetApp() ? AfxGetApp()->GetAppName() : std::string();
    ShowMessage(caption, Fill(textId, "%s", name), MB_OK | MB_ICONERROR);
}

void CTKToolbarNameDlg::OnOK()
{
    const std::string name = GetName();
    if (name.empty()) {
        Tell(kBlankName);
        return;
    }
    UINT candidate = kFirstCustomBarId;
    for (int i = 0; i < m_bars->GetCount(); ++i) {
        const CTKToolBar* bar = m_bars->GetBarAt(i);
        if (m_bar == nullptr && bar->GetBarID() == candidate) {
            if (++candidate > kLastCustomBarId) {
                Tell(kNoIdLeft);
                QDialog::reject();
                return;
            }
            // Start the walk again: an earlier bar may hold the new candidate.
            i = -1;
            continue;
        }
        if (bar != m_bar && bar->GetBarTitle() == name) {
            Tell(kNameTaken, name);
            return;
        }
    }
    m_barId = candidate;
    QDialog::accept();
}
