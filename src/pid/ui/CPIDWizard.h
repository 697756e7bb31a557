#pragma once
// The PID wizard and its auto-tune continuation: the pages of the current
// loop, run one at a time from the loop choice.

#include "platform/WinTypes.h"

#include <memory>

class CWizardPage;
class CZULAppData;
class IPIDGeneratorHost;
class QWidget;

// Dialog ids of the pages.
constexpr UINT IDD_PID_WIZARD_STEP1 = 312;
constexpr UINT IDD_PID_WIZARD_STEP2 = 314;
constexpr UINT IDD_PID_WIZARD_STEP3 = 315;
constexpr UINT IDD_PID_WIZARD_STEP4 = 316;
constexpr UINT IDD_AUTOTUNE_STEP1 = 317;
constexpr UINT IDD_AUTOTUNE_STEP2 = 318;
constexpr UINT IDD_AUTOTUNE_STEP3 = 323;

// What the pages work on.
struct CPIDWizardContext {
    CZULAppData& App;
    IPIDGeneratorHost& Host;
};

class CPIDWizard {
public:
    CPIDWizard(CZULAppData& app, IPIDGeneratorHost& host);

    // Runs the wizard modally from the loop choice.
    void Run(QWidget* parent);

    // The page of a dialog id; null for another id.
    std::unique_ptr<CWizardPage> MakePage(UINT dialogId, QWidget* parent);

private:
    CPIDWizardContext m_context;
};
