#include "POUWindowFixture.h"

#include "FindReportLine.h"
#include "plclink/CMonitorCommand.h"
#include "plclink/CPlcCommPort.h"
#include "pouedit/CILEditor.h"
#include "pouedit/CILProgram.h"
#include "support/FileBytes.h"
#include "support/ScriptedUi.h"
#include "../CEditorMonitorFrame.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {
using Lines = std::vector<std::string>;

const char* const MAIN_TEXT = "(*1*)\r\n(* Network 0 *)\r\nLD      %I0.0\r\nST      %Q0.0\r\nLD      %I0.0\r\n";
const char* const PUMP_TEXT = "(*1*)\r\n(* Network 0 *)\r\nLD      %I0.0\r\nST      %Q0.1\r\n";
const char* const VALVE_TEXT = "(*1*)\r\n(* Network 0 *)\r\nLDN     %I0.0\r\nST      %Q0.2\r\n";

CILProgram& ILProgramOf(CPOUEditorDoc* doc)
{
    return *dynamic_cast<CILProgram*>(doc->GetProgram());
}

std::vector<int> SelectionOf(CPOUEditorDoc* doc)
{
    int startLine = 0, startColumn = 0, endLine = 0, endColumn = 0;
    CILEditor& editor = ILProgramOf(doc).GetILEditor();
    if (!editor.HasSelection())
        return {};
    editor.GetSelection(startLine, startColumn, endLine, endColumn);
    return {startLine, startColumn, endLine, endColumn};
}
} // namespace

// Two IL POUs open (MAIN active, Pump beside it) and a third, Valve, that
// only opening all POUs of the project brings up.
class FindReplaceDialogTest : public POUWindowFixture {
protected:
    void SetUp() override
    {
        POUWindowFixture::SetUp();
        m_mainPath = m_folder / "MAIN_MAIN.ilp";
        m_pumpPath = m_folder / "SBR01_Pump.ilp";
        m_valvePath = m_folder / "SBR02_Valve.ilp";
        WriteFileText(m_mainPath, MAIN_TEXT);
        WriteFileText(m_pumpPath, PUMP_TEXT);
        WriteFileText(m_valvePath, VALVE_TEXT);
        ASSERT_TRUE(OpenWindow(m_mainPath, POU_LANGUAGE_IL));
        m_pump = OpenExtraWindow(m_pumpPath, POU_LANGUAGE_IL);
        ASSERT_NE(m_pump, nullptr);
        m_workbench.activeDocument = m_doc.get();
        m_workbench.openDocuments = {m_doc.get(), m_pump};
        m_workbench.openAllPous = [this] {
            if (m_valve)
                return;
            m_valve = OpenExtraWindow(m_valvePath, POU_LANGUAGE_IL);
            m_workbench.openDocuments.push_back(m_valve);
        };
        ASSERT_NE(m_doc->OpenFindReplaceDialog(TRUE), nullptr);
        m_app->Find.DialogMode = 2;
    }

    CFindReplaceDlg& Dialog() { return *m_workbench.findDialog; }
    template <class Widget> Widget* Control(const char* id) { return Dialog().findChild<Widget*>(id); }
    void Search(const std::string& text, const char* scope)
    {
        Control<QComboBox>("1333")->setEditText(QString::fromStdString(text));
        Control<QRadioButton>(scope)->click();
    }
    Lines Report() const { return m_ui.output.Lines(FIND_OUTPUT_LIST); }
    // Every report line back to its POU window and hit.
    void ExpectReportLinesLeadToTheirHits()
    {
        for (const std::string& line : Report()) {
            if (line.rfind("    ", 0) != 0)
                continue;
            SCOPED_TRACE(line);
            int row = 0, column = 0, item = 0;
            std::string pou;
            ASSERT_TRUE(ReadILReportLine(line, pou, row, column, item));
            CPOUEditorDoc* doc = DocumentNamed(pou);
            ASSERT_NE(doc, nullptr);
            ASSERT_TRUE(doc->GoToFindResult(item, row, column));
            EXPECT_EQ(SelectionOf(doc), (std::vector<int> {row - 1, column - 1, row - 1, column + 4}));
        }
    }
    CPOUEditorDoc* DocumentNamed(const std::string& pou)
    {
        for (CPOUEditorDoc* doc : m_workbench.openDocuments) {
            if (doc->GetPOUName() == pou)
                return doc;
        }
        return nullptr;
    }

