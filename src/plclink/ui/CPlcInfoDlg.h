#pragma once
// PLC Information: firmware, CPU type, operating mode with its lamp, the
// project's edition and the modules with their failure codes, from the
// identification that the Information command left in the port's receive
// buffer. Refresh reads them again over the port the command keeps open.

#include <QDialog>

class CColorIndicator;
class CListCtrl;
class QLabel;

class CPlcInfoDlg : public QDialog {
    Q_OBJECT
public:
    explicit CPlcInfoDlg(QWidget* parent = nullptr);

    void ShowPlcInfo();
    void OnRefresh();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void OnInitDialog();
    void SizeColumns();

    QLabel* m_firmware = nullptr;
    QLabel* m_cpuType = nullptr;
    CColorIndicator* m_modeLamp = nullptr;
    QLabel* m_mode = nullptr;
    QLabel* m_project = nullptr;
    CListCtrl* m_modules = nullptr;
};
