#include "CFindReplaceDlg.h"

#include "CPOUEditorDoc.h"
#include "CPOUEditorView.h"
#include "IFindReplaceHost.h"
#include "model/CZULAppData.h"
#include "platform/ByteString.h"
#include "platform/CUserInterface.h"
#include "platform/ui/DialogUnits.h"
#include "platform/ui/QtText.h"
#include "plclink/ui/COnlineHelp.h"
#include "pouedit/CPOUEditor.h"
#include "pouedit/IPOUWorkbenchHost.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

namespace {
constexpr int DIALOG_WIDTH_DU = 288;
constexpr int DIALOG_HEIGHT_DU = 241;
// The part below "Show advanced options" that the dialog hides.
constexpr int ADVANCED_PART_PIXELS = 140;
constexpr int MIN_GAP_PIXELS = 6;

constexpr int DIALOG_CLOSED = 0;
constexpr int DIALOG_REPLACE = 2;
constexpr int RESULT_MODE_OPENED = 1;
constexpr int RESULT_MODE_FIND_NEXT = 2;
constexpr int RESULT_MODE_REPLACE = 3;
constexpr int RESULT_MODE_REPLACE_ALL = 4;
constexpr int ACTION_REPLACED = 2;
constexpr int FIND_MODE_REPORT = 0;
constexpr int FIND_MODE_UNMARK = 1;
constexpr int FIND_MODE_MARK = 2;

const char* const CAPTION = "Find/Replace...";
const char* const CAPTION_FIND = "Find";
const char* const CAPTION_REPLACE = "Replace";
const char* const FIND_NEXT_TEXT = "Find next";
const char* const FIND_TEXT = "Find";
const char* const HELP_TOPIC = "bianji-IL";
const char* const EMPTY_STRING = "Empty string!";
const char* const EMPTY_CONTINUE = "Empty string, continue?";
const char* const EMPTY_MARK = "The string to be found is empty!";
const char* const BEGIN_CURRENT = "$$$ Begin to find \"%s\" in the current file.";
const char* const BEGIN_OPEN = "$$$ Begin to find \"%s\" in all open files.";
const char* const BEGIN_PROJECT = "$$$ Begin to find \"%s\" in the project.";
const char* const BEGIN_REPLACE_CURRENT = "$$$ Begin to find and repace \"%s\" in the current file.";
const char* const BEGIN_REPLACE_OPEN = "$$$ Begin to find and repace \"%s\" in all open files...";
const char* const BEGIN_REPLACE_PROJECT = "$$$ Begin to find and repace \"%s\" in the project.";
const char* const FOUND_SUMMARY = "$$$ %d occurrence(s) have been found.";
const char* const REPLACED_SUMMARY = "$$$ %d occurrence(s) have been replaced.";
const char* const MARKED_SUMMARY = "%d occurrence(s) have been marked.";
const char* const LINE_BREAK = "\r\n";
// "Find among these types", the label of the hidden second text.
const char* const SECOND_LABEL = "\xD4\xDA\xC8\xE7\xCF\xC2\xB5\xC4\xC0\xE0\xD0\xCD\xD6\xD0\xB2\xE9\xD5\xD2";

struct LDIgnoreType {
    const char* text;
    int mask;
};
const LDIgnoreType LD_IGNORE_TYPES[] = {
    {"All Comments", LD_IGNORE_COMMENTS},
    {"All Contacts", LD_IGNORE_CONTACTS},
    {"All Coils", LD_IGNORE_COILS},
    {"All Blocks", LD_IGNORE_BLOCKS},
};

void WriteFindLine(const std::string& text)
{
    CUserInterface::Output().AppendOutputLine(FIND_OUTPUT_LIST, text);
}

void ClearFindList()
{
    CUserInterface::Output().ClearOutputList(FIND_OUTPUT_LIST);
}

template <class Widget>
Widget* Place(Widget* widget, const char* id, int x, int y, int width, int height)
{
    if (id)
        widget->setObjectName(id);
    widget->setGeometry(DialogRect(x, y, width, height));
    return widget;
}

// A text wider in the dialog font than its template place keeps its whole text.
template <class Widget>
Widget* FitText(Widget* widget)
{
    widget->resize(std::max(widget->width(), widget->sizeHint().width()), widget->height());
    return widget;
}

CPOUEditor* EditorOf(CPOUEditorDoc* doc)
{
    return doc && doc->GetProgram() ? doc->GetProgram()->GetEditor() : nullptr;
}
} // namespace

