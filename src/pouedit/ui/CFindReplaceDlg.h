#pragma once
// The one modeless Find/Replace dialog of the main window. It searches the
// POU of the active window, every open POU or every POU of the project,
// writes its "$$$ " lines to the FindReplace list of the Output pane, steps
// from hit to hit, replaces one or every hit and marks or unmarks all hits.
// The hits and the state of a search live in the application's find state.

#include "pouedit/IFindReplaceDialog.h"

#include <QDialog>

#include <string>
#include <vector>

class CPOUEditorDoc;
class CZULAppData;
class IFindReplaceHost;
class IPOUWorkbenchHost;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QRadioButton;

// The find history keeps this many texts, newest first.
constexpr int FIND_HISTORY_SIZE = 16;

// LD element kinds that an LD search can ignore, as mask bits.
constexpr int LD_IGNORE_COMMENTS = 1;
constexpr int LD_IGNORE_CONTACTS = 2;
constexpr int LD_IGNORE_COILS = 4;
constexpr int LD_IGNORE_BLOCKS = 8;

class CFindReplaceDlg : public QDialog, public IFindReplaceDialog {
    Q_OBJECT
public:
    CFindReplaceDlg(CZULAppData& app, IPOUWorkbenchHost* workbench, IFindReplaceHost* host, QWidget* parent);

    void SetFindOnly(BOOL findOnly) override;
    void SetFindText(const std::string& text) override;
    void AddFindHistory(const std::string& text) override;
    void EnableFindButtons(BOOL enable) override;
    void EnableReplaceButtons(BOOL replace, BOOL replaceAll) override;
    BOOL IsScopeBeyondWindow() const override;
    void Show(BOOL centre) override;
    std::string GetFindText() const override;
    std::string GetReplaceText() const override;
    BOOL GetWholeWord() const override { return m_wholeWord; }
    BOOL GetMatchCase() const override { return m_matchCase; }
    int GetDirection() const override { return m_direction; }
    int GetScope() const override { return m_scope; }
    int GetLDIgnoreMask() const override { return m_ldIgnoreMask; }
    const std::vector<std::string>& GetFindHistory() const { return m_history; }

    void OnFindNext();
    void OnReplace();
    void OnReplaceAll();
    void OnMarkAll();
    void OnUnmarkAll();
    // Hides the dialog and ends its use; the next Find or Replace shows it again.
    void OnCancel();
    void OnShowAdvanced();

protected:
    void showEvent(QShowEvent* event) override;
    void reject() override;

private:
    void DoDataExchange();
    void BuildControls();
    void BuildAdvancedControls();
    void OnScopeChanged();
    void OnFindTextChanged();
    void AddIgnoredType(QListWidgetItem* item);
    void RemoveIgnoredType();
    void IgnoreAllTypes();
    void ClearIgnoredTypes();
    void RefreshHistory();
    int ComputeIgnoreMask() const;
    BOOL IsContinuation(const std::string& pouName) const;
    void StoreSearchValues(const std::string& pouName);
    void PrepareActivePOU(CPOUEditorDoc* doc);
    std::vector<CPOUEditorDoc*> PrepareOpenPOUs();
    CPOUEditorDoc* ActiveDocument() const;
    void RunFind(CPOUEditorDoc* doc, int mode);
    void RunReplaceAll(CPOUEditorDoc* doc, const std::string& replace);
    void MarkScope(int mode);
    void RepaintActiveView();
    BOOL ConfirmEmptyReplace();

    CZULAppData& m_app;
    IPOUWorkbenchHost* m_workbench;
    IFindReplaceHost* m_host;

    QComboBox* m_findCombo = nullptr;
    QListWidget* m_availableList = nullptr;
    QListWidget* m_ignoredList = nullptr;
    QLineEdit* m_secondEdit = nullptr;
    QLineEdit* m_replaceEdit = nullptr;
    QCheckBox* m_wholeWordCheck = nullptr;
    QCheckBox* m_matchCaseCheck = nullptr;
    QRadioButton* m_currentFileRadio = nullptr;
    QRadioButton* m_openFilesRadio = nullptr;
    QRadioButton* m_projectRadio = nullptr;
    QRadioButton* m_downRadio = nullptr;
    QRadioButton* m_upRadio = nullptr;
    QCheckBox* m_advancedCheck = nullptr;
    QPushButton* m_findButton = nullptr;
    QPushButton* m_markButton = nullptr;
    QPushButton* m_unmarkButton = nullptr;
    QPushButton* m_replaceButton = nullptr;
    QPushButton* m_replaceAllButton = nullptr;

    std::string m_secondText;
    std::string m_replaceText;
    BOOL m_wholeWord = FALSE;
    BOOL m_matchCase = FALSE;
    int m_direction = FIND_DIRECTION_DOWN;
    int m_scope = FIND_SCOPE_CURRENT_FILE;
    BOOL m_showAdvanced = FALSE;
    int m_ldIgnoreMask = 0;
    std::string m_findText;
    BOOL m_findOnly = TRUE;
    std::vector<std::string> m_history; // newest first
};

// The cancel path of the main window: starting to monitor closes the dialog
// when it is shown. A null dialog does nothing.
void CloseFindReplaceDialog(CFindReplaceDlg* dialog);
