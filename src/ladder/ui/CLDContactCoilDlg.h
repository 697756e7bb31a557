#pragma once
// Contact/Coil: the operand and the type of one contact or coil. The type
// list comes from the contact or coil catalogue; OK checks the operand
// against the chosen type and stores it into the element, or keeps the
// dialog open with the reason. The opener stores the chosen type.

#include <QDialog>

#include <string>

class CLDElement;
class CLDProgram;
class QComboBox;
class QLineEdit;

class CLDContactCoilDlg : public QDialog {
    Q_OBJECT
public:
    explicit CLDContactCoilDlg(QWidget* parent = nullptr);

    void OnInitDialog();
    void OnOK();
    void OnSelchangeType();

    std::string m_addressText;
    std::string m_typeText;
    CLDElement* m_element = nullptr;   // not owned
    CLDProgram* m_program = nullptr;   // not owned
    std::string m_previousOperand;
    int m_coil = 0;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void EnableAddress(int operandCount);

    QLineEdit* m_address = nullptr;
    QComboBox* m_type = nullptr;
    bool m_initialised = false;
};