    CScopedUi m_ui;
    std::string m_mainPath;
    std::string m_pumpPath;
    std::string m_valvePath;
    CPOUEditorDoc* m_pump = nullptr;
    CPOUEditorDoc* m_valve = nullptr;
};

TEST_F(FindReplaceDialogTest, CurrentFileFindsStepsAndReplacesTheHitJustFound)
{
    Search("%I0.0", "1320");
    Control<QPushButton>("1022")->click();
    const Lines first = {
        "$$$ Begin to find \"%I0.0\" in the current file.",
        "\r\n",
        "$$$ Find \"%I0.0\" in the program \"MAIN\"...",
        "    1. IL program \"MAIN\": Row 2, \"LD      %I0.0\", Byte 5 from Col.9.",
        "    2. IL program \"MAIN\": Row 4, \"LD      %I0.0\", Byte 5 from Col.9.",
        "\r\n",
        "$$$ 2 occurrence(s) have been found.",
    };
    EXPECT_EQ(Report(), first);
    EXPECT_EQ(SelectionOf(m_doc.get()), (std::vector<int> {1, 8, 1, 13}));
    ExpectReportLinesLeadToTheirHits();
    // Back on the first hit, as the first step left it.
    ILProgramOf(m_doc.get()).GetILEditor().SetCaret(1, 13);
    ILProgramOf(m_doc.get()).GetILEditor().SetSelection(1, 8, 1, 13);

    // The same text and options go on to the next hit without a new begin line.
    Control<QPushButton>("1022")->click();
    EXPECT_EQ(Report(), first);
    EXPECT_EQ(SelectionOf(m_doc.get()), (std::vector<int> {3, 8, 3, 13}));

    Control<QLineEdit>("1026")->setText("%I0.7");
    Control<QPushButton>("2013")->click();
    EXPECT_EQ(ILProgramOf(m_doc.get()).GetLines()[3], "LD      %I0.7");
    EXPECT_EQ(ILProgramOf(m_doc.get()).GetLines()[1], "LD      %I0.0");
    EXPECT_EQ(m_ui.box.Texts(), Lines({"Finished searching for '%I0.0' ."}));
    // The replaced hit is gone from its line.
    EXPECT_FALSE(m_doc->GoToFindResult(2, 4, 9));

    // Another option starts a new search with a new begin line.
    Control<QCheckBox>("1018")->click();
    m_doc->GoToLine(1);
    ILProgramOf(m_doc.get()).GetILEditor().SetCaret(0, 0);
    Control<QPushButton>("1022")->click();
    EXPECT_EQ(Report().front(), "$$$ Begin to find \"%I0.0\" in the current file.");
    EXPECT_EQ(Report().back(), "$$$ 1 occurrence(s) have been found.");
}

TEST_F(FindReplaceDialogTest, TheEditorsFindCommandShowsTheDialogWithTheSelectedText)
{
    m_app->Find.DialogMode = 0;
    ILProgramOf(m_doc.get()).GetILEditor().SetSelection(2, 8, 2, 13);
    ASSERT_TRUE(RunCommand(ID_EDIT_FIND));
    EXPECT_TRUE(Dialog().isVisible());
    EXPECT_EQ(Dialog().windowTitle(), "Find");
    EXPECT_EQ(Control<QComboBox>("1333")->currentText(), "%Q0.0");
    EXPECT_TRUE(Control<QPushButton>("1022")->isEnabled());
    EXPECT_EQ(m_app->Find.DialogMode, 1);
}

