// The Qt side of the user-interface interfaces of the platform core.

#include "support/ScriptedUi.h"

#include "platform/Gbk.h"
#include "platform/ui/CQtMessageBox.h"
#include "platform/ui/CQtOutputSink.h"
#include "platform/ui/CQtStatusLine.h"
#include "platform/ui/CQtUiPoster.h"
#include "platform/ui/CQtUserInterface.h"
#include "platform/ui/CWnd.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

struct BoxCase {
    UINT type;
    QMessageBox::StandardButton press;   // NoButton: press Escape
    int answer;
    QMessageBox::Icon icon;
    QMessageBox::StandardButton defaultButton;
    int buttonCount;
};

TEST(QtMessageBoxTest, FlagsChooseButtonsIconAndDefaultAndTheAnswerIsTheButton)
{
    const BoxCase cases[] = {
        {MB_OK, QMessageBox::Ok, IDOK, QMessageBox::NoIcon, QMessageBox::Ok, 1},
        {MB_OK | MB_ICONINFORMATION, QMessageBox::NoButton, IDOK, QMessageBox::Information, QMessageBox::Ok, 1},
        {MB_OKCANCEL | MB_ICONERROR, QMessageBox::NoButton, IDCANCEL, QMessageBox::Critical, QMessageBox::Ok, 2},
        {MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2, QMessageBox::No, IDNO, QMessageBox::Question,
         QMessageBox::No, 3},
        {MB_YESNO | MB_ICONWARNING, QMessageBox::Yes, IDYES, QMessageBox::Warning, QMessageBox::Yes, 2},
        {MB_RETRYCANCEL | MB_DEFBUTTON3, QMessageBox::Retry, IDRETRY, QMessageBox::NoIcon, QMessageBox::Retry, 2},
        {MB_ABORTRETRYIGNORE | MB_DEFBUTTON3, QMessageBox::Ignore, IDIGNORE, QMessageBox::NoIcon,
         QMessageBox::Ignore, 3},
    };
    CQtMessageBox boxes;
    for (const BoxCase& c : cases) {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            seen = true;
            EXPECT_EQ(box->windowTitle(), QString::fromUtf8("提示"));
            EXPECT_EQ(box->text(), QString::fromUtf8("保存项目?"));
            EXPECT_EQ(box->icon(), c.icon);
            EXPECT_EQ(static_cast<int>(box->buttons().size()), c.buttonCount);
            EXPECT_EQ(box->standardButton(box->defaultButton()), c.defaultButton);
            if (c.press == QMessageBox::NoButton)
                QTest::keyClick(box, Qt::Key_Escape);
            else
                box->button(c.press)->click();
        });
        EXPECT_EQ(boxes.Show(Utf8ToGbk("提示"), Utf8ToGbk("保存项目?"), c.type), c.answer) << c.type;
        EXPECT_TRUE(seen) << c.type;
    }
}

TEST(QtMessageBoxTest, AWorkerThreadWaitsForTheAnswerOfTheUserInterfaceThread)
{
    CQtMessageBox boxes;
    QTimer clicker;
    QObject::connect(&clicker, &QTimer::timeout, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            box->button(QMessageBox::Cancel)->click();
    });
    clicker.start(5);
    std::atomic<int> answer{0};
    std::thread worker([&] { answer = boxes.Show("Note", "Done", MB_OKCANCEL); });
    EXPECT_TRUE(QTest::qWaitFor([&] { return answer != 0; }, 5000));
    worker.join();
    EXPECT_EQ(answer, IDCANCEL);
}