CFindReplaceDlg::CFindReplaceDlg(CZULAppData& app, IPOUWorkbenchHost* workbench, IFindReplaceHost* host,
                                 QWidget* parent)
    : QDialog(parent), m_app(app), m_workbench(workbench), m_host(host)
{
    setModal(false);
    setWindowTitle(CAPTION);
    BuildControls();
    BuildAdvancedControls();
    setFixedSize(DialogUnitsToPixelsX(DIALOG_WIDTH_DU), DialogUnitsToPixelsY(DIALOG_HEIGHT_DU) - ADVANCED_PART_PIXELS);
    OnFindTextChanged();
}

void CFindReplaceDlg::BuildControls()
{
    Place(new QLabel("Find what:", this), nullptr, 10, 10, 45, 10);
    m_findCombo = Place(new QComboBox(this), "1333", 72, 6, 117, 12);
    m_findCombo->setEditable(true);
    m_findCombo->setInsertPolicy(QComboBox::NoInsert);
    Place(new QLabel("Replace with:", this), nullptr, 10, 28, 59, 10);
    m_replaceEdit = Place(new QLineEdit(this), "1026", 71, 25, 117, 12);
    m_wholeWordCheck = FitText(Place(new QCheckBox("Match &whole word only", this), "1013", 21, 48, 103, 10));
    m_matchCaseCheck = FitText(Place(new QCheckBox("Match &case", this), "1018", 131, 48, 66, 10));
    // Match case stands clear of the whole-word text.
    m_matchCaseCheck->move(std::max(m_matchCaseCheck->x(), m_wholeWordCheck->geometry().right() + MIN_GAP_PIXELS),
                           m_matchCaseCheck->y());
    Place(new QGroupBox("Find where", this), nullptr, 20, 65, 89, 64);
    m_currentFileRadio = Place(new QRadioButton("C&urrent file", this), "1320", 26, 80, 67, 9);
    m_openFilesRadio = Place(new QRadioButton("All &open files", this), "1318", 26, 98, 80, 9);
    m_projectRadio = Place(new QRadioButton("Whole &project", this), "1319", 26, 116, 73, 9);
    Place(new QGroupBox("Direction", this), nullptr, 125, 65, 71, 48);
    m_downRadio = Place(new QRadioButton("&Down", this), "1002", 139, 83, 49, 8);
    m_upRadio = Place(new QRadioButton("&Up", this), "1009", 139, 97, 39, 8);
    QButtonGroup* scopes = new QButtonGroup(this);
    scopes->addButton(m_currentFileRadio);
    scopes->addButton(m_openFilesRadio);
    scopes->addButton(m_projectRadio);
    QButtonGroup* directions = new QButtonGroup(this);
    directions->addButton(m_downRadio);
    directions->addButton(m_upRadio);
    m_currentFileRadio->setChecked(true);
    m_downRadio->setChecked(true);
    Place(new QLabel(ToQString(SECOND_LABEL), this), nullptr, 125, 119, 70, 8)->hide();
    m_secondEdit = Place(new QLineEdit(this), "1024", 127, 129, 63, 12);
    m_secondEdit->setEnabled(false);
    m_secondEdit->hide();
    m_advancedCheck = FitText(Place(new QCheckBox("Show &advanced options", this), "1317", 16, 135, 100, 9));
    m_findButton = Place(new QPushButton(FIND_NEXT_TEXT, this), "1022", 219, 7, 53, 14);
    m_findButton->setDefault(true);
    m_markButton = Place(new QPushButton("Mark all", this), "1307", 219, 27, 53, 14);
    m_unmarkButton = Place(new QPushButton("Unmark all", this), "1332", 219, 47, 53, 14);
    m_replaceButton = Place(new QPushButton("Replace", this), "2013", 219, 67, 53, 14);
    m_replaceAllButton = Place(new QPushButton("Replace all", this), "2014", 219, 87, 53, 14);
    QPushButton* cancel = Place(new QPushButton("Cancel", this), "2", 219, 107, 53, 14);
    QPushButton* help = COnlineHelp::Attach(this, "3", HELP_TOPIC);
    help->setGeometry(DialogRect(219, 127, 53, 14));

    connect(m_findCombo, &QComboBox::editTextChanged, this, &CFindReplaceDlg::OnFindTextChanged);
    connect(m_secondEdit, &QLineEdit::textChanged, this, &CFindReplaceDlg::OnFindTextChanged);
    connect(m_currentFileRadio, &QRadioButton::clicked, this, &CFindReplaceDlg::OnScopeChanged);
    connect(m_openFilesRadio, &QRadioButton::clicked, this, &CFindReplaceDlg::OnScopeChanged);
    connect(m_projectRadio, &QRadioButton::clicked, this, &CFindReplaceDlg::OnScopeChanged);
    connect(m_advancedCheck, &QCheckBox::clicked, this, &CFindReplaceDlg::OnShowAdvanced);
    connect(m_findButton, &QPushButton::clicked, this, &CFindReplaceDlg::OnFindNext);
    connect(m_markButton, &QPushButton::clicked, this, &CFindReplaceDlg::OnMarkAll);
    connect(m_unmarkButton, &QPushButton::clicked, this, &CFindReplaceDlg::OnUnmarkAll);
    connect(m_replaceButton, &QPushButton::clicked, this, &CFindReplaceDlg::OnReplace);
    connect(m_replaceAllButton, &QPushButton::clicked, this, &CFindReplaceDlg::OnReplaceAll);
    connect(cancel, &QPushButton::clicked, this, &CFindReplaceDlg::OnCancel);
}

