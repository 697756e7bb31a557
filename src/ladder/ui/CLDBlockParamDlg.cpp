#include "CLDBlockParamDlg.h"

#include "ladder/CBlock.h"
#include "ladder/CLDBlockParamCheck.h"
#include "ladder/CLDProgram.h"
#include "ladder/LDLocalLookup.h"
#include "model/CZULAppData.h"
#include "model/CZULFB.h"
#include "model/CZULFBPara.h"
#include "model/CZULFunc.h"
#include "platform/ui/CInPlaceEdit.h"
#include "platform/ui/CListCtrl.h"
#include "platform/ui/QtText.h"
#include "plclink/ui/COnlineHelp.h"

#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
const char* const HELP_TOPIC = "canshu-LD";
const char* const IO_INPUT = "VAR_INPUT";
const char* const IO_OUTPUT = "VAR_OUTPUT";
constexpr UINT LIST_ID = 1027;
constexpr UINT CELL_EDITOR_ID = 61446;
constexpr int NAME_COLUMN = 0;
constexpr int IO_COLUMN = 1;
constexpr int VARIABLE_COLUMN = 2;
// The Parameter column takes a fifth of the list, the other two a third each.
constexpr int NAME_COLUMN_PARTS = 5;
constexpr int OTHER_COLUMN_PARTS = 3;
constexpr int LIST_MIN_WIDTH = 380;
constexpr int LIST_MIN_HEIGHT = 200;
} // namespace

CLDBlockParamDlg::CLDBlockParamDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle("Function/FB Parameters");
    m_nameEdit = new QLineEdit(this);
    m_nameEdit->setObjectName("2015");
    m_nameEdit->setReadOnly(true);
    m_instanceEdit = new QLineEdit(this);
    m_instanceEdit->setObjectName("2016");
    m_list = new CListCtrl(this);
    m_list->setObjectName("1027");
    m_list->CreateInDialog(WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, LIST_ID);
    m_list->setMinimumSize(LIST_MIN_WIDTH, LIST_MIN_HEIGHT);
    QLabel* variables = new QLabel("&Variables:", this);
    variables->setBuddy(m_list);
    QPushButton* ok = new QPushButton("OK", this);
    ok->setObjectName("1028");
    ok->setAutoDefault(false);
    QPushButton* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("2");
    cancel->setAutoDefault(false);

    QFormLayout* fields = new QFormLayout;
    fields->addRow("Name:", m_nameEdit);
    fields->addRow("&Instance:", m_instanceEdit);
    QHBoxLayout* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(COnlineHelp::Attach(this, "4", HELP_TOPIC));
    QVBoxLayout* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(variables);
    layout->addWidget(m_list);
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, &CLDBlockParamDlg::OnOK);
    connect(cancel, &QPushButton::clicked, this, &CLDBlockParamDlg::reject);
    connect(m_list, &CListCtrl::EndLabelEdit, this, &CLDBlockParamDlg::OnEndLabelEdit);
    connect(m_list->Table(), &QTableWidget::cellDoubleClicked, this, [this] { EditSelectedRow(); });
    m_list->Table()->installEventFilter(this);
    m_instanceEdit->installEventFilter(this);
}

void CLDBlockParamDlg::showEvent(QShowEvent* event)
{
    if (!m_initialised)
        OnInitDialog();
    QDialog::showEvent(event);
}

int CLDBlockParamDlg::Count(BOOL input) const
{
    if (m_isFunction)
        return m_function ? (input ? m_function->GetInputCount() : m_function->GetOutputCount()) : 0;
    return m_fb ? (input ? m_fb->inputs.GetSize() : m_fb->GetOutputCount()) : 0;
}

CZULFBPara* CLDBlockParamDlg::Parameter(BOOL input, int index) const
{
    CZULFBPara* para = nullptr;
    if (m_isFunction && m_function)
        input ? m_function->GetInput(index, para) : m_function->GetOutput(index, para);
    else if (!m_isFunction && m_fb)
        input ? m_fb->GetInput(index, para) : m_fb->GetOutput(index, para);
    return para;
}

void CLDBlockParamDlg::OnInitDialog()
{
    m_initialised = true;
    m_list->SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_TRACKSELECT);
    const int width = m_list->width();
    m_list->InsertColumn(NAME_COLUMN, "Parameter", LVCFMT_LEFT, width / NAME_COLUMN_PARTS);
    m_list->InsertColumn(IO_COLUMN, "I/O Type", LVCFMT_LEFT, width / OTHER_COLUMN_PARTS);
    m_list->InsertColumn(VARIABLE_COLUMN, "Variable", LVCFMT_LEFT, width / OTHER_COLUMN_PARTS);
    m_list->DeleteAllItems();
    m_savedInputs.clear();
    m_savedOutputs.clear();
    m_inputCount = Count(TRUE);
    m_outputCount = Count(FALSE);
    if (m_isFunction && m_function) {
        m_savedName = m_function->name;
        m_nameText = m_function->name;
    } else if (m_fb) {
        m_savedName = m_fb->instanceName;
        m_nameText = m_fb->typeName;
        m_instanceText = m_fb->instanceName;
    }
    AddRows(TRUE);
    AddRows(FALSE);
    m_nameEdit->setText(ToQString(m_nameText));
    m_instanceEdit->setText(ToQString(m_instanceText));
    if (m_functionMode) {
        m_instanceEdit->setEnabled(false);
        m_list->SetSelectionMark(0);
    }
}

