#pragma once
// The dialog in which the user puts a newly imported slave type into a
// category of the slave-type library. The key is set whichever way the
// dialog closes.

#include "platform/WinTypes.h"

#include <QDialog>

#include <string>

class QListWidget;

constexpr UINT IDD_CANOPEN_KIND = 302;
constexpr UINT IDC_CANOPEN_KIND_LIST = 1307;

class CCanOpenKindDlg : public QDialog {
public:
    explicit CCanOpenKindDlg(QWidget* parent = nullptr);

    // The category key of the selected item.
    const std::string& GetKey() const { return m_key; }
    QListWidget* List() const { return m_list; }

    // Builds the controls and selects "drives and motion control".
    BOOL OnInitDialog();
    // IDOK or IDCANCEL.
    int DoModal();

    void accept() override { OnOK(); }
    void reject() override { OnCancel(); }

private:
    void OnOK();
    void OnCancel();
    void TakeKey();

    QListWidget* m_list = nullptr;
    std::string m_key;
};
