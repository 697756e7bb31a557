// The child windows of the running workbench as a person sees them: a POU
// switched from LD back to IL is painted anew as a whole, and closing the
// maximised window leaves the next one maximised.

#include "WorkbenchFixture.h"

#include "model/CZULAppData.h"
#include "platform/ui/CCPGridView.h"
#include "platform/ui/CMDIChildWnd.h"
#include "pouedit/ui/CFindReplaceDlg.h"
#include "pouedit/ui/CPOUEditorDoc.h"
#include "pouedit/ui/CPOUEditorView.h"

#include "support/ModalScript.h"
#include "toolkit/commandbars/CTKCommandBars.h"
#include "toolkit/commandbars/CTKMenuBar.h"
#include "toolkit/docking/CTKDockingPaneAutoHideStrip.h"
#include "toolkit/docking/CTKDockingPaneAutoHideWnd.h"
#include "toolkit/docking/CTKDockingPaneItem.h"
#include "toolkit/docking/CTKDockingPaneLayout.h"
#include "toolkit/docking/CTKDockingPaneTabbedContainer.h"
#include "toolkit/docking/tabs/CTKTabItem.h"

#include <QCursor>
#include <QPaintEvent>
#include <QRegion>
#include <QTableView>
#include <QTest>

namespace {

constexpr UINT ID_NEW_PROJECT = 32695;
constexpr UINT ID_GLOBAL_VARIABLE = 32936;
constexpr UINT ID_STATUS_CHART = 32932;
constexpr UINT ID_CROSS_REFERENCE = 32928;
constexpr UINT ID_WINDOW_MENU_CLOSE = 32910;

// Collects the areas that a widget paints.
class PaintRecorder : public QObject {
public:
    explicit PaintRecorder(QWidget* widget) : m_widget(widget) { widget->installEventFilter(this); }
    ~PaintRecorder() override
    {
        if (m_widget)
            m_widget->removeEventFilter(this);
    }
    const QRegion& Painted() const { return m_painted; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_widget && event->type() == QEvent::Paint)
            m_painted += static_cast<QPaintEvent*>(event)->region();
        return false;
    }

private:
    QPointer<QWidget> m_widget;
    QRegion m_painted;
};

// Dark pixels (text, rules) in a band of a widget as it paints itself now.
int InkPixels(QWidget* widget, int bandHeight = 0)
{
    const QImage image = widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
    constexpr int kDark = 128;
    const int rows = bandHeight > 0 ? std::min(bandHeight, image.height()) : image.height();
    int count = 0;
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            count += std::max({qRed(pixel), qGreen(pixel), qBlue(pixel)}) < kDark ? 1 : 0;
        }
    return count;
}

class ChildWindowsTest : public WorkbenchFixture {
protected:
    CPOUEditorDoc* NewILProject()
    {
        Start();
        App().DefaultPOULang = 1;
        AnswerFileDialog(m_folder / "Mixer.qpj");
        Command(ID_NEW_PROJECT);
        EXPECT_EQ(App().ProjectOpen, 1);
        m_frame->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(m_frame));
        return m_frame->GetActivePOUDocument();
    }
};

} // namespace

TEST_F(ChildWindowsTest, ViewILAfterLDPaintsTheWholeEditor)
{
    CPOUEditorDoc* main = NewILProject();
    ASSERT_NE(main, nullptr);
    CPOUEditorView* view = main->GetEditorView();
    ASSERT_NE(view, nullptr);
    Command(ID_LANGUAGE_LD);
    ASSERT_EQ(main->GetLanguage(), POU_LANGUAGE_LD);
    QCoreApplication::processEvents();

    PaintRecorder recorder(view);
    Command(ID_LANGUAGE_IL);
    ASSERT_EQ(main->GetLanguage(), POU_LANGUAGE_IL);
    // The client area, without the scroll bars, which paint themselves.
    CRect client;
    view->GetClientRect(&client);
    const QRegion clientArea(QRect(0, 0, client.Width(), client.Height()));
    EXPECT_TRUE(QTest::qWaitFor([&]() { return (clientArea - recorder.Painted()).isEmpty(); }))
        << "only part of the editor was painted after the switch";
}

