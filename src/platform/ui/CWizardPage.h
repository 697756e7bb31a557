#pragma once
// One page of a wizard: a dialog of its own resource with its caption,
// statics, fields and buttons, each control named by its id. A button that
// moves on stores the page and calls GoTo; "关闭" ends the wizard with
// nothing stored.

#include "platform/WinTypes.h"

#include <QDialog>

#include <string>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QCheckBox;
class QGridLayout;
class QGroupBox;

constexpr UINT WIZARD_END = 0;

class CWizardPage : public QDialog {
    Q_OBJECT
public:
    CWizardPage(UINT dialogId, const std::string& caption, QWidget* parent = nullptr);

    UINT GetDialogId() const { return m_dialogId; }
    // The page to run after this one closes; WIZARD_END ends the wizard.
    UINT GetNextPage() const { return m_nextPage; }
    // Closes the page; the wizard goes on with the page of the dialog id.
    void GoTo(UINT dialogId);

    // The control of an id (its object name), or null.
    template <class T>
    T* Control(UINT id) const
    {
        return findChild<T*>(QString::number(id));
    }

    // Field exchange with the platform's messages: FALSE after the message,
    // the field focused and its text selected.
    BOOL ReadInt(UINT id, int& value);
    BOOL ReadIntRange(UINT id, int low, int high, int& value);
    BOOL ReadUnsigned(UINT id, int& value);
    BOOL ReadFloat(UINT id, float& value);
    void WriteInt(UINT id, int value);
    void WriteFloat(UINT id, float value);
    void SetText(UINT id, const std::string& text);
    std::string GetText(UINT id) const;

protected:
    // Builders of the page's controls in rows of a grid; texts are GBK.
    QLabel* AddStatic(const std::string& text, int row, int column, int columnSpan = 1, UINT id = 0);
    QLineEdit* AddEdit(UINT id, int row, int column);
    QPushButton* AddButton(UINT id, const std::string& text);
    QRadioButton* AddRadio(UINT id, const std::string& text, int row, int column);
    QCheckBox* AddCheck(UINT id, const std::string& text, int row, int column, int columnSpan = 1);
    // "关闭" and "帮助" (without function) after the page's own buttons.
    void AddCloseAndHelp(UINT helpId);
    QGridLayout* Grid() const { return m_grid; }

private:
    BOOL FieldError(UINT id, const std::string& text);

    UINT m_dialogId;
    UINT m_nextPage = WIZARD_END;
    QGridLayout* m_grid = nullptr;
    QWidget* m_buttons = nullptr;
};
