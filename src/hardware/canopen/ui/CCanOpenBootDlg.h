#pragma once
// The dialog that chooses which of the seven boot-up steps the master
// performs for one slave. Saving stores exactly the ticked steps.

#include "platform/WinTypes.h"

#include <QDialog>

class QCheckBox;

constexpr UINT IDD_CANOPEN_BOOT = 4042;
constexpr UINT IDC_BOOT_NODE_LABEL = 4413;
constexpr UINT IDC_BOOT_HELP = 4005;
constexpr int CANOPEN_BOOT_STEPS = 7;

class CCanOpenBootDlg : public QDialog {
public:
    CCanOpenBootDlg(int node, WORD steps, QWidget* parent = nullptr);

    WORD GetSteps() const { return m_steps; }
    BOOL IsSaved() const { return m_saved; }
    QCheckBox* StepBox(int bit) const { return m_boxes[bit]; }

    // IDOK when saved, else IDCANCEL.
    int DoModal();
    void OnSave();

private:
    int m_node;
    WORD m_steps;
    BOOL m_saved = FALSE;
    QCheckBox* m_boxes[CANOPEN_BOOT_STEPS] = {};
};
