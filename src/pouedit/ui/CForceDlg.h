#pragma once
// Force: the value to which one operand of the PLC is forced while the
// application monitors it. The caller presets the address and its symbol;
// the Force button checks the value against the address's data type and,
// when it fits, forces the address through the workbench and closes.

#include <QDialog>

#include <string>

class IPOUWorkbenchHost;
class QLabel;
class QLineEdit;

class CForceDlg : public QDialog {
    Q_OBJECT
public:
    CForceDlg(IPOUWorkbenchHost* workbench, QWidget* parent = nullptr);

    void SetAddress(const std::string& address) { m_address = address; }
    void SetSymbol(const std::string& symbol) { m_symbol = symbol; }
    void OnInitDialog();
    void OnOK();

protected:
    void showEvent(QShowEvent* event) override;

private:
    IPOUWorkbenchHost* m_workbench;
    QLabel* m_status = nullptr;
    QLineEdit* m_value = nullptr;
    QLabel* m_addressText = nullptr;
    QLabel* m_symbolText = nullptr;
    std::string m_address;
    std::string m_symbol;
};