// An open menu and the flyout of an auto-hidden pane lie over the editor and
// the Output pane; both keep painting what they show (the caret may blink
// away, nothing more).
TEST_F(ChildWindowsTest, TheEditorAndTheOutputCaptionKeepTheirContentUnderAMenuAndAFlyout)
{
    CPOUEditorDoc* main = NewILProject();
    ASSERT_NE(main, nullptr);
    CPOUEditorView* editor = main->GetEditorView();
    QTest::keyClicks(editor, "LD      %I0.0");
    QTest::keyClick(editor, Qt::Key_Return);
    QTest::keyClicks(editor, "ST      %Q0.0");
    CTKDockingPaneHost& host = m_frame->GetPaneHost();
    CTKDockingPaneTabbedContainer* output = host.FindPane(ID_PANE_OUTPUT)->GetContainer();
    ASSERT_NE(output, nullptr);
    constexpr int kCaptionBand = 18;
    const int editorInk = InkPixels(editor);
    const int captionInk = InkPixels(output, kCaptionBand);
    ASSERT_GT(editorInk, 0);
    ASSERT_GT(captionInk, 0);
    const auto showsContent = [&](const char* while_) {
        EXPECT_TRUE(editor->isVisible() && editor->updatesEnabled()) << while_;
        EXPECT_GE(InkPixels(editor) * 10, editorInk * 9) << "editor blank " << while_;
        EXPECT_TRUE(output->isVisible()) << while_;
        EXPECT_EQ(InkPixels(output, kCaptionBand), captionInk) << "Output caption blank " << while_;
    };

    CTKMenuBar* menuBar = m_frame->GetCommandBars()->GetMenuBar();
    constexpr int kEditMenu = 1;
    ASSERT_TRUE(menuBar->SetPopuped(kEditMenu, FALSE));
    showsContent("while the Edit menu is open");
    QTest::keyClick(m_frame, Qt::Key_Escape);
    QTest::keyClick(m_frame, Qt::Key_Escape);
    ASSERT_TRUE(QTest::qWaitFor([&] { return menuBar->GetTrackingMode() == 0; }));

    CTKDockingPaneItem* workspace = host.FindPane(ID_PANE_WORKSPACE);
    host.AutoHidePane(workspace);
    m_frame->RecalcLayout();
    CTKDockingPaneAutoHideStrip* strip = host.GetLayout()->GetStrip(CTKDockingPaneHost::kDockLeft);
    ASSERT_NE(strip, nullptr);
    ASSERT_EQ(workspace->GetContainer()->GetParentNode(), strip);
    // The pointer rests on the strip's tab, which keeps the flyout out.
    const CPoint tab = strip->GetTabGroup(0)->GetTab(0)->GetRect().CenterPoint();
    QCursor::setPos(strip->mapToGlobal(QPoint(tab.x, tab.y)));
    strip->SlideOut(workspace, FALSE);
    ASSERT_NE(strip->GetSlideWnd(), nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] {
        const CTKDockingPaneAutoHideWnd* flyout = strip->GetSlideWnd();
        return flyout != nullptr && flyout->GetStep() == flyout->GetSteps() - 1;
    }));
    showsContent("while the Workspace flyout shows");
}

TEST_F(ChildWindowsTest, ClosingTheMaximisedWindowLeavesTheNextOneMaximised)
{
    ASSERT_NE(NewILProject(), nullptr);
    Command(ID_GLOBAL_VARIABLE);
    Command(ID_STATUS_CHART);
    CMDIChildWnd* chart = m_frame->MDIGetActive();
    ASSERT_NE(chart, nullptr);
    m_frame->MDIMaximize(chart);
    ASSERT_TRUE(chart->IsMaximized());

    QPointer<CMDIChildWnd> closing(chart);
    Command(ID_WINDOW_MENU_CLOSE);
    ASSERT_TRUE(QTest::qWaitFor([&]() { return closing.isNull() || !closing->isVisible(); }));
    CMDIChildWnd* next = m_frame->MDIGetActive();
    ASSERT_NE(next, nullptr);
    EXPECT_NE(next, closing.data());
    EXPECT_TRUE(next->IsMaximized());
}

// Window > Close on a modified POU asks whether to save it; Cancel keeps the
// window and the edit, No closes it without writing the file.
TEST_F(ChildWindowsTest, WindowCloseOnAModifiedPOUAsksAndCancelKeepsIt)
{
    CPOUEditorDoc* main = NewILProject();
    ASSERT_NE(main, nullptr);
    CPOUEditorView* view = main->GetEditorView();
    QTest::keyClicks(view, "LD %I0.0");
    ASSERT_TRUE(main->IsModified());
    std::string title = main->GetTitle();
    title.erase(title.find('*') == std::string::npos ? title.size() : title.find('*'));
    QPointer<CMDIChildWnd> frame(m_frame->MDIGetActive());
    ASSERT_FALSE(frame.isNull());

    m_ui.box.Clear();
    m_ui.box.Answer(IDCANCEL);
    Command(ID_WINDOW_MENU_CLOSE);
    ASSERT_TRUE(QTest::qWaitFor([&]() { return m_ui.box.Texts().size() == size_t(1); })) << m_ui.box.Texts().size();
    EXPECT_EQ(m_ui.box.Texts()[0], "Do you want to save the changes to " + title + " ?");
    QCoreApplication::processEvents();
    ASSERT_FALSE(frame.isNull());
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(m_frame->GetActivePOUDocument(), main);
    EXPECT_TRUE(main->IsModified());

    m_ui.box.Clear();
    m_ui.box.Answer(IDNO);
    Command(ID_WINDOW_MENU_CLOSE);
    ASSERT_TRUE(QTest::qWaitFor([&]() { return frame.isNull() || !frame->isVisible(); }));
    EXPECT_EQ(m_ui.box.Texts().size(), 1u);
}