void CFindReplaceDlg::BuildAdvancedControls()
{
    QLabel* label =
        FitText(Place(new QLabel("&Ignore the following types when LD finding:", this), nullptr, 16, 157, 182, 8));
    m_ignoredList = Place(new QListWidget(this), "1309", 17, 171, 86, 65);
    label->setBuddy(m_ignoredList);
    m_ignoredList->setSortingEnabled(true);
    QPushButton* clear = Place(new QPushButton(">>", this), "1312", 119, 171, 23, 11);
    QPushButton* remove = Place(new QPushButton(">", this), "1313", 119, 189, 23, 11);
    QPushButton* add = Place(new QPushButton("<", this), "1315", 119, 205, 23, 11);
    QPushButton* addAll = Place(new QPushButton("<<", this), "1316", 119, 223, 23, 11);
    m_availableList = Place(new QListWidget(this), "1310", 160, 171, 86, 65);
    m_availableList->setSortingEnabled(true);
    for (const LDIgnoreType& type : LD_IGNORE_TYPES) {
        QListWidgetItem* item = new QListWidgetItem(type.text, m_availableList);
        item->setData(Qt::UserRole, type.mask);
    }
    connect(clear, &QPushButton::clicked, this, &CFindReplaceDlg::ClearIgnoredTypes);
    connect(remove, &QPushButton::clicked, this, &CFindReplaceDlg::RemoveIgnoredType);
    connect(add, &QPushButton::clicked, this, [this] { AddIgnoredType(m_availableList->currentItem()); });
    connect(addAll, &QPushButton::clicked, this, &CFindReplaceDlg::IgnoreAllTypes);
    connect(m_availableList, &QListWidget::itemDoubleClicked, this, &CFindReplaceDlg::AddIgnoredType);
    connect(m_ignoredList, &QListWidget::itemDoubleClicked, this, &CFindReplaceDlg::RemoveIgnoredType);
}

// The controls into the fields.
void CFindReplaceDlg::DoDataExchange()
{
    m_findText = FromQString(m_findCombo->currentText());
    m_replaceText = FromQString(m_replaceEdit->text());
    m_secondText = FromQString(m_secondEdit->text());
    m_wholeWord = m_wholeWordCheck->isChecked() ? TRUE : FALSE;
    m_matchCase = m_matchCaseCheck->isChecked() ? TRUE : FALSE;
    m_direction = m_upRadio->isChecked() ? FIND_DIRECTION_UP : FIND_DIRECTION_DOWN;
    m_scope = m_projectRadio->isChecked()     ? FIND_SCOPE_PROJECT
              : m_openFilesRadio->isChecked() ? FIND_SCOPE_OPEN_FILES
                                              : FIND_SCOPE_CURRENT_FILE;
    m_showAdvanced = m_advancedCheck->isChecked() ? TRUE : FALSE;
}

