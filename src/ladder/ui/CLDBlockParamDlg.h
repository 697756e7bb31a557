#pragma once
// Function/FB Parameters: the inputs and outputs of one box in a list whose
// Variable cells are edited in place, and the instance name of an FB. Each
// edited cell is checked and stored into the box's interface record at
// once; OK renames or adds the FB instance, Cancel puts back the actual
// parameters and the name the record had when the dialog opened.

#include "platform/WinTypes.h"

#include <QDialog>

#include <string>
#include <vector>

class CBlock;
class CListCtrl;
class CLDProgram;
class CZULFB;
class CZULFBPara;
class CZULFunc;
class QLineEdit;
struct NMLVDISPINFO;

class CLDBlockParamDlg : public QDialog {
    Q_OBJECT
public:
    explicit CLDBlockParamDlg(QWidget* parent = nullptr);

    void OnInitDialog();
    void OnOK();
    void OnCancel();
    // Opens the cell editor over the Variable cell of the selected row.
    void EditSelectedRow();
    // The cell editor's end of edit: the entry is checked and stored.
    void OnEndLabelEdit(const NMLVDISPINFO* info);
    // The entry checked against the flags; on acceptance the parameter's actual operand.
    BOOL CheckActualParameter(DWORD flags, const std::string& text, CZULFBPara& parameter) const;

    CListCtrl* GetList() const { return m_list; }

    std::string m_pouName;
    CBlock* m_block = nullptr;        // not owned
    CLDProgram* m_program = nullptr;  // not owned
    std::string m_rowName;
    std::string m_rowIOType;
    std::string m_rowVariable;
    int m_inputCount = 0;
    int m_outputCount = 0;
    int m_editedRow = -1;
    int m_functionMode = 0;
    int m_isFunction = 0;
    CZULFB* m_fb = nullptr;           // the record being edited; not owned
    CZULFunc* m_function = nullptr;   // the record being edited; not owned
    std::string m_instanceText;
    std::string m_nameText;
    std::vector<std::string> m_savedInputs;
    std::vector<std::string> m_savedOutputs;
    std::string m_savedName;

protected:
    void showEvent(QShowEvent* event) override;
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void AddRows(BOOL inputs);
    void SelectRow(int row);
    CZULFBPara* Parameter(BOOL input, int index) const;
    int Count(BOOL input) const;

    QLineEdit* m_instanceEdit = nullptr;
    QLineEdit* m_nameEdit = nullptr;
    CListCtrl* m_list = nullptr;
    bool m_initialised = false;
};
