#include "CCPUInfoView.h"

#include "hardware/ui/CSheetCPU.h"
#include "platform/ui/DialogUnits.h"

#include <QLabel>
#include <QPushButton>

IMPLEMENT_DYNAMIC(CCPUInfoView, CFormView)

namespace {

constexpr int kTemplateWidth = 395;
constexpr int kTemplateHeight = 220;
constexpr int kButtonX = 337;
constexpr int kButtonWidth = 50;
constexpr int kButtonHeight = 14;

QPushButton* Button(QWidget* form, const char* text, UINT id, int y)
{
    auto* button = new QPushButton(text, form);
    button->setObjectName(QString::number(id));
    button->setGeometry(DialogRect(kButtonX, y, kButtonWidth, kButtonHeight));
    button->show();
    return button;
}

} // namespace

CCPUInfoView::CCPUInfoView(CZULAppData& app)
    : CFormView(IDD_CPU_INFO_VIEW,
                QSize(DialogUnitsToPixelsX(kTemplateWidth), DialogUnitsToPixelsY(kTemplateHeight))),
      m_app(app)
{
}

CCPUInfoView::~CCPUInfoView() = default;

void CCPUInfoView::OnInitialUpdate()
{
    CFormView::OnInitialUpdate();
    CWnd* form = GetForm();
    auto* frame = new CWnd;
    const QRect place = DialogRect(21, 22, 304, 173);
    frame->Create(form, CRect(place.left(), place.top(), place.right() + 1, place.bottom() + 1), IDC_CPU_SHEET_FRAME,
                  WS_CHILD | WS_VISIBLE);
    m_default = Button(form, "Default", IDC_CPU_DEFAULT, 22);
    m_default->setDefault(true);
    m_cancel = Button(form, "Cancel", IDC_CPU_CANCEL, 42);
    QPushButton* help = Button(form, "Help", IDC_CPU_HELP, 62);
    connect(m_default, &QPushButton::clicked, this, [this] { OnDefault(); });
    connect(m_cancel, &QPushButton::clicked, this, [this] { OnCancel(); });
    connect(help, &QPushButton::clicked, this, [this] { OnHelp(); });
    auto* note = new QLabel("Configuration parameters won't take effect unless they are downloaded.", form);
    note->setGeometry(DialogRect(21, 202, 304, 10));
    note->show();

    m_sheet = std::make_unique<CSheetCPU>(m_app, frame);
    m_sheet->SetModule(m_module);
    if (!m_sheet->Create(frame, WS_CHILD | WS_VISIBLE)) {
        m_sheet.reset();
        return;
    }
    m_sheet->setGeometry(0, 0, frame->width(), frame->height());
}

void CCPUInfoView::OnDefault()
{
    if (CPropertyPage* page = m_sheet ? m_sheet->GetActivePage() : nullptr)
        page->SetDefaultSettings();
}

void CCPUInfoView::OnCancel()
{
    if (CPropertyPage* page = m_sheet ? m_sheet->GetActivePage() : nullptr)
        page->ReloadSettings();
}

void CCPUInfoView::OnHelp()
{
    if (CPropertyPage* page = m_sheet ? m_sheet->GetActivePage() : nullptr)
        page->OnHelp();
}

BOOL CCPUInfoView::PreTranslateMessage(MSG* msg)
{
    const bool inSheet = m_sheet && msg->hwnd && m_sheet->isAncestorOf(msg->hwnd);
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_F1 && !inSheet)
        OnHelp();
    return CFormView::PreTranslateMessage(msg);
}

void CCPUInfoView::OnDestroy()
{
    CFormView::OnDestroy();
    m_sheet.reset();
}