TEST_F(FindReplaceDialogTest, AllOpenFilesReportsEveryOpenPOU)
{
    // Enter in the find-what box is Find.
    Dialog().Show(FALSE);
    Search("%i0.0", "1318");
    QTest::keyClick(Control<QComboBox>("1333"), Qt::Key_Return);
    EXPECT_EQ(Report(), (Lines {
                            "$$$ Begin to find \"%i0.0\" in all open files.",
                            "\r\n",
                            "$$$ Find \"%i0.0\" in the program \"MAIN\"...",
                            "    1. IL program \"MAIN\": Row 2, \"LD      %I0.0\", Byte 5 from Col.9.",
                            "    2. IL program \"MAIN\": Row 4, \"LD      %I0.0\", Byte 5 from Col.9.",
                            "\r\n",
                            "$$$ Find \"%i0.0\" in the program \"Pump\"...",
                            "    3. IL program \"Pump\": Row 2, \"LD      %I0.0\", Byte 5 from Col.9.",
                            "\r\n",
                            "$$$ 3 occurrence(s) have been found.",
                        }));
    EXPECT_TRUE(std::find(m_workbench.calls.begin(), m_workbench.calls.end(), "OpenAllPous:0") ==
                m_workbench.calls.end());
    ExpectReportLinesLeadToTheirHits();
}

TEST_F(FindReplaceDialogTest, WholeProjectOpensTheClosedPOUThroughTheHost)
{
    Search("%I0.0", "1319");
    EXPECT_EQ(Control<QPushButton>("1022")->text(), "Find");
    EXPECT_FALSE(Control<QPushButton>("2013")->isEnabled());
    EXPECT_FALSE(Control<QRadioButton>("1002")->isEnabled());
    Control<QPushButton>("1022")->click();
    EXPECT_NE(std::find(m_workbench.calls.begin(), m_workbench.calls.end(), "OpenAllPous:0"),
              m_workbench.calls.end());
    ASSERT_NE(m_valve, nullptr);
    const Lines report = Report();
    ASSERT_EQ(report.size(), 13u);
    EXPECT_EQ(report.front(), "$$$ Begin to find \"%I0.0\" in the project.");
    EXPECT_EQ(report[9], "$$$ Find \"%I0.0\" in the program \"Valve\"...");
    EXPECT_EQ(report[10], "    4. IL program \"Valve\": Row 2, \"LDN     %I0.0\", Byte 5 from Col.9.");
    EXPECT_EQ(report.back(), "$$$ 4 occurrence(s) have been found.");
    ExpectReportLinesLeadToTheirHits();
}

TEST_F(FindReplaceDialogTest, ReplaceAllTakesOneUndoStepPerChangedPOU)
{
    const int mainUndo = ILProgramOf(m_doc.get()).GetUndoCount();
    const int pumpUndo = ILProgramOf(m_pump).GetUndoCount();
    Search("%Q0.1", "1318");
    Control<QLineEdit>("1026")->setText("%Q0.5");
    Control<QPushButton>("2014")->click();
    EXPECT_EQ(Report(), (Lines {
                            "$$$ Begin to find and repace \"%Q0.1\" in all open files...",
                            "    1. IL program \"Pump\": Row 3, \"ST      %Q0.1\", Byte 5 from Col.9. \r\"%Q0.1\" is "
                            "replaced as \"%Q0.5\".",
                            "\r\n",
                            "$$$ 1 occurrence(s) have been replaced.",
                        }));
    EXPECT_EQ(ILProgramOf(m_pump).GetLines()[2], "ST      %Q0.5");
    EXPECT_EQ(ILProgramOf(m_pump).GetUndoCount(), pumpUndo + 1);
    EXPECT_EQ(ILProgramOf(m_doc.get()).GetUndoCount(), mainUndo);
    EXPECT_TRUE(m_pump->IsModified());
    EXPECT_FALSE(m_doc->IsModified());

    // A replaced hit leads to its line.
    EXPECT_TRUE(m_pump->GoToFindResult(1, 3, 9));
    EXPECT_EQ(ILProgramOf(m_pump).GetILEditor().GetGoToLine(), 2);
}