void CFindReplaceDlg::showEvent(QShowEvent* event)
{
    const BOOL beyond = IsScopeBeyondWindow();
    if (beyond) {
        m_downRadio->setEnabled(false);
        m_upRadio->setEnabled(false);
        m_replaceButton->setEnabled(false);
    }
    if (m_findOnly) {
        m_replaceEdit->setEnabled(false);
        m_replaceButton->setEnabled(false);
        m_replaceAllButton->setEnabled(false);
        setWindowTitle(CAPTION_FIND);
    } else {
        m_replaceEdit->setEnabled(true);
        setWindowTitle(CAPTION_REPLACE);
    }
    QDialog::showEvent(event);
    m_findCombo->setFocus();
}

void CFindReplaceDlg::reject()
{
    OnCancel();
}

void CFindReplaceDlg::SetFindOnly(BOOL findOnly)
{
    m_findOnly = findOnly ? TRUE : FALSE;
}

void CFindReplaceDlg::SetFindText(const std::string& text)
{
    m_findText = text;
    m_findCombo->setEditText(ToQString(m_findText));
}

void CFindReplaceDlg::AddFindHistory(const std::string& text)
{
    const auto found = std::find(m_history.begin(), m_history.end(), text);
    if (found != m_history.end())
        m_history.erase(found);
    else if (static_cast<int>(m_history.size()) >= FIND_HISTORY_SIZE)
        m_history.pop_back();
    m_history.insert(m_history.begin(), text);
    RefreshHistory();
}

// The combo box's list from the non-empty texts, keeping the typed text.
void CFindReplaceDlg::RefreshHistory()
{
    const QString typed = m_findCombo->currentText();
    const QSignalBlocker blocker(m_findCombo);
    m_findCombo->clear();
    for (const std::string& text : m_history) {
        if (!text.empty())
            m_findCombo->addItem(ToQString(text));
    }
    m_findCombo->setEditText(typed);
}

void CFindReplaceDlg::EnableFindButtons(BOOL enable)
{
    m_findButton->setEnabled(enable);
    m_markButton->setEnabled(enable);
}

void CFindReplaceDlg::EnableReplaceButtons(BOOL replace, BOOL replaceAll)
{
    m_replaceButton->setEnabled(replace);
    m_replaceAllButton->setEnabled(replaceAll);
}

BOOL CFindReplaceDlg::IsScopeBeyondWindow() const
{
    return m_currentFileRadio->isChecked() ? FALSE : TRUE;
}

void CFindReplaceDlg::Show(BOOL centre)
{
    if (centre && parentWidget()) {
        const QRect area = parentWidget()->window()->geometry();
        move(area.center() - rect().center());
    }
    show();
    raise();
    activateWindow();
}

std::string CFindReplaceDlg::GetFindText() const
{
    return ByteString::Trim(m_findText);
}

std::string CFindReplaceDlg::GetReplaceText() const
{
    return ByteString::Trim(m_replaceText);
}

void CFindReplaceDlg::OnScopeChanged()
{
    const BOOL beyond = IsScopeBeyondWindow();
    m_downRadio->setEnabled(!beyond);
    m_upRadio->setEnabled(!beyond);
    if (beyond) {
        m_replaceButton->setEnabled(false);
        m_findButton->setText(FIND_TEXT);
        return;
    }
    const bool text = !m_findCombo->currentText().trimmed().isEmpty();
    m_replaceButton->setEnabled(m_app.Find.DialogMode == DIALOG_REPLACE && text);
    m_findButton->setText(FIND_NEXT_TEXT);
}

void CFindReplaceDlg::OnFindTextChanged()
{
    const bool text = !m_findCombo->currentText().trimmed().isEmpty();
    m_findButton->setEnabled(text);
    m_markButton->setEnabled(text);
    const bool replacing = text && m_app.Find.DialogMode == DIALOG_REPLACE;
    m_replaceAllButton->setEnabled(replacing);
    m_replaceButton->setEnabled(replacing && !IsScopeBeyondWindow());
}

// The advanced part shows and hides as one block, so the dialog returns
// to the same size whenever it is hidden again.
void CFindReplaceDlg::OnShowAdvanced()
{
    const int full = DialogUnitsToPixelsY(DIALOG_HEIGHT_DU);
    if (m_advancedCheck->isChecked()) {
        setFixedSize(width(), full);
        return;
    }
    setFixedSize(width(), full - ADVANCED_PART_PIXELS);
    ClearIgnoredTypes();
}

