// Real key, mouse, wheel and scroll-bar events on the code view of an IL POU reach the
// IL editor: typed text, a gutter click, a drag and the wheel.

#include "POUWindowFixture.h"

#include "pouedit/CILEditor.h"
#include "pouedit/CILProgram.h"
#include "platform/ui/CScrollBar.h"
#include "support/FileBytes.h"

#include <QApplication>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

namespace {

constexpr int BODY_LINES = 200;
constexpr int WHEEL_NOTCH = 120;

} // namespace

class POUEditorInputTest : public POUWindowFixture {
protected:
    CILEditor* OpenIL()
    {
        std::string text = "(*1*)\r\n(* Network 0 *)\r\n";
        for (int i = 0; i < BODY_LINES; ++i)
            text += "LD      %I0.0\r\n";
        const std::string path = m_folder / "MAIN_MAIN.ilp";
        WriteFileText(path, text);
        if (!OpenWindow(path, POU_LANGUAGE_IL))
            return nullptr;
        m_program = dynamic_cast<CILProgram*>(m_doc->GetProgram());
        return m_program ? &m_program->GetILEditor() : nullptr;
    }
    QPoint AtLine(const CILEditor& editor, int line, int x) const
    {
        return QPoint(x, line * editor.GetLineHeight() + editor.GetLineHeight() / 2);
    }

    CILProgram* m_program = nullptr;
};

TEST_F(POUEditorInputTest, TypedKeysEditTheCaretLine)
{
    CILEditor* editor = OpenIL();
    ASSERT_NE(editor, nullptr);
    editor->SetCaret(1, 0);

    QTest::keyClicks(m_view, "AB");
    WaitFor([&] { return editor->GetCaretColumn() == 2; });
    EXPECT_EQ(editor->GetCaretLine(), 1);
    EXPECT_EQ(m_program->GetLines()[1].substr(0, 4), "ABLD");

    QTest::keyClick(m_view, Qt::Key_Backspace);
    WaitFor([&] { return editor->GetCaretColumn() == 1; });
    EXPECT_EQ(m_program->GetLines()[1].substr(0, 3), "ALD");
}

TEST_F(POUEditorInputTest, GutterClickSelectsTheLineAndADragSelectsText)
{
    CILEditor* editor = OpenIL();
    ASSERT_NE(editor, nullptr);

    QTest::mouseClick(m_view, Qt::LeftButton, Qt::NoModifier, AtLine(*editor, 2, editor->GetGutterWidth() / 2));
    WaitFor([&] { return editor->HasSelection() != FALSE; });
    int startLine = 0, startColumn = 0, endLine = 0, endColumn = 0;
    editor->GetSelection(startLine, startColumn, endLine, endColumn);
    EXPECT_EQ(startLine, 2);
    EXPECT_EQ(startColumn, 0);
    EXPECT_GE(endLine, 2);

    const int textStart = editor->GetGutterWidth() + editor->GetMonitorColumnWidth();
    const int charWidth = editor->GetCharWidth();
    QTest::mousePress(m_view, Qt::LeftButton, Qt::NoModifier, AtLine(*editor, 1, textStart + charWidth / 4));
    QTest::mouseMove(m_view, AtLine(*editor, 3, textStart + 2 * charWidth + charWidth / 4));
    QTest::mouseRelease(m_view, Qt::LeftButton, Qt::NoModifier, AtLine(*editor, 3, textStart + 2 * charWidth + charWidth / 4));
    WaitFor([&] { return editor->GetCaretLine() == 3; });
    editor->GetSelection(startLine, startColumn, endLine, endColumn);
    EXPECT_TRUE(editor->HasSelection());
    EXPECT_EQ(startLine, 1);
    EXPECT_EQ(startColumn, 0);
    EXPECT_EQ(endLine, 3);
    EXPECT_EQ(endColumn, 2);
}

TEST_F(POUEditorInputTest, WheelScrollsTheView)
{
    CILEditor* editor = OpenIL();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->GetScrollPosition(POU_SCROLL_VERT, FALSE), 0);

    const QPoint inside(m_view->width() / 2, m_view->height() / 2);
    QWheelEvent wheel(inside, m_view->mapToGlobal(inside), QPoint(), QPoint(0, -WHEEL_NOTCH), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(m_view, &wheel);
    WaitFor([&] { return editor->GetScrollPosition(POU_SCROLL_VERT, FALSE) > 0; });
    EXPECT_GT(editor->GetScrollPosition(POU_SCROLL_VERT, FALSE), 0);
}

TEST_F(POUEditorInputTest, ScrollBarStepScrollsTheView)
{
    CILEditor* editor = OpenIL();
    ASSERT_NE(editor, nullptr);
    CScrollBar* bar = m_view->GetOwnScrollBar(SB_VERT);
    ASSERT_NE(bar, nullptr);

    bar->Bar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    WaitFor([&] { return editor->GetScrollPosition(POU_SCROLL_VERT, FALSE) > 0; });
    EXPECT_GT(editor->GetScrollPosition(POU_SCROLL_VERT, FALSE), 0);
}
