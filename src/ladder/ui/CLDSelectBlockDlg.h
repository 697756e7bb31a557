#pragma once
// Select Function/FB/SBR: what a new box calls, a function or FB type of
// the instruction catalogue (an FB with its instance name) or one of the
// project's subroutines. After OK the caller reads the choice, the chosen
// name and the instance text.

#include <QDialog>

#include <string>

class CZULAppData;
class QComboBox;
class QLineEdit;
class QRadioButton;

// The choice: a function or FB type, or a subroutine.
constexpr int LD_CHOICE_NONE = -1;
constexpr int LD_CHOICE_FUNCTION = 0;
constexpr int LD_CHOICE_SUBROUTINE = 1;

class CLDSelectBlockDlg : public QDialog {
    Q_OBJECT
public:
    CLDSelectBlockDlg(CZULAppData& app, QWidget* parent = nullptr);

    void OnInitDialog();
    void OnRadioFunction();
    void OnRadioSubroutine();
    void OnSelchangeSubroutine();
    void OnSelchangeFunction();

    std::string m_instance;
    int m_choice = LD_CHOICE_NONE;
    std::string m_name;

protected:
    void showEvent(QShowEvent* event) override;
    void accept() override;

private:
    CZULAppData& m_app;
    QRadioButton* m_functionRadio = nullptr;
    QRadioButton* m_subroutineRadio = nullptr;
    QComboBox* m_subroutines = nullptr;
    QComboBox* m_functions = nullptr;
    QLineEdit* m_instanceEdit = nullptr;
    bool m_initialised = false;
};
