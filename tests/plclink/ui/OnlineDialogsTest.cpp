#include "CLineGate.h"
#include "CPlcSimulator.h"
#include "LinkTestSupport.h"
#include "model/CZULAppData.h"
#include "plclink/CPlcCommPort.h"
#include "plclink/IOnlineDialogs.h"
#include "plclink/PlcPassword.h"
#include "plclink/PlcProtocol.h"
#include "plclink/ui/CAnimGifCtrl.h"
#include "plclink/ui/CColorIndicator.h"
#include "platform/ui/CColorStatic.h"
#include "plclink/ui/CCommSettingsDlg.h"
#include "plclink/ui/CDownloadDlg.h"
#include "plclink/ui/CPasswordDlg.h"
#include "plclink/ui/CPasswordInputDlg.h"
#include "plclink/ui/CPlcClockDlg.h"
#include "plclink/ui/CPlcInfoDlg.h"
#include "plclink/ui/RegisterPlclinkUiClasses.h"
#include "platform/ui/CSecureEdit.h"
#include "platform/ui/CListCtrl.h"
#include "platform/ui/CSettingsStore.h"
#include "support/FileBytes.h"
#include "support/ScriptedUi.h"
#include "support/TempFolder.h"

#include <QApplication>
#include <QCoreApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimeEdit>
#include <QTableWidget>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

template <class T>
T* Child(QWidget& dialog, const char* id)
{
    T* child = dialog.findChild<T*>(id);
    EXPECT_NE(child, nullptr) << id;
    return child;
}

QString Text(QWidget& dialog, const char* id)
{
    QLabel* label = Child<QLabel>(dialog, id);
    return label != nullptr ? label->text() : QString();
}

// Enter Password answered by the test: the password is sent as the dialog would.
class CScriptedPasswordEntry : public IOnlineDialogs {
public:
    void ShowPlcInfo() override {}
    void ShowPlcClock() override {}
    void ShowPassword() override {}
    int EnterPassword() override
    {
        ++asked;
        SendPlcPassword(password);
        return IDOK;
    }
    void ShowDownload() override {}
    void ShowCommSettings() override {}

    std::string password;
    int asked = 0;
};

} // namespace

class OnlineDialogsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(RegisterPlclinkUiClasses(&error)) << error;
        ASSERT_TRUE(sim.Start());
        port = std::make_unique<CScopedGlobalPort>(sim.SlavePath());
        previous = g_pAppData;
        g_pAppData = new CZULAppData;
        g_pAppData->Project.ProjectFolder = folder.Path();
        g_pAppData->Project.ProjectName = "Line 3";
    }

    void TearDown() override
    {
        port.reset();
        delete g_pAppData;
        g_pAppData = previous;
    }

    std::string RequestLetters() const
    {
        std::string letters;
        for (const std::vector<BYTE>& frame : sim.Requests())
            letters += static_cast<char>(frame[1]);
        return letters;
    }

    CScopedUi ui;
    CPlcSimulator sim;
    std::unique_ptr<CScopedGlobalPort> port;
    // The search sends dozens of probes that no PLC answers, each costing its time-out.
    CScopedTimeouts timeouts {300, 50};
    TempFolder folder;
    CZULAppData* previous = nullptr;
};

