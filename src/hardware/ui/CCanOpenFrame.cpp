#include "CCanOpenFrame.h"

#include "hardware/ui/CSheetCPU.h"
#include "platform/ui/DialogUnits.h"


IMPLEMENT_DYNAMIC(CCanOpenFrame, CFormView)

namespace {
constexpr int kTemplateWidth = 703;
constexpr int kTemplateHeight = 412;
} // namespace

CCanOpenFrame::CCanOpenFrame(CZULAppData& app)
    : CFormView(IDD_CANOPEN_FRAME, QSize(DialogUnitsToPixelsX(kTemplateWidth), DialogUnitsToPixelsY(kTemplateHeight))),
      m_app(app)
{
}

CCanOpenFrame::~CCanOpenFrame() = default;

void CCanOpenFrame::OnInitialUpdate()
{
    CFormView::OnInitialUpdate();
    auto* frame = new CWnd;
    const QRect place = DialogRect(33, 14, 631, 356);
    frame->Create(GetForm(), CRect(place.left(), place.top(), place.right() + 1, place.bottom() + 1),
                  IDC_CANOPEN_SHEET_FRAME, WS_CHILD | WS_VISIBLE);
    m_sheet = std::make_unique<CSheetCPU>(m_app, frame);
    m_sheet->SetModule(m_module);
    if (!m_sheet->Create(frame, WS_CHILD | WS_VISIBLE)) {
        m_sheet.reset();
        return;
    }
    // Until the CANopen windows register their page the frame shows the three CPU pages.
    m_sheet->AddCanOpenPage();
    m_sheet->setGeometry(0, 0, frame->width(), frame->height());
}

void CCanOpenFrame::OnDestroy()
{
    CFormView::OnDestroy();
    m_sheet.reset();
}
