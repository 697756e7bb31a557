#pragma once
// Password: changes the PLC's password and privilege level. Level 1 (full
// access) needs the old password and clears the password; levels 2 and 3
// need a new password, typed twice.

#include <QDialog>

class CSecureEdit;
class QRadioButton;

class CPasswordDlg : public QDialog {
    Q_OBJECT
public:
    explicit CPasswordDlg(QWidget* parent = nullptr);

    void OnLevelFull();
    void OnLevelRestricted();
    void OnNewPasswordChange();
    void OnApply();
    // 0, 1 or 2 for levels 1 to 3.
    int LevelIndex() const;

private:
    void OnInitDialog();

    CSecureEdit* m_oldPassword = nullptr;
    QRadioButton* m_levels[3] = {};
    CSecureEdit* m_newPassword = nullptr;
    CSecureEdit* m_confirmation = nullptr;
};