TEST_F(OnlineDialogsTest, PlcInformationShowsTheIdentificationAndRefreshes)
{
    PlcSimIdentity identity;
    identity.modules = {{0x16, 0}, {0x31, 4}};
    sim.SetIdentity(identity);
    ASSERT_EQ(OpenPlcPort(), PLC_OK);
    ASSERT_EQ(PlcReadInfo(), PLC_OK);
    g_pAppData->PlcRunState = 0;

    CPlcInfoDlg dialog;
    EXPECT_EQ(Text(dialog, "1224"), " 5.2.1");
    EXPECT_EQ(Text(dialog, "1228"), " STOP");
    EXPECT_EQ(Text(dialog, "1225"), " Plus, V1.1");
    EXPECT_FALSE(Text(dialog, "1226").isEmpty());
    EXPECT_EQ(Child<CColorIndicator>(dialog, "1211")->GetColor(), INDICATOR_RED);
    CListCtrl* modules = Child<CListCtrl>(dialog, "1197");
    ASSERT_EQ(modules->GetItemCount(), 2);
    EXPECT_EQ(modules->Table()->horizontalHeaderItem(2)->text(), "failure");
    EXPECT_EQ(modules->GetItemText(1, 0), "2");
    EXPECT_EQ(modules->GetItemText(1, 2), "4");

    sim.SetRunning(true);
    sim.ClearRequests();
    QTest::mouseClick(Child<QPushButton>(dialog, "1582"), Qt::LeftButton);
    EXPECT_EQ(RequestLetters(), "AE");
    EXPECT_EQ(Text(dialog, "1228"), " RUN");
    EXPECT_EQ(Child<CColorIndicator>(dialog, "1211")->GetColor(), INDICATOR_GREEN);
    EXPECT_TRUE(ui.box.Messages().empty());

    // The columns share the list's width: 1/9, 1/5, 1/9 and 5/9.
    dialog.show();
    CRect client;
    modules->GetClientRect(&client);
    EXPECT_EQ(modules->GetColumnWidth(0), client.Width() / 9);
    EXPECT_EQ(modules->GetColumnWidth(3), client.Width() * 5 / 9);
    EXPECT_TRUE(dialog.grab().save(QCoreApplication::applicationDirPath() + "/plc_information.png"));
}

TEST_F(OnlineDialogsTest, ClockShowsThePlcTimeSetsItAndStopsReadingAfterAFailure)
{
    sim.SetClock({0x45, 0x07, 0x17, 0x10, 0x20, 0x30});
    ASSERT_EQ(OpenPlcPort(), PLC_OK);
    ASSERT_EQ(PlcReadClock(), PLC_OK);
    {
        CPlcClockDlg dialog;
        EXPECT_EQ(Child<QDateEdit>(dialog, "1159")->date(), QDate(2037, 7, 17));
        EXPECT_EQ(Child<QTimeEdit>(dialog, "1160")->time(), QTime(10, 20, 30));
        EXPECT_FALSE(Child<QDateEdit>(dialog, "1159")->isEnabled());
        EXPECT_EQ(Child<QDateEdit>(dialog, "1157")->minimumDate(), QDate(2000, 1, 1));
        EXPECT_EQ(Child<QDateEdit>(dialog, "1157")->maximumDate(), QDate(2037, 12, 31));
        EXPECT_EQ(Child<CColorIndicator>(dialog, "1193")->GetColor(), INDICATOR_GREEN);

        Child<QDateEdit>(dialog, "1157")->setDate(QDate(2011, 7, 17));
        Child<QTimeEdit>(dialog, "1158")->setTime(QTime(10, 20, 30));
        QTest::mouseClick(Child<QPushButton>(dialog, "1156"), Qt::LeftButton);
        EXPECT_EQ(sim.LastClockWrite(), (std::vector<BYTE>{0x11, 0x07, 0x17, 0x10, 0x20, 0x30, 0x07, 0x00}));
        // The edited modify time is kept by the timer.
        dialog.OnTimer();
        EXPECT_EQ(Child<QTimeEdit>(dialog, "1158")->time(), QTime(10, 20, 30));

        sim.SetClock({0x12, 0x01, 0x02, 0x03, 0x04, 0x05});
        sim.ClearRequests();
        dialog.OnTimer();
        dialog.OnTimer();
        EXPECT_EQ(RequestLetters(), "C");
        EXPECT_EQ(Child<QDateEdit>(dialog, "1159")->date(), QDate(2012, 1, 2));

        sim.SetClock({0x12, 0x1F, 0x02, 0x03, 0x04, 0x05});
        for (int k = 0; k < 3; ++k)
            dialog.OnTimer();
        EXPECT_TRUE(dialog.HasReadError());
        EXPECT_EQ(Child<CColorIndicator>(dialog, "1193")->GetColor(), INDICATOR_YELLOW);
        EXPECT_EQ(Child<QDateEdit>(dialog, "1159")->date(), QDate(2012, 1, 2));
        ASSERT_EQ(ui.box.Messages().size(), 1u);
        EXPECT_EQ(ui.box.Messages()[0].caption, "Communication error");
        sim.ClearRequests();
        for (int k = 0; k < 3; ++k)
            dialog.OnTimer();
        EXPECT_TRUE(sim.Requests().empty());
    }
    EXPECT_FALSE(g_PlcCommPort.IsOpen());
}

