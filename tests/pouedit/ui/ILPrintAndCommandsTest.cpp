// The IL POU window's printout to PDF and its editing and force commands
// routed through the code view.

#include "POUWindowFixture.h"

#include "platform/CClipboard.h"
#include "platform/ui/CQtPrintDevice.h"
#include "pouedit/CILEditor.h"
#include "pouedit/CILProgram.h"
#include "pouedit/ui/CPOUEditorView.h"
#include "support/FileBytes.h"

#include <QPrinter>

#include <gtest/gtest.h>

#include <regex>

namespace {

// Pages of a PDF file: its page objects.
int PdfPageCount(const std::string& path)
{
    const std::string bytes = ReadFileText(path);
    const std::regex page("/Type\\s*/Page[^s]");
    return static_cast<int>(std::distance(std::sregex_iterator(bytes.begin(), bytes.end(), page), std::sregex_iterator()));
}

} // namespace

class ILPrintAndCommandsTest : public POUWindowFixture {
protected:
    CILEditor* OpenIL(int bodyLines)
    {
        std::string text = "(*1*)\r\n(* Network 0 *)\r\n";
        for (int i = 0; i < bodyLines; ++i)
            text += "LD      %I0.0\r\n";
        const std::string path = m_folder / "MAIN_MAIN.ilp";
        WriteFileText(path, text);
        if (!OpenWindow(path, POU_LANGUAGE_IL))
            return nullptr;
        m_program = dynamic_cast<CILProgram*>(m_doc->GetProgram());
        return m_program ? &m_program->GetILEditor() : nullptr;
    }

    CILProgram* m_program = nullptr;
};

TEST_F(ILPrintAndCommandsTest, PrintoutHasACoverAndTheTextPagesItCounted)
{
    CILEditor* editor = OpenIL(100);
    ASSERT_NE(editor, nullptr);
    m_app->Project.ProjectName = "Plant";
    const std::string pdf = m_folder / "MAIN.pdf";
    std::unique_ptr<QPrinter> printer = CQtPrintDevice::MakePdfPrinter(pdf);
    CQtPrintDevice device(printer.get(), FALSE);
    ASSERT_TRUE(m_view->PrintOn(device));
    printer.reset();
    EXPECT_EQ(PdfPageCount(pdf), 3);
    EXPECT_EQ(editor->GetCaretLine(), 0);
    EXPECT_EQ(editor->GetCaretColumn(), 0);
}

TEST_F(ILPrintAndCommandsTest, PrintedRowsBreakLongLinesWithoutSplittingCharacters)
{
    CILEditor* editor = OpenIL(0);
    ASSERT_NE(editor, nullptr);
    const std::string zhong = "\xD6\xD0";
    struct Case {
        std::string line;
        std::vector<std::string> rows;
    };
    const Case cases[] = {
        {"ABC", {"ABC"}},
        {"ABCD", {"ABCD", ""}},
        {"ABCDEFGHI", {"ABCD", "EFGH", "I"}},
        // A double-byte character across a row boundary moves to the next row whole.
        {"ABC" + zhong + "DE", {"ABC", zhong + "DE"}},
        {zhong + zhong + "AB", {zhong + zhong, "AB"}},
    };
    for (const Case& c : cases) {
        m_program->GetLines() = {c.line};
        std::vector<std::string> rows;
        editor->BuildPrintRows(4, rows);
        EXPECT_EQ(rows, c.rows) << c.line;
    }
}

TEST_F(ILPrintAndCommandsTest, EditingCommandsReachTheEditorThroughTheView)
{
    CILEditor* editor = OpenIL(2);
    ASSERT_NE(editor, nullptr);
    CClipboard::Get().Empty();
    editor->SetSelection(1, 8, 1, 13);
    ASSERT_TRUE(IsEnabled(ID_EDIT_COPY));
    RunCommand(ID_EDIT_COPY);
    std::string copied;
    ASSERT_TRUE(CClipboard::Get().GetText(&copied));
    EXPECT_EQ(copied, "%I0.0");

    editor->SetCaret(2, 0);
    ASSERT_TRUE(IsEnabled(ID_EDIT_PASTE));
    RunCommand(ID_EDIT_PASTE);
    EXPECT_EQ(m_program->GetLines()[2], "%I0.0LD %I0.0");
    EXPECT_TRUE(IsEnabled(ID_EDIT_UNDO));
    RunCommand(ID_EDIT_UNDO);
    EXPECT_EQ(m_program->GetLines()[2], "LD      %I0.0");
    RunCommand(ID_EDIT_REDO);
    EXPECT_EQ(m_program->GetLines()[2], "%I0.0LD %I0.0");

    RunCommand(ID_EDIT_SELECT_ALL);
    EXPECT_TRUE(editor->HasSelection());
    EXPECT_EQ(editor->GetCaretLine(), m_program->GetLineCount() - 1);
}

TEST_F(ILPrintAndCommandsTest, ForceCommandsWorkOnlyWhileMonitoring)
{
    CILEditor* editor = OpenIL(2);
    ASSERT_NE(editor, nullptr);
    m_program->GetLines()[2] = "ST      %Q0.1";
    editor->SetCaret(2, 10);
    m_app->Monitoring = 1;
    editor->PickForceOperand();
    ASSERT_TRUE(IsEnabled(ID_FORCE_TRUE));
    ASSERT_FALSE(IsEnabled(ID_EDIT_PASTE));
    m_workbench.calls.clear();
    RunCommand(ID_FORCE_TRUE);
    RunCommand(ID_FORCE_FALSE);
    RunCommand(ID_UNFORCE);
    EXPECT_EQ(m_workbench.calls,
              (std::vector<std::string> {"ForceAddress:%Q0.1=1", "ForceAddress:%Q0.1=0", "UnforceAddress:%Q0.1"}));
    m_app->Monitoring = 0;
}