void CFindReplaceDlg::AddIgnoredType(QListWidgetItem* item)
{
    if (!item || !m_ignoredList->findItems(item->text(), Qt::MatchExactly).isEmpty())
        return;
    QListWidgetItem* copy = new QListWidgetItem(item->text());
    copy->setData(Qt::UserRole, item->data(Qt::UserRole));
    m_ignoredList->insertItem(0, copy);
}

void CFindReplaceDlg::RemoveIgnoredType()
{
    delete m_ignoredList->currentItem();
}

void CFindReplaceDlg::IgnoreAllTypes()
{
    m_ignoredList->clear();
    for (int i = 0; i < m_availableList->count(); ++i)
        AddIgnoredType(m_availableList->item(i));
}

void CFindReplaceDlg::ClearIgnoredTypes()
{
    m_ignoredList->clear();
}

int CFindReplaceDlg::ComputeIgnoreMask() const
{
    int mask = 0;
    for (int i = 0; i < m_ignoredList->count(); ++i)
        mask |= m_ignoredList->item(i)->data(Qt::UserRole).toInt();
    return mask;
}

// A search goes on only with the same text and options in the same POU.
BOOL CFindReplaceDlg::IsContinuation(const std::string& pouName) const
{
    const CFindState& find = m_app.Find;
    return find.LastFindText == GetFindText() && m_app.SearchFlag && find.Direction == m_direction &&
           find.SearchPOUName == pouName && find.MatchCase == m_matchCase && find.WholeWord == m_wholeWord &&
           find.LdIgnoreMask == m_ldIgnoreMask && find.CurrentFileSearch;
}

void CFindReplaceDlg::StoreSearchValues(const std::string& pouName)
{
    CFindState& find = m_app.Find;
    find.LdIgnoreMask = m_ldIgnoreMask;
    find.Direction = m_direction;
    find.SearchPOUName = pouName;
    find.MatchCase = m_matchCase;
    find.WholeWord = m_wholeWord;
}

// An IL POU shows the application's addressing form again; an LD POU is
// laid out whole at once so that every network can be searched.
void CFindReplaceDlg::PrepareActivePOU(CPOUEditorDoc* doc)
{
    CPOUEditor* editor = EditorOf(doc);
    if (!editor)
        return;
    if (doc->GetLanguage() == POU_LANGUAGE_IL) {
        editor->SetSymbolicAddressing(m_app.SymbolicAddressing);
        return;
    }
    CPOUEditorView* view = doc->GetEditorView();
    if (!view)
        return;
    m_app.FullRedraw = 1;
    view->repaint();
    m_app.FullRedraw = 0;
}

std::vector<CPOUEditorDoc*> CFindReplaceDlg::PrepareOpenPOUs()
{
    std::vector<CPOUEditorDoc*> docs;
    if (!m_host)
        return docs;
    for (CPOUEditorDoc* doc : m_host->GetOpenPOUDocuments()) {
        const int language = doc ? doc->GetLanguage() : POU_LANGUAGE_NONE;
        if (language != POU_LANGUAGE_IL && language != POU_LANGUAGE_LD)
            continue;
        PrepareActivePOU(doc);
        docs.push_back(doc);
    }
    return docs;
}

CPOUEditorDoc* CFindReplaceDlg::ActiveDocument() const
{
    CPOUEditorDoc* doc = m_host ? m_host->GetActivePOUDocument() : nullptr;
    return EditorOf(doc) ? doc : nullptr;
}

void CFindReplaceDlg::RunFind(CPOUEditorDoc* doc, int mode)
{
    m_app.Find.CurrentPOUName = doc->GetPOUName();
    EditorOf(doc)->Find(GetFindText(), mode);
}

void CFindReplaceDlg::RunReplaceAll(CPOUEditorDoc* doc, const std::string& replace)
{
    m_app.Find.CurrentPOUName = doc->GetPOUName();
    EditorOf(doc)->ReplaceAll(GetFindText(), replace);
}

void CFindReplaceDlg::RepaintActiveView()
{
    CPOUEditorDoc* doc = ActiveDocument();
    if (CPOUEditorView* view = doc ? doc->GetEditorView() : nullptr)
        view->update();
}

BOOL CFindReplaceDlg::ConfirmEmptyReplace()
{
    if (!GetReplaceText().empty())
        return TRUE;
    return ShowMessage("", EMPTY_CONTINUE, MB_YESNO | MB_ICONQUESTION) == IDYES ? TRUE : FALSE;
}