TEST_F(OnlineDialogsTest, PasswordDialogEnablesItsFieldsByLevelAndSendsTheChange)
{
    CPasswordDlg dialog;
    CSecureEdit* newPassword = Child<CSecureEdit>(dialog, "1188");
    CSecureEdit* confirmation = Child<CSecureEdit>(dialog, "1191");
    EXPECT_TRUE(Child<QRadioButton>(dialog, "1101")->isChecked());
    EXPECT_FALSE(newPassword->isEnabled());
    EXPECT_FALSE(confirmation->isEnabled());
    EXPECT_EQ(newPassword->GetLimitText(), 8);

    QTest::mouseClick(Child<QRadioButton>(dialog, "1104"), Qt::LeftButton);
    EXPECT_TRUE(newPassword->isEnabled());
    EXPECT_FALSE(confirmation->isEnabled());
    QTest::keyClicks(newPassword, "ab");
    EXPECT_TRUE(confirmation->isEnabled());
    QTest::keyClicks(confirmation, "ab");
    // The edit keeps its text to itself until the dialog arms it.
    EXPECT_EQ(newPassword->GetWindowText(), "");

    QTest::mouseClick(Child<QPushButton>(dialog, "3"), Qt::LeftButton);
    EXPECT_EQ(RequestLetters(), "O");
    EXPECT_EQ(sim.PrivilegeLevel(), CPlcSimulator::LevelPartial);
    EXPECT_EQ(ui.box.Texts().back(), "Password modified successfully and the new password takes effect.");
    EXPECT_FALSE(g_PlcCommPort.IsOpen());

    QTest::mouseClick(Child<QRadioButton>(dialog, "1101"), Qt::LeftButton);
    newPassword->Arm();
    EXPECT_EQ(newPassword->GetWindowText(), "");
    EXPECT_FALSE(newPassword->isEnabled());
    ui.box.Clear();
    sim.ClearRequests();
    QTest::mouseClick(Child<QPushButton>(dialog, "3"), Qt::LeftButton);
    EXPECT_EQ(ui.box.Texts(), std::vector<std::string>{"Please enter the old password."});
    EXPECT_TRUE(sim.Requests().empty());
}

TEST_F(OnlineDialogsTest, EnterPasswordSendsTheTypedPasswordOnOk)
{
    sim.SetPassword("secret", CPlcSimulator::LevelMinimum);
    ASSERT_EQ(OpenPlcPort(), PLC_OK);
    {
        CPasswordInputDlg dialog;
        QTest::keyClicks(Child<CSecureEdit>(dialog, "1228"), "secret");
        QTest::mouseClick(Child<QPushButton>(dialog, "1"), Qt::LeftButton);
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_TRUE(sim.Authorised());
    }
    sim.ClearRequests();
    CPasswordInputDlg empty;
    QTest::mouseClick(Child<QPushButton>(empty, "1"), Qt::LeftButton);
    EXPECT_EQ(empty.result(), QDialog::Accepted);
    EXPECT_TRUE(sim.Requests().empty());
    CPasswordInputDlg cancelled;
    QTest::mouseClick(Child<QPushButton>(cancelled, "2"), Qt::LeftButton);
    EXPECT_EQ(cancelled.result(), QDialog::Rejected);
}