TEST(QtUiPosterTest, CallsFromWorkersRunLaterOnTheUserInterfaceThreadInOrder)
{
    CQtUiPoster poster;
    std::vector<int> ran;
    std::vector<bool> onUiThread;
    std::thread worker([&] {
        for (int i = 0; i < 3; ++i)
            poster.Post([&, i] {
                ran.push_back(i);
                onUiThread.push_back(QThread::currentThread() == qApp->thread());
            });
    });
    worker.join();
    EXPECT_TRUE(ran.empty());
    QCoreApplication::processEvents();
    EXPECT_EQ(ran, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(onUiThread, (std::vector<bool>{true, true, true}));

    bool ranAfterDeath = false;
    {
        CQtUiPoster shortLived;
        shortLived.Post([&] { ranAfterDeath = true; });
    }
    QCoreApplication::processEvents();
    EXPECT_FALSE(ranAfterDeath);
}

TEST(QtOutputSinkTest, LinesReachTheFrameOnTheUserInterfaceThreadAndBadListsAreRefused)
{
    CRecordingOutput frame;
    CQtOutputSink sink(&frame);
    EXPECT_FALSE(sink.AppendOutputLine(3, "lost"));
    EXPECT_TRUE(sink.AppendOutputLine(1, "Compiling MAIN"));
    std::thread worker([&] {
        sink.AppendOutputLine(0, "from worker");
        sink.LogStatusMessage(0, 2, 0);
        sink.ClearOutputList(2);
    });
    worker.join();
    EXPECT_EQ(frame.Lines(1), (std::vector<std::string>{"Compiling MAIN"}));
    EXPECT_TRUE(frame.Lines(0).empty());
    QCoreApplication::processEvents();
    EXPECT_EQ(frame.Lines(0), (std::vector<std::string>{"from worker"}));
    EXPECT_EQ(frame.StatusCodes(), (std::vector<int>{2}));

    CQtOutputSink unconnected;
    EXPECT_TRUE(unconnected.AppendOutputLine(2, "to stderr"));
}

TEST(QtStatusLineTest, TextsFromWorkersArePostedToTheStatusBar)
{
    CWnd bar;
    CQtStatusLine line(&bar);
    std::thread worker([&] { line.SetStatusText("Monitoring"); });
    worker.join();
    EXPECT_EQ(bar.GetWindowText(), "");
    QCoreApplication::processEvents();
    EXPECT_EQ(bar.GetWindowText(), "Monitoring");

    CQtStatusLine none;
    none.SetStatusText("nowhere");
}

} // namespace

TEST(QtUserInterfaceTest, ProgramInterfaceAsksWithQtBoxesAndRunsWorkerPostsOnTheUserInterfaceThread)
{
    {
        CQtUserInterface ui;
        EXPECT_NE(dynamic_cast<CQtMessageBox*>(&CUserInterface::MessageBox()), nullptr);
        EXPECT_NE(dynamic_cast<CQtStatusLine*>(&CUserInterface::StatusLine()), nullptr);

        // A question is put to the user, not declined unasked.
        QTimer clicker;
        QObject::connect(&clicker, &QTimer::timeout, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                box->button(QMessageBox::Yes)->click();
        });
        clicker.start(5);
        EXPECT_EQ(ShowMessage("Note", "Run the PLC now?", MB_YESNO | MB_ICONQUESTION), IDYES);
        clicker.stop();

        std::atomic<bool> ranOnUiThread {false};
        std::atomic<bool> ran {false};
        std::thread worker([&] {
            CUserInterface::Poster().Post([&] {
                ranOnUiThread = QThread::currentThread() == qApp->thread();
                ran = true;
            });
        });
        worker.join();
        EXPECT_FALSE(ran.load());
        EXPECT_TRUE(QTest::qWaitFor([&] { return ran.load(); }, 5000));
        EXPECT_TRUE(ranOnUiThread.load());
    }
    // Gone with the object: nothing points at the destroyed services.
    EXPECT_EQ(dynamic_cast<CQtMessageBox*>(&CUserInterface::MessageBox()), nullptr);
    EXPECT_EQ(dynamic_cast<CQtUiPoster*>(&CUserInterface::Poster()), nullptr);
}