void CFindReplaceDlg::OnFindNext()
{
    DoDataExchange();
    m_ldIgnoreMask = ComputeIgnoreMask();
    CFindState& find = m_app.Find;
    find.CurrentPOUName.clear();
    const std::string text = GetFindText();
    if (text.empty()) {
        ShowMessage("", EMPTY_STRING, MB_OK);
        return;
    }
    if (m_scope == FIND_SCOPE_CURRENT_FILE) {
        CPOUEditorDoc* doc = ActiveDocument();
        if (!doc)
            return;
        const std::string pouName = doc->GetPOUName();
        if (!find.CurrentFileSearch)
            ClearFindList();
        const BOOL continuing = IsContinuation(pouName);
        if (continuing) {
            find.NewSearch = 0;
        } else {
            PrepareActivePOU(doc);
            m_app.SearchFlag = 1;
            find.ResultCount = 0;
            find.CurrentFileSearch = 1;
            ClearFindList();
            WriteFindLine(ByteString::Format(BEGIN_CURRENT, text.c_str()));
            find.ResetResultTable();
            find.CurrentResult = 1;
            find.SavedResult = 0;
            StoreSearchValues(pouName);
            find.NewSearch = 1;
        }
        if (find.FindResultMode == RESULT_MODE_OPENED)
            find.CurrentResult = find.SavedResult;
        if (!find.Results[1].POUName.empty() && continuing && find.CurrentResult < FIND_TABLE_SIZE &&
            (!find.Results[std::max(find.CurrentResult, 0)].POUName.empty() || find.CurrentResult == 0))
            ++find.CurrentResult;
        find.FindResultMode = RESULT_MODE_FIND_NEXT;
        RunFind(doc, FIND_MODE_REPORT);
        if (!continuing) {
            WriteFindLine(LINE_BREAK);
            WriteFindLine(ByteString::Format(FOUND_SUMMARY, find.ResultCount));
        }
    } else {
        find.ResultCount = 0;
        find.CurrentResult = 0;
        find.FindResultMode = 0;
        find.CurrentFileSearch = 0;
        ClearFindList();
        find.ResetResultTable();
        find.CurrentResult = 1;
        if (m_scope == FIND_SCOPE_PROJECT) {
            WriteFindLine(ByteString::Format(BEGIN_PROJECT, text.c_str()));
            if (m_workbench)
                m_workbench->OpenAllPous(FALSE);
        }
        const std::vector<CPOUEditorDoc*> docs = PrepareOpenPOUs();
        if (docs.empty())
            return;
        if (m_scope == FIND_SCOPE_OPEN_FILES)
            WriteFindLine(ByteString::Format(BEGIN_OPEN, text.c_str()));
        for (CPOUEditorDoc* doc : docs)
            RunFind(doc, FIND_MODE_REPORT);
        WriteFindLine(LINE_BREAK);
        WriteFindLine(ByteString::Format(FOUND_SUMMARY, find.ResultCount));
    }
    find.LastFindText = text;
    AddFindHistory(text);
    if (m_findCombo->count() > 0)
        m_findCombo->setCurrentIndex(0);
    RepaintActiveView();
}

void CFindReplaceDlg::OnReplace()
{
    DoDataExchange();
    m_ldIgnoreMask = ComputeIgnoreMask();
    CPOUEditorDoc* doc = ActiveDocument();
    if (!doc)
        return;
    const std::string text = GetFindText();
    if (text.empty()) {
        ShowMessage("", EMPTY_STRING, MB_OK);
        return;
    }
    if (!ConfirmEmptyReplace())
        return;
    CFindState& find = m_app.Find;
    const std::string pouName = doc->GetPOUName();
    find.CurrentPOUName = pouName;
    const BOOL continuing = IsContinuation(pouName) && find.FindResultMode != RESULT_MODE_REPLACE_ALL;
    if (continuing) {
        find.NewSearch = 0;
    } else {
        PrepareActivePOU(doc);
        m_app.SearchFlag = 1;
        find.ResultCount = 0;
        find.CurrentFileSearch = 1;
        ClearFindList();
        find.ResetResultTable(ACTION_REPLACED);
        find.LastFindText = text;
        find.CurrentResult = 1;
        find.SavedResult = 0;
        StoreSearchValues(pouName);
        find.NewSearch = 1;
    }
    if (find.FindResultMode == RESULT_MODE_OPENED)
        find.CurrentResult = find.SavedResult;
    // Replace right after Find next works on the hit just found.
    const BOOL afterStep = find.FindResultMode == RESULT_MODE_FIND_NEXT || find.FindResultMode == RESULT_MODE_OPENED;
    if (!find.Results[1].POUName.empty() && continuing && !afterStep && find.CurrentResult < FIND_TABLE_SIZE &&
        (!find.Results[std::max(find.CurrentResult, 0)].POUName.empty() || find.CurrentResult == 0))
        ++find.CurrentResult;
    find.FindResultMode = RESULT_MODE_REPLACE;
    EditorOf(doc)->Replace(text, GetReplaceText());
    AddFindHistory(text);
}