TEST_F(OnlineDialogsTest, DownloadDialogSendsTheImageWithItsOptions)
{
    std::vector<BYTE> image(260, 0x5A);
    WriteFileBytes(folder / "Line 3.obj", image);
    g_pAppData->DownloadNoteText = "Connected PLC: CPU VB14";
    sim.SetPassword("pw", CPlcSimulator::LevelPartial);
    CScriptedPasswordEntry entry;
    entry.password = "pw";
    CDownloadDlg dialog(entry);
    CColorStatic* note = Child<CColorStatic>(dialog, "1234");
    EXPECT_FALSE(Child<QCheckBox>(dialog, "1230")->isChecked());
    EXPECT_TRUE(Child<QCheckBox>(dialog, "1231")->isChecked());
    EXPECT_TRUE(Child<QCheckBox>(dialog, "1232")->isChecked());
    EXPECT_EQ(note->text(), "Connected PLC: CPU VB14");
    EXPECT_EQ(note->GetTextColor(), 0x0000FFu);
    EXPECT_EQ(Child<QProgressBar>(dialog, "1229")->value(), 0);

    QTest::mouseClick(Child<QCheckBox>(dialog, "1230"), Qt::LeftButton);
    EXPECT_TRUE(note->text().startsWith("Notice:\n  If this checkbox is not checked"));
    QTest::mouseClick(Child<QCheckBox>(dialog, "1231"), Qt::LeftButton);
    EXPECT_EQ(dialog.Options(), 0x03);
    QTest::mouseClick(Child<QCheckBox>(dialog, "1230"), Qt::LeftButton);
    EXPECT_EQ(note->text(), "Connected PLC: CPU VB14");
    EXPECT_EQ(dialog.Options(), 0x02);

    QTest::mouseClick(Child<QPushButton>(dialog, "1"), Qt::LeftButton);
    EXPECT_EQ(entry.asked, 1);
    image.insert(image.end(), 3, 0x02);
    EXPECT_EQ(sim.Image(), image);
    EXPECT_EQ(Text(dialog, "1233"), "Result: successful.");
    EXPECT_EQ(Child<QProgressBar>(dialog, "1229")->value(), 100);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(ui.output.StatusCodes(), std::vector<int>{2});
    EXPECT_FALSE(g_PlcCommPort.IsOpen());

    CDownloadDlg failing(entry);
    sim.InjectFault(PlcSimFault::Stall);
    QTest::mouseClick(Child<QPushButton>(failing, "1"), Qt::LeftButton);
    EXPECT_EQ(Text(failing, "1233"), "Result: failed");
    EXPECT_NE(failing.result(), QDialog::Accepted);
    EXPECT_TRUE(Child<QPushButton>(failing, "1")->isEnabled());
    EXPECT_EQ(ui.box.Messages().back().caption, "Communication error");
}

class CommSettingsDialogTest : public OnlineDialogsTest {
protected:
    void SetUp() override
    {
        OnlineDialogsTest::SetUp();
        g_PlcCommPort.Station = 3;
        g_PlcCommPort.BaudRate = 19200;
        g_PlcCommPort.ParityIndex = 2;
    }

    QString Current(QWidget& dialog, const char* id) { return Child<QComboBox>(dialog, id)->currentText(); }

    CSettingsStore settings {folder / "settings.ini", "OrvelBuilder"};
};

