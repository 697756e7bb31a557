#pragma once
// Enter Password: asked for when the PLC wants a password before a download
// or upload. OK sends a typed password over the open port; the caller then
// repeats its transfer. Cancel lets the caller report that the password
// was needed.

#include <QDialog>

class CSecureEdit;

class CPasswordInputDlg : public QDialog {
    Q_OBJECT
public:
    explicit CPasswordInputDlg(QWidget* parent = nullptr);

    void OnOK();

protected:
    void showEvent(QShowEvent* event) override;

private:
    CSecureEdit* m_password = nullptr;
};