void CFindReplaceDlg::OnReplaceAll()
{
    DoDataExchange();
    m_ldIgnoreMask = ComputeIgnoreMask();
    const std::string text = GetFindText();
    if (text.empty()) {
        ShowMessage("", EMPTY_STRING, MB_OK);
        return;
    }
    if (!ConfirmEmptyReplace())
        return;
    CFindState& find = m_app.Find;
    find.ResultCount = 0;
    find.CurrentResult = 0;
    ClearFindList();
    find.ResetResultTable(ACTION_REPLACED);
    find.FindResultMode = RESULT_MODE_REPLACE_ALL;
    const std::string replace = GetReplaceText();
    if (m_scope == FIND_SCOPE_CURRENT_FILE) {
        CPOUEditorDoc* doc = ActiveDocument();
        if (!doc)
            return;
        WriteFindLine(ByteString::Format(BEGIN_REPLACE_CURRENT, text.c_str()));
        PrepareActivePOU(doc);
        RunReplaceAll(doc, replace);
    } else {
        if (m_scope == FIND_SCOPE_PROJECT) {
            WriteFindLine(ByteString::Format(BEGIN_REPLACE_PROJECT, text.c_str()));
            if (m_workbench)
                m_workbench->OpenAllPous(FALSE);
        }
        const std::vector<CPOUEditorDoc*> docs = PrepareOpenPOUs();
        if (docs.empty())
            return;
        if (m_scope == FIND_SCOPE_OPEN_FILES)
            WriteFindLine(ByteString::Format(BEGIN_REPLACE_OPEN, text.c_str()));
        for (CPOUEditorDoc* doc : docs)
            RunReplaceAll(doc, replace);
    }
    WriteFindLine(LINE_BREAK);
    WriteFindLine(ByteString::Format(REPLACED_SUMMARY, find.ResultCount));
    find.LdIgnoreMask = m_ldIgnoreMask;
    find.MatchCase = m_matchCase;
    find.WholeWord = m_wholeWord;
    find.LastFindText = text;
    AddFindHistory(text);
}

void CFindReplaceDlg::MarkScope(int mode)
{
    if (m_scope == FIND_SCOPE_CURRENT_FILE) {
        CPOUEditorDoc* doc = ActiveDocument();
        if (!doc)
            return;
        PrepareActivePOU(doc);
        RunFind(doc, mode);
        return;
    }
    if (m_scope == FIND_SCOPE_PROJECT && m_workbench)
        m_workbench->OpenAllPous(FALSE);
    for (CPOUEditorDoc* doc : PrepareOpenPOUs())
        RunFind(doc, mode);
}

void CFindReplaceDlg::OnMarkAll()
{
    DoDataExchange();
    m_ldIgnoreMask = ComputeIgnoreMask();
    CFindState& find = m_app.Find;
    find.MarkCounter = 0;
    find.MarkCount = 0;
    find.ResetMarkTable();
    if (GetFindText().empty()) {
        ShowMessage("", EMPTY_MARK, MB_OK);
        return;
    }
    MarkScope(FIND_MODE_MARK);
    RepaintActiveView();
    ShowMessage("", ByteString::Format(MARKED_SUMMARY, find.MarkCounter), MB_OK);
}

void CFindReplaceDlg::OnUnmarkAll()
{
    DoDataExchange();
    MarkScope(FIND_MODE_UNMARK);
    RepaintActiveView();
}

void CFindReplaceDlg::OnCancel()
{
    m_app.Find.DialogMode = DIALOG_CLOSED;
    hide();
}

void CloseFindReplaceDialog(CFindReplaceDlg* dialog)
{
    if (dialog && dialog->isVisible())
        dialog->OnCancel();
}