// The editor's network and caret position leave the status bar with it; the
// editor brought back shows them again.
TEST_F(ChildWindowsTest, StatusBarShowsTheEditorsPositionOnlyWhileAnEditorIsInFront)
{
    CPOUEditorDoc* main = NewILProject();
    ASSERT_NE(main, nullptr);
    CMDIChildWnd* editor = m_frame->MDIGetActive();
    ASSERT_NE(editor, nullptr);
    CTKThemedStatusBar* status = m_frame->GetStatusBar();
    const auto showsPosition = [status]() {
        return status->GetPaneText(1).find("Network") != std::string::npos
            && status->GetPaneText(2).find("Col ") != std::string::npos;
    };
    main->GetEditorView()->update();
    ASSERT_TRUE(QTest::qWaitFor(showsPosition)) << status->GetPaneText(1) << "|" << status->GetPaneText(2);

    Command(ID_CROSS_REFERENCE);
    ASSERT_NE(m_frame->MDIGetActive(), editor);
    QCoreApplication::processEvents();
    EXPECT_EQ(status->GetPaneText(1), "");
    EXPECT_EQ(status->GetPaneText(2), "");

    m_frame->MDIActivate(editor);
    EXPECT_TRUE(QTest::qWaitFor(showsPosition)) << status->GetPaneText(1) << "|" << status->GetPaneText(2);
}

// Window > Close on the only window, an editor, leaves no place on the status bar.
TEST_F(ChildWindowsTest, ClosingTheLastEditorTakesItsPlaceOffTheStatusBar)
{
    CPOUEditorDoc* main = NewILProject();
    ASSERT_NE(main, nullptr);
    CTKThemedStatusBar* status = m_frame->GetStatusBar();
    main->GetEditorView()->update();
    ASSERT_TRUE(QTest::qWaitFor([status] { return !status->GetPaneText(1).empty(); }));

    Command(ID_WINDOW_MENU_CLOSE);
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_frame->MDIGetActive() == nullptr; }));
    QCoreApplication::processEvents();
    EXPECT_EQ(status->GetPaneText(1), "");
    EXPECT_EQ(status->GetPaneText(2), "");
}

// Find opened again without a selection offers the last search, in IL and in LD.
TEST_F(ChildWindowsTest, FindRemembersTheLastSearch)
{
    CPOUEditorDoc* main = NewILProject();
    ASSERT_NE(main, nullptr);
    Command(ID_EDIT_FIND);
    CFindReplaceDlg* dialog = m_frame->GetFindReplaceDialog();
    ASSERT_NE(dialog, nullptr);
    dialog->SetFindText("Lamp");
    dialog->OnFindNext();
    dialog->OnCancel();
    ASSERT_EQ(App().Find.LastFindText, "Lamp");

    Command(ID_EDIT_FIND);
    EXPECT_EQ(dialog->GetFindText(), "Lamp");
    dialog->OnCancel();

    Command(ID_LANGUAGE_LD);
    ASSERT_EQ(main->GetLanguage(), POU_LANGUAGE_LD);
    Command(ID_EDIT_FIND);
    EXPECT_EQ(dialog->GetFindText(), "Lamp");
    dialog->OnCancel();
}

// A table shows its active cell on the status bar while it is in front; a
// window that is neither editor nor table shows no position.
TEST_F(ChildWindowsTest, StatusBarShowsATablesCellOnlyWhileTheTableIsInFront)
{
    ASSERT_NE(NewILProject(), nullptr);
    CTKThemedStatusBar* status = m_frame->GetStatusBar();
    constexpr int kCellPane = 2;
    const std::string cellText = "  Row 2 , Col 2 ";
    const UINT tables[] = {ID_GLOBAL_VARIABLE, ID_STATUS_CHART};
    for (UINT command : tables) {
        SCOPED_TRACE(command);
        Command(command);
        CMDIChildWnd* table = m_frame->MDIGetActive();
        ASSERT_NE(table, nullptr);
        auto* view = ChildOf<CCPGridView>(table);
        ASSERT_NE(view, nullptr);
        QTableView* grid = view->GetGridCtrl().GetTableView();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier,
                          grid->visualRect(grid->model()->index(1, 1)).center());
        ASSERT_TRUE(QTest::qWaitFor([&] { return status->GetPaneText(kCellPane) == cellText; }))
            << status->GetPaneText(kCellPane);

        Command(ID_CROSS_REFERENCE);
        ASSERT_NE(m_frame->MDIGetActive(), table);
        QCoreApplication::processEvents();
        EXPECT_EQ(status->GetPaneText(1), "");
        EXPECT_EQ(status->GetPaneText(kCellPane), "");

        m_frame->MDIActivate(table);
        EXPECT_TRUE(QTest::qWaitFor([&] { return status->GetPaneText(kCellPane) == cellText; }))
            << status->GetPaneText(kCellPane);
    }
}