TEST_F(FindReplaceDialogTest, MarkAllCountsAndUnmarkAllClears)
{
    Search("%I0.0", "1320");
    Control<QPushButton>("1307")->click();
    EXPECT_EQ(m_ui.box.Texts(), Lines({"2 occurrence(s) have been marked."}));
    EXPECT_TRUE(ILProgramOf(m_doc.get()).GetMarksShown());
    EXPECT_TRUE(Report().empty());
    Control<QPushButton>("1332")->click();
    EXPECT_FALSE(ILProgramOf(m_doc.get()).GetMarksShown());
}

TEST_F(FindReplaceDialogTest, EmptyTextsAreRefusedOrConfirmed)
{
    Search("   ", "1320");
    Dialog().OnFindNext();
    Dialog().OnMarkAll();
    EXPECT_EQ(m_ui.box.Texts(), Lines({"Empty string!", "The string to be found is empty!"}));

    m_ui.box.Clear();
    Search("%Q0.0", "1320");
    m_ui.box.Answer(IDNO);
    Control<QPushButton>("2014")->click();
    EXPECT_EQ(m_ui.box.Texts(), Lines({"Empty string, continue?"}));
    EXPECT_EQ(ILProgramOf(m_doc.get()).GetLines()[2], "ST      %Q0.0");
    EXPECT_TRUE(Report().empty());
}

TEST_F(FindReplaceDialogTest, ButtonsFollowTheTextTheScopeAndTheCommand)
{
    Dialog().SetFindOnly(TRUE);
    Dialog().Show(FALSE);
    EXPECT_EQ(Dialog().windowTitle(), "Find");
    EXPECT_FALSE(Control<QLineEdit>("1026")->isEnabled());
    Search("", "1320");
    EXPECT_FALSE(Control<QPushButton>("1022")->isEnabled());
    EXPECT_FALSE(Control<QPushButton>("1307")->isEnabled());
    Search("X", "1320");
    EXPECT_TRUE(Control<QPushButton>("1022")->isEnabled());
    EXPECT_TRUE(Control<QPushButton>("2013")->isEnabled());
    Search("X", "1318");
    EXPECT_FALSE(Control<QPushButton>("2013")->isEnabled());
    Search("X", "1320");
    EXPECT_EQ(Control<QPushButton>("1022")->text(), "Find next");
    EXPECT_TRUE(Control<QRadioButton>("1009")->isEnabled());

    Dialog().OnCancel();
    Dialog().SetFindOnly(FALSE);
    Dialog().Show(TRUE);
    EXPECT_EQ(Dialog().windowTitle(), "Replace");
    EXPECT_TRUE(Control<QLineEdit>("1026")->isEnabled());
}

TEST_F(FindReplaceDialogTest, HistoryKeepsSixteenTextsNewestFirst)
{
    for (int i = 1; i <= FIND_HISTORY_SIZE + 1; ++i)
        Dialog().AddFindHistory("T" + std::to_string(i));
    Lines history = Dialog().GetFindHistory();
    ASSERT_EQ(history.size(), size_t(FIND_HISTORY_SIZE));
    EXPECT_EQ(history.front(), "T17");
    EXPECT_EQ(history.back(), "T2");
    Dialog().AddFindHistory("T5");
    history = Dialog().GetFindHistory();
    EXPECT_EQ(history.size(), size_t(FIND_HISTORY_SIZE));
    EXPECT_EQ(history.front(), "T5");
    EXPECT_EQ(std::count(history.begin(), history.end(), "T5"), 1);
    Dialog().AddFindHistory("t5");
    EXPECT_EQ(Dialog().GetFindHistory()[1], "T5");
    EXPECT_EQ(Control<QComboBox>("1333")->itemText(0), "t5");
    EXPECT_EQ(Control<QComboBox>("1333")->count(), FIND_HISTORY_SIZE);
}

