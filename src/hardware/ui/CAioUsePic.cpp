#include "CAioUsePic.h"

#include "hardware/ui/CModuleParamDlg.h"
#include "platform/ui/DialogUnits.h"

IMPLEMENT_DYNCREATE(CAioUsePic, CFormView)

namespace {

constexpr UINT IDD_AIO_USE_PIC = 309;
constexpr UINT IDC_AIO_DIALOG_FRAME = 1284;
constexpr UINT IDC_MODULE_PARAM_DIALOG = 301;
constexpr int kWidth = 330;
constexpr int kHeight = 200;

} // namespace

CAioUsePic::CAioUsePic()
    : CFormView(IDD_AIO_USE_PIC, QSize(DialogUnitsToPixelsX(kWidth), DialogUnitsToPixelsY(kHeight)))
{
}

CAioUsePic::~CAioUsePic() = default;

void CAioUsePic::OnInitialUpdate()
{
    CFormView::OnInitialUpdate();
    auto* frame = new CWnd;
    const QRect place = DialogRect(0, 0, kWidth, kHeight);
    if (!frame->Create(GetForm(), CRect(0, 0, place.width(), place.height()), IDC_AIO_DIALOG_FRAME,
                       WS_CHILD | WS_VISIBLE)) {
        delete frame;
        return;
    }
    auto* dialog = new CModuleParamDlg;
    dialog->SetModule(m_module);
    dialog->SetGridRedraw(m_grid);
    if (!dialog->Create(frame, CRect(0, 0, place.width(), place.height()), IDC_MODULE_PARAM_DIALOG,
                        WS_CHILD | WS_VISIBLE)) {
        delete dialog;
        return;
    }
    dialog->OnInitialUpdate();
    m_dialog = dialog;
}

BOOL CAioUsePic::ApplyToModule()
{
    return m_dialog ? m_dialog->ApplyToModule() : TRUE;
}
