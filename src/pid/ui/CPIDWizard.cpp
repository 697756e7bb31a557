#include "CPIDWizard.h"

#include "CAutoTuneStep1Dlg.h"
#include "CAutoTuneStep2Dlg.h"
#include "CAutoTuneStep3Dlg.h"
#include "CPIDWizardStep1Dlg.h"
#include "CPIDWizardStep2Dlg.h"
#include "CPIDWizardStep3Dlg.h"
#include "CPIDWizardStep4Dlg.h"

#include "platform/ui/CWizard.h"

CPIDWizard::CPIDWizard(CZULAppData& app, IPIDGeneratorHost& host)
    : m_context {app, host}
{
}

void CPIDWizard::Run(QWidget* parent)
{
    CWizard wizard([this](UINT id, QWidget* owner) { return MakePage(id, owner); }, parent);
    wizard.Run(IDD_PID_WIZARD_STEP1);
}

std::unique_ptr<CWizardPage> CPIDWizard::MakePage(UINT dialogId, QWidget* parent)
{
    switch (dialogId) {
    case IDD_PID_WIZARD_STEP1:
        return std::make_unique<CPIDWizardStep1Dlg>(m_context, parent);
    case IDD_PID_WIZARD_STEP2:
        return std::make_unique<CPIDWizardStep2Dlg>(m_context, parent);
    case IDD_PID_WIZARD_STEP3:
        return std::make_unique<CPIDWizardStep3Dlg>(m_context, parent);
    case IDD_PID_WIZARD_STEP4:
        return std::make_unique<CPIDWizardStep4Dlg>(m_context, parent);
    case IDD_AUTOTUNE_STEP1:
        return std::make_unique<CAutoTuneStep1Dlg>(m_context, parent);
    case IDD_AUTOTUNE_STEP2:
        return std::make_unique<CAutoTuneStep2Dlg>(m_context, parent);
    case IDD_AUTOTUNE_STEP3:
        return std::make_unique<CAutoTuneStep3Dlg>(m_context, parent);
    default:
        break;
    }
    return nullptr;
}