TEST_F(CommSettingsDialogTest, ShowsThePortSettingsAndStoresThemOnOk)
{
    CCommSettingsDlg dialog(settings, {"/dev/ttyS1", sim.SlavePath(), "/dev/ttyS0"});
    QComboBox* ports = Child<QComboBox>(dialog, "2042");
    ASSERT_EQ(ports->count(), 3);
    // Sorted: the pseudo-terminal under /dev/pts comes first.
    EXPECT_EQ(ports->itemText(0), QString::fromStdString(sim.SlavePath()));
    EXPECT_EQ(ports->itemText(2), "/dev/ttyS1");
    EXPECT_EQ(Current(dialog, "2042"), QString::fromStdString(sim.SlavePath()));
    EXPECT_EQ(Child<QComboBox>(dialog, "2047")->count(), 31);
    EXPECT_EQ(Current(dialog, "2047"), "3");
    EXPECT_EQ(Current(dialog, "2043"), "19200");
    EXPECT_EQ(Current(dialog, "2044"), "Even");
    EXPECT_EQ(Current(dialog, "2045"), "8");
    EXPECT_EQ(Current(dialog, "2046"), "1");
    Child<QComboBox>(dialog, "2045")->setCurrentIndex(0);
    EXPECT_EQ(Current(dialog, "2045"), "8");

    Child<QComboBox>(dialog, "2047")->setCurrentIndex(6);
    Child<QComboBox>(dialog, "2043")->setCurrentIndex(0);
    Child<QComboBox>(dialog, "2044")->setCurrentIndex(1);
    Child<QComboBox>(dialog, "2042")->setCurrentIndex(1);
    QTest::mouseClick(Child<QPushButton>(dialog, "1"), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(g_PlcCommPort.Station, 7);
    EXPECT_EQ(g_PlcCommPort.BaudRate, 1200);
    EXPECT_EQ(g_PlcCommPort.ParityIndex, 1);
    EXPECT_EQ(g_PlcCommPort.PortName, "/dev/ttyS0");
    EXPECT_EQ(settings.GetString("COM", "DestAddr"), "7");
    EXPECT_EQ(settings.GetString("COM", "PORT"), "/dev/ttyS0");
    EXPECT_EQ(settings.GetString("COM", "Baud"), "1200");
    EXPECT_EQ(settings.GetString("COM", "Parity"), "Odd");
    EXPECT_EQ(settings.GetString("COM", "DataBits"), "8");
    EXPECT_EQ(settings.GetString("COM", "StopBits"), "1");
}

TEST_F(CommSettingsDialogTest, SearchFindsThePlcAndShowsWhatItFound)
{
    sim.SetStation(2);
    CLineGate gate(sim.SlavePath(), 9600, 2);
    ASSERT_TRUE(gate.Start());
    g_PlcCommPort.PortName = gate.SlavePath();
    CCommSettingsDlg dialog(settings, {gate.SlavePath()});
    QSignalSpy finished(&dialog, &CCommSettingsDlg::SearchFinished);
    EXPECT_TRUE(dialog.Animation()->isHidden());
    QTest::mouseClick(Child<QPushButton>(dialog, "1238"), Qt::LeftButton);
    EXPECT_TRUE(dialog.IsSearching());
    EXPECT_FALSE(dialog.Animation()->isHidden());
    EXPECT_TRUE(dialog.Animation()->IsPlaying());
    EXPECT_TRUE(Child<QLabel>(dialog, "1247")->isHidden());
    ASSERT_TRUE(finished.wait(10000));
    EXPECT_TRUE(dialog.Animation()->isHidden());
    EXPECT_FALSE(dialog.Animation()->IsPlaying());
    EXPECT_FALSE(Child<QLabel>(dialog, "1247")->isHidden());
    EXPECT_EQ(finished.at(0).at(0).toInt(), 1);
    EXPECT_EQ(Current(dialog, "2047"), "2");
    EXPECT_EQ(Current(dialog, "2043"), "9600");
    EXPECT_EQ(Current(dialog, "2044"), "Even");
    EXPECT_EQ(Child<QLineEdit>(dialog, "1243")->text(), "Searching completed successfully.");
    EXPECT_TRUE(Child<QPushButton>(dialog, "1")->isEnabled());
    EXPECT_FALSE(g_PlcCommPort.IsOpen());
    // Nothing reaches the settings before OK.
    EXPECT_FALSE(settings.HasSection("COM"));
}

TEST_F(CommSettingsDialogTest, ClosingDuringASearchStopsItAndPutsTheSettingsBack)
{
    CLineGate gate(sim.SlavePath(), 1200, 2);
    ASSERT_TRUE(gate.Start());
    {
        CCommSettingsDlg dialog(settings, {gate.SlavePath()});
        QTest::mouseClick(Child<QPushButton>(dialog, "1238"), Qt::LeftButton);
        ASSERT_TRUE(dialog.IsSearching());
        // The search is under way once it has reported what it tries and
        // its posted state has reached the buttons.
        EXPECT_TRUE(QTest::qWaitFor([&] { return !Child<QLineEdit>(dialog, "1243")->text().isEmpty(); }, 10000));
        EXPECT_TRUE(QTest::qWaitFor([&] { return !Child<QPushButton>(dialog, "1")->isEnabled(); }, 10000));
        EXPECT_TRUE(Child<QPushButton>(dialog, "1240")->isEnabled());
        dialog.reject();
        EXPECT_FALSE(dialog.IsSearching());
    }
    // What the search posted before it ended changes nothing afterwards.
    QCoreApplication::processEvents();
    EXPECT_FALSE(g_PlcCommPort.IsOpen());
    EXPECT_EQ(g_PlcCommPort.Station, 3);
    EXPECT_EQ(g_PlcCommPort.BaudRate, 19200);
    EXPECT_EQ(g_PlcCommPort.ParityIndex, 2);
}

TEST_F(CommSettingsDialogTest, TheSearchAnimationIsTheProgramsOwnPicture)
{
    CCommSettingsDlg dialog(settings, {sim.SlavePath()});
    CAnimGifCtrl* animation = dialog.Animation();
    ASSERT_TRUE(animation->IsAnimatedGif());
    EXPECT_EQ(animation->ScreenSize(), QSize(100, 35));
    ASSERT_EQ(animation->Frames().size(), 7u);
    for (const CAnimGifCtrl::FrameRecord& frame : animation->Frames())
        EXPECT_EQ(frame.delay, 10);
    EXPECT_FALSE(animation->IsPlaying());
    QLabel* still = Child<QLabel>(dialog, "1247");
    EXPECT_EQ(still->pixmap().size(), QSize(100, 35));
}

TEST_F(OnlineDialogsTest, EveryOnlineDialogOpensItsTopicWithHelpAndF1)
{
    CSettingsStore settings {folder / "settings.ini", "OrvelBuilder"};
    PlcSimIdentity identity;
    identity.modules = {{0x16, 0}};
    sim.SetIdentity(identity);
    ASSERT_EQ(OpenPlcPort(), PLC_OK);
    ASSERT_EQ(PlcReadInfo(), PLC_OK);
    CScriptedPasswordEntry entry;
    struct Case {
        const char* name;
        std::function<std::unique_ptr<QDialog>()> make;
        const char* button;
        std::string topic;
        int context;
    };
    const Case cases[] = {
        {"PLC Information", [] { return std::make_unique<CPlcInfoDlg>(); }, "1583", "PLC-xinxi", 290},
        {"Password", [] { return std::make_unique<CPasswordDlg>(); }, "4", "shezhimima", 270},
        {"Enter Password", [] { return std::make_unique<CPasswordInputDlg>(); }, "1241", "shurumima", 271},
        {"Download", [&] { return std::make_unique<CDownloadDlg>(entry); }, "1242", "xiazaiduihua", 260},
        {"Communications", [&] { return std::make_unique<CCommSettingsDlg>(settings, std::vector<std::string>{}); },
         "1236", "PC\xBB\xFA\xCD\xA8\xD1\xB6\xC9\xE8\xD6\xC3", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ui.help.Clear();
        std::unique_ptr<QDialog> dialog = c.make();
        dialog->show();
        dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
        QTest::mouseClick(Child<QPushButton>(*dialog, c.button), Qt::LeftButton);
        QWidget* focus = QApplication::focusWidget() ? QApplication::focusWidget() : dialog.get();
        QTest::keyClick(focus, Qt::Key_F1);
        std::vector<RecordedHelp> requests = ui.help.Requests();
        ASSERT_EQ(requests.size(), 2u);
        for (const RecordedHelp& request : requests) {
            EXPECT_EQ(request.topic, c.topic);
            EXPECT_EQ(request.context, c.context);
        }
        dialog->reject();
    }
}

TEST_F(OnlineDialogsTest, TheClockDialogOpensItsTopicWithHelpAndF1)
{
    sim.SetClock({0x11, 0x07, 0x17, 0x10, 0x20, 0x30});
    ASSERT_EQ(OpenPlcPort(), PLC_OK);
    ASSERT_EQ(PlcReadClock(), PLC_OK);
    CPlcClockDlg dialog;
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    QTest::mouseClick(Child<QPushButton>(dialog, "1240"), Qt::LeftButton);
    QTest::keyClick(Child<QDateEdit>(dialog, "1157"), Qt::Key_F1);
    std::vector<RecordedHelp> requests = ui.help.Requests();
    ASSERT_EQ(requests.size(), 2u);
    for (const RecordedHelp& request : requests) {
        EXPECT_EQ(request.topic, "CPU-shizhong");
        EXPECT_EQ(request.context, 300);
    }
}

TEST_F(CommSettingsDialogTest, PicturesOfThePasswordDialogAndTheSearch)
{
    const QString folder = QCoreApplication::applicationDirPath();
    CPasswordDlg password;
    password.show();
    Child<QRadioButton>(password, "1104")->click();
    QTest::keyClicks(Child<CSecureEdit>(password, "999"), "old");
    QTest::keyClicks(Child<CSecureEdit>(password, "1188"), "new1");
    EXPECT_TRUE(password.grab().save(folder + "/password_dialog.png"));

    CLineGate gate(sim.SlavePath(), 1200, 2);
    ASSERT_TRUE(gate.Start());
    CCommSettingsDlg search(settings, {gate.SlavePath()});
    search.show();
    QTest::mouseClick(Child<QPushButton>(search, "1238"), Qt::LeftButton);
    ASSERT_TRUE(search.Animation()->IsPlaying());
    // The picture shows the animation once its thread has drawn a frame.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            QColor line = search.Animation()->CurrentImage().pixelColor(50, 16);
            return line == QColor(0x40, 0x40, 0x40) || line == QColor(0x00, 0x50, 0xC0);
        },
        2000));
    EXPECT_TRUE(search.grab().save(folder + "/communications_search.png"));
    search.reject();
}