void CLDBlockParamDlg::AddRows(BOOL inputs)
{
    std::vector<std::string>& saved = inputs ? m_savedInputs : m_savedOutputs;
    const int count = inputs ? m_inputCount : m_outputCount;
    for (int index = 1; index < count; ++index) {
        const CZULFBPara* para = Parameter(inputs, index);
        if (!para)
            continue;
        const int row = m_list->InsertItem(m_list->GetItemCount(), para->name);
        m_list->SetItemText(row, IO_COLUMN, inputs ? IO_INPUT : IO_OUTPUT);
        m_list->SetItemText(row, VARIABLE_COLUMN, para->typeText);
        saved.push_back(para->typeText);
    }
}

void CLDBlockParamDlg::SelectRow(int row)
{
    if (row < 0 || row >= m_list->GetItemCount())
        return;
    m_list->SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    m_list->SetSelectionMark(row);
}

bool CLDBlockParamDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_instanceEdit) {
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Return) {
            m_list->Table()->setFocus();
            return true;
        }
        return QDialog::eventFilter(watched, event);
    }
    if (watched != m_list->Table())
        return QDialog::eventFilter(watched, event);
    if (event->type() == QEvent::FocusIn) {
        const int mark = m_list->GetSelectionMark();
        SelectRow(mark >= 0 ? mark : 0);
        return QDialog::eventFilter(watched, event);
    }
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    const int rows = m_list->GetItemCount();
    if ((key == Qt::Key_Up || key == Qt::Key_Down) && rows > 0) {
        const int mark = m_list->GetSelectionMark();
        const int step = key == Qt::Key_Up ? -1 : 1;
        SelectRow(((mark < 0 ? 0 : mark) + step + rows) % rows);
        return true;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        EditSelectedRow();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void CLDBlockParamDlg::EditSelectedRow()
{
    const int row = m_list->GetNextItem(-1, LVNI_SELECTED);
    if (row < 0)
        return;
    m_editedRow = row;
    m_rowName = m_list->GetItemText(row, NAME_COLUMN);
    m_rowIOType = m_list->GetItemText(row, IO_COLUMN);
    m_rowVariable = m_list->GetItemText(row, VARIABLE_COLUMN);
    CRect cell;
    if (!m_list->GetSubItemRect(row, VARIABLE_COLUMN, &cell))
        return;
    cell.right += 1;
    cell.top -= 1;
    cell.bottom += 1;
    new CInPlaceEdit(m_list, cell, 0, CELL_EDITOR_ID, row, VARIABLE_COLUMN, m_rowVariable, VK_SPACE);
}

BOOL CLDBlockParamDlg::CheckActualParameter(DWORD flags, const std::string& text, CZULFBPara& parameter) const
{
    if (!m_program)
        return FALSE;
    const CLDBlockParamCheck check(m_program->GetApp(), MakeLocalLookup(*m_program));
    return check.CheckActualParameter(flags, text, parameter);
}

void CLDBlockParamDlg::OnEndLabelEdit(const NMLVDISPINFO* info)
{
    if (!info || !info->item.pszText || !m_program)
        return;
    const int row = info->item.iItem;
    const std::string text = info->item.pszText;
    const BOOL input = m_list->GetItemText(row, IO_COLUMN) == IO_INPUT;
    const std::string name = m_list->GetItemText(row, NAME_COLUMN);
    const CLDBlockParamCheck check(m_program->GetApp(), MakeLocalLookup(*m_program));
    if (check.ApplyEntry(m_isFunction ? m_function : nullptr, m_isFunction ? nullptr : m_fb, input, name, text))
        m_list->SetItemText(row, VARIABLE_COLUMN, text);
    m_list->Table()->setFocus();
}

void CLDBlockParamDlg::OnOK()
{
    if (m_isFunction || !m_fb || !m_program) {
        accept();
        return;
    }
    m_instanceText = FromQString(m_instanceEdit->text());
    const CLDBlockParamCheck check(m_program->GetApp(), nullptr);
    if (check.ApplyInstanceName(*m_fb, m_instanceText, m_pouName)) {
        accept();
        return;
    }
    m_instanceEdit->setFocus();
    m_instanceEdit->selectAll();
}

void CLDBlockParamDlg::OnCancel()
{
    if (m_isFunction && m_function)
        m_function->name = m_savedName;
    else if (m_fb)
        m_fb->instanceName = m_savedName;
    for (size_t i = 0; i < m_savedInputs.size(); ++i) {
        if (CZULFBPara* para = Parameter(TRUE, static_cast<int>(i) + 1))
            para->typeText = m_savedInputs[i];
    }
    for (size_t i = 0; i < m_savedOutputs.size(); ++i) {
        if (CZULFBPara* para = Parameter(FALSE, static_cast<int>(i) + 1))
            para->typeText = m_savedOutputs[i];
    }
    QDialog::reject();
}

void CLDBlockParamDlg::reject()
{
    OnCancel();
}
