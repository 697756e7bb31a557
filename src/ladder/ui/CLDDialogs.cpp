#include "CLDDialogs.h"

#include "CLDBlockParamDlg.h"
#include "CLDCommentDlg.h"
#include "CLDContactCoilDlg.h"
#include "CLDSelectBlockDlg.h"
#include "ladder/CBlock.h"
#include "ladder/CLDElement.h"

CLDDialogs::CLDDialogs(CZULAppData& app, QWidget* parent) : m_app(app), m_parent(parent)
{
}

BOOL CLDDialogs::SelectBlock(int* choice, std::string* name, std::string* instance)
{
    CLDSelectBlockDlg dialog(m_app, m_parent);
    if (dialog.exec() != QDialog::Accepted)
        return FALSE;
    if (choice)
        *choice = dialog.m_choice;
    if (name)
        *name = dialog.m_name;
    if (instance)
        *instance = dialog.m_instance;
    return TRUE;
}

BOOL CLDDialogs::EditContactCoil(CLDProgram& program, CLDElement& element, BOOL coil, std::string* type)
{
    CLDContactCoilDlg dialog(m_parent);
    dialog.m_addressText = element.GetOperand();
    dialog.m_typeText = element.GetTypeText();
    dialog.m_element = &element;
    dialog.m_program = &program;
    dialog.m_coil = coil ? 1 : 0;
    if (coil)
        dialog.m_previousOperand = element.GetOperand();
    if (dialog.exec() != QDialog::Accepted)
        return FALSE;
    if (type)
        *type = dialog.m_typeText;
    return TRUE;
}

BOOL CLDDialogs::EditBlockParameters(const std::string& pouName, CLDProgram& program, CBlock& block)
{
    CLDBlockParamDlg dialog(m_parent);
    dialog.m_pouName = pouName;
    dialog.m_program = &program;
    dialog.m_block = &block;
    dialog.m_isFunction = block.IsFunction() ? 1 : 0;
    dialog.m_functionMode = dialog.m_isFunction;
    dialog.m_fb = block.GetFB();
    dialog.m_function = block.GetFunction();
    return dialog.exec() == QDialog::Accepted ? TRUE : FALSE;
}

BOOL CLDDialogs::EditComment(std::string* text, BOOL* modified)
{
    CLDCommentDlg dialog(m_parent);
    if (text)
        dialog.m_comment = *text;
    if (dialog.exec() != QDialog::Accepted)
        return FALSE;
    if (text)
        *text = dialog.m_comment;
    if (modified)
        *modified = dialog.IsModified() ? TRUE : FALSE;
    return TRUE;
}