TEST_F(FindReplaceDialogTest, AdvancedOptionsGiveTheIgnoreMaskAndFoldAway)
{
    Dialog().Show(FALSE);
    const int folded = Dialog().height();
    Control<QCheckBox>("1317")->click();
    EXPECT_GT(Dialog().height(), folded);
    QListWidget* available = Control<QListWidget>("1310");
    QListWidget* ignored = Control<QListWidget>("1309");
    ASSERT_EQ(available->count(), 4);
    available->setCurrentRow(1); // sorted: "All Coils"
    Control<QPushButton>("1315")->click();
    Control<QPushButton>("1315")->click();
    EXPECT_EQ(ignored->count(), 1);
    Control<QPushButton>("1316")->click();
    EXPECT_EQ(ignored->count(), 4);

    Search("%I0.0", "1320");
    Control<QPushButton>("1022")->click();
    EXPECT_EQ(m_app->Find.LdIgnoreMask, 15);
    ignored->setCurrentRow(0);
    Control<QPushButton>("1313")->click();
    EXPECT_EQ(ignored->count(), 3);
    Control<QCheckBox>("1317")->click();
    EXPECT_EQ(Dialog().height(), folded);
    EXPECT_EQ(ignored->count(), 0);
}

TEST_F(FindReplaceDialogTest, HelpAndCancel)
{
    Dialog().Show(FALSE);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Dialog()));
    Control<QPushButton>("3")->click();
    QTest::keyClick(Control<QComboBox>("1333"), Qt::Key_F1);
    ASSERT_EQ(m_ui.help.Requests().size(), 2u);
    EXPECT_EQ(m_ui.help.Requests()[0].topic, "bianji-IL");
    EXPECT_EQ(m_ui.help.Requests()[1].topic, "bianji-IL");
    QTest::keyClick(&Dialog(), Qt::Key_Escape);
    EXPECT_FALSE(Dialog().isVisible());
    EXPECT_EQ(m_app->Find.DialogMode, 0);
}

// A monitor frame whose cancel path is the one the main window offers.
class CFindClosingMonitorFrame : public CEditorMonitorFrame {
public:
    explicit CFindClosingMonitorFrame(IPOUWorkbenchHost& workbench) : m_workbench(workbench) {}
    void CloseFindReplaceDialog() override { ::CloseFindReplaceDialog(m_workbench.GetFindReplaceDialog()); }

private:
    IPOUWorkbenchHost& m_workbench;
};

class CNoCompiler : public IProjectCompiler {
public:
    BOOL CompileAll() override { return FALSE; }
};

TEST_F(FindReplaceDialogTest, StartingToMonitorClosesTheDialog)
{
    Dialog().Show(FALSE);
    ASSERT_TRUE(Dialog().isVisible());
    // No PLC answers: the switch-on is refused once the dialog is closed.
    const std::string port = g_PlcCommPort.PortName;
    g_PlcCommPort.PortName = m_folder / "no-port";
    CFindClosingMonitorFrame frame(m_workbench);
    CNoCompiler compiler;
    {
        CMonitorCommand command(frame, compiler);
        command.ToggleMonitor();
    }
    g_PlcCommPort.PortName = port;
    EXPECT_FALSE(Dialog().isVisible());
    EXPECT_EQ(m_app->Find.DialogMode, 0);
    ASSERT_FALSE(m_ui.box.Texts().empty());
    EXPECT_EQ(m_ui.box.Texts().front(), "Please close 'Find/Replace..' dialog at first!");
    EXPECT_EQ(m_app->Monitoring.load(), 0);
}
