// The main road as a new user walks it through the real main window: the
// menus' commands as the menu bar sends them, modal dialogs answered with
// their own buttons, keys typed into the IL editor, and a simulated PLC on
// a pseudo-terminal that the Communications dialog finds in its port list.

#include "WorkbenchFixture.h"

#include "CPlcSimulator.h"
#include "support/CPseudoTerminal.h"

#include "hardware/canopen/ui/RegisterCanopenUiClasses.h"
#include "hardware/ui/RegisterHardwareUiClasses.h"
#include "model/CZULAppData.h"
#include "pid/ui/RegisterPidUiClasses.h"
#include "model/CpuProfile.h"
#include "platform/FileSystem.h"
#include "platform/ui/CCmdUI.h"
#include "platform/ui/CListCtrl.h"
#include "platform/ui/CMDIChildWnd.h"
#include "platform/ui/CSecureEdit.h"
#include "plclink/CPlcCommands.h"
#include "plclink/ui/CPasswordInputDlg.h"
#include "plclink/SerialPortList.h"
#include "ladder/CBlock.h"
#include "ladder/CLDProgram.h"
#include "pouedit/CILEditor.h"
#include "pouedit/CILProgram.h"
#include "pouedit/CPOUVarTable.h"
#include "pouedit/ui/CPOUEditorDoc.h"
#include "pouedit/ui/CPOUEditorView.h"
#include "pouedit/ui/CPOUVarView.h"
#include "shell/CGlobalVarTable.h"
#include "shell/CStatusChartTable.h"
#include "shell/ui/CGlobalVarView.h"
#include "shell/ui/COutputList.h"
#include "shell/ui/COutputView.h"
#include "shell/ui/CChildFrmEditor.h"
#include "shell/ui/CPOUDocTemplate.h"
#include "shell/ui/CPageGenSetting.h"
#include "shell/ui/CSheetSettings.h"
#include "shell/ui/CStatusTblView.h"
#include "UploadImageBuilder.h"
#include "support/FileBytes.h"
#include "support/ModalScript.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QImage>
#include <QLineEdit>
#include <QTableWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <future>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace {

// Commands of the main menu.
constexpr UINT ID_NEW_PROJECT = 32695;
constexpr UINT ID_EXPORT = 32782;
constexpr UINT ID_IMPORT = 32781;
constexpr UINT ID_NEW_SUBROUTINE = 32921;
constexpr UINT ID_COMPILE_ALL = 32935;
constexpr UINT ID_GLOBAL_VARIABLE = 32936;
constexpr UINT ID_STATUS_CHART = 32932;
constexpr UINT ID_OPTIONS = 32874;
constexpr UINT ID_PID_TREND = 61449;

// Where the screenshot script wants the windows of the road as pictures.
constexpr const char* kScreenshotFolderVariable = "ORVEL_SCREENSHOT_DIR";

// Controls of the dialogs, by their ids.
constexpr const char* kOkButton = "1";
constexpr const char* kPortCombo = "2042";

constexpr int kWaitMs = 20000;
constexpr int kScreenWidth = 1280;
constexpr int kScreenHeight = 900;
constexpr int kPositionVB16 = 10; // "VB16-40AR" in the Options sheet's CPU list
constexpr int kLanguagePositionIL = 0;

// The CPU the standalone simulator reports by default, which the README's
// walk picks for new projects.
PlcSimIdentity DefaultSimIdentity()
{
    PlcSimIdentity id;
    PlcSimIdentityOfCpu(PLCSIM_DEFAULT_CPU, id);
    return id;
}

void Snapshot(QWidget* window, const char* name)
{
    const char* folder = std::getenv(kScreenshotFolderVariable);
    if (folder == nullptr)
        return;
    window->grab().save(QString::fromStdString(std::string(folder) + "/road-" + name + ".png"));
}

void Press(QWidget* dialog, const char* button)
{
    auto* pressed = dialog->findChild<QPushButton*>(button);
    ASSERT_NE(pressed, nullptr) << button;
    QTest::mouseClick(pressed, Qt::LeftButton);
}

// Holds a lock on a thread of its own until destroyed, as the monitor
// thread holds the value lock while it stores a cycle.
class CValueLockHeldElsewhere {
public:
    explicit CValueLockHeldElsewhere(CMutex& lock) : m_lock(lock)
    {
        std::promise<void> taken;
        std::future<void> isTaken = taken.get_future();
        m_holder = std::thread([this, &taken] {
            m_lock.Lock(0);
            taken.set_value();
            m_release.get_future().wait();
            m_lock.Unlock();
        });
        isTaken.wait();
    }
    ~CValueLockHeldElsewhere()
    {
        m_release.set_value();
        m_holder.join();
    }

private:
    CMutex& m_lock;
    std::promise<void> m_release;
    std::thread m_holder;
};

class MainRoadEndToEndTest : public WorkbenchFixture {
protected:
    void SetUp() override
    {
        WorkbenchFixture::SetUp();
        // The windows the program's start-up registers beyond the fixture's.
        std::string error;
        ASSERT_TRUE(RegisterHardwareUiClasses(&error) && RegisterCanopenUiClasses(&error)
                    && RegisterPidUiClasses(&error))
            << error;
        m_sim.SetIdentity(DefaultSimIdentity());
        m_sim.SetRunning(true);
        ASSERT_TRUE(m_sim.Start());
        ::setenv(kExtraPortsVariable, m_sim.SlavePath().c_str(), 1);
    }
    void TearDown() override
    {
        WorkbenchFixture::TearDown();
        ::unsetenv(kExtraPortsVariable);
        m_sim.Stop();
    }

    // Options: the CPU and the language of new projects.
    void ChooseNewProjectDefaults(int cpuPosition, int languagePosition)
    {
        WhenModal<QDialog>([=](QDialog* dialog) {
            CSheetSettings* sheet = ChildOf<CSheetSettings>(dialog);
            ASSERT_NE(sheet, nullptr);
            CPropertyPage& page = sheet->GeneralPage();
            page.findChild<QComboBox*>(QString::number(IDC_DEFAULT_CPU))->setCurrentIndex(cpuPosition);
            page.findChild<QComboBox*>(QString::number(IDC_DEFAULT_LANGUAGE))->setCurrentIndex(languagePosition);
            sheet->PressButton(IDOK);
        });
        Command(ID_OPTIONS);
    }

    // Tools > Communications: the terminal is picked from the port list.
    void PickPort(const std::string& path)
    {
        bool listed = false;
        const QString port = QString::fromStdString(path);
        WhenModal<QDialog>([&](QDialog* dialog) {
            auto* ports = dialog->findChild<QComboBox*>(kPortCombo);
            const int index = ports != nullptr ? ports->findText(port) : -1;
            listed = index >= 0;
            if (listed)
                ports->setCurrentIndex(index);
            Press(dialog, kOkButton);
        });
        Command(ID_TOOLS_COMMUNICATIONS);
        EXPECT_TRUE(listed) << path << " is not in the port list";
    }

    // Download, with the question to put the PLC in STOP answered Yes; whether
    // the Download dialog came up and its Download button was pressed.
    bool DownloadToPlc()
    {
        m_ui.box.Clear();
        m_ui.box.Answer(IDYES);
        bool downloaded = false;
        WhenModal<QDialog>([&](QDialog* dialog) {
            Press(dialog, kOkButton);
            downloaded = true;
            if (dialog->isVisible())
                dialog->reject();
        });
        Command(ID_PLC_DOWNLOAD);
        return downloaded;
    }

    // Options, then New Project: an empty IL MAIN on a VB16 CPU, open in front.
    CPOUEditorDoc* NewProject(const std::string& name)
    {
        ChooseNewProjectDefaults(kPositionVB16, kLanguagePositionIL);
        AnswerFileDialog(m_folder / (name + ".qpj"));
        Command(ID_NEW_PROJECT);
        EXPECT_EQ(App().ProjectOpen, 1) << ::testing::PrintToString(m_ui.box.Texts());
        return App().ProjectOpen == 1 ? m_frame->GetActivePOUDocument() : nullptr;
    }

    CPOUEditorDoc* Document(const std::string& fileName)
    {
        for (CDocument* doc : m_app->GetPOUTemplate()->GetDocuments()) {
            auto* pou = dynamic_cast<CPOUEditorDoc*>(doc);
            if (pou && FileSystem::FileNameOf(pou->GetPathName()) == fileName)
                return pou;
        }
        return nullptr;
    }

    static std::vector<std::string> Lines(CPOUEditorDoc& doc)
    {
        auto* program = dynamic_cast<CILProgram*>(doc.GetProgram());
        return program != nullptr ? program->GetLines() : std::vector<std::string>();
    }

    // Types the lines at the end of the POU's text, each closed with Enter.
    void TypeLines(CPOUEditorDoc& doc, const std::vector<std::string>& lines)
    {
        CPOUEditorView* view = doc.GetEditorView();
        auto* editor = dynamic_cast<CILEditor*>(view->GetEditor());
        ASSERT_NE(editor, nullptr);
        QTest::keyClick(view, Qt::Key_End, Qt::ControlModifier);
        if (!Lines(doc).empty() && !Lines(doc).back().empty())
            QTest::keyClick(view, Qt::Key_Return);
        for (const std::string& line : lines) {
            QTest::keyClicks(view, QString::fromStdString(line));
            QTest::keyClick(view, Qt::Key_Return);
        }
    }

    // The editor's monitor texts as its last paint showed them.
    std::vector<std::string> PaintedMonitorTexts(CPOUEditorDoc& doc)
    {
        CPOUEditorView* view = doc.GetEditorView();
        view->grab();
        std::vector<std::string> texts;
        if (auto* editor = dynamic_cast<CILEditor*>(view->GetEditor()))
            for (const auto& list : editor->GetMonitorLists())
                texts.push_back(list->GetText());
        return texts;
    }

    // The first box of a network, depth first.
    static const CBlock* FirstBlock(const CLDElement* element)
    {
        if (!element)
            return nullptr;
        if (const auto* block = dynamic_cast<const CBlock*>(element))
            return block;
        const CBlock* found = FirstBlock(element->GetChildA());
        return found ? found : FirstBlock(element->GetChildB());
    }

    // Pixels of one colour in the view as it paints now.
    static int CountColour(QWidget* view, QRgb colour)
    {
        const QImage image = view->grab().toImage().convertToFormat(QImage::Format_RGB32);
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                count += (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF) ? 1 : 0;
        return count;
    }

    // Whether the menu shows the command enabled, and its check mark.
    std::pair<bool, int> MenuState(UINT id)
    {
        CCmdUI cmdUI(id);
        cmdUI.DoUpdate(m_frame, FALSE);
        return {cmdUI.IsEnabled() != FALSE, cmdUI.GetCheck()};
    }

    bool BoxSaid(const std::string& text) const
    {
        const std::vector<std::string> texts = m_ui.box.Texts();
        return std::any_of(texts.begin(), texts.end(),
                           [&](const std::string& shown) { return shown.find(text) != std::string::npos; });
    }

    // Runs what the monitor thread posted until the condition holds.
    bool PumpUntil(const std::function<bool()>& condition)
    {
        return QTest::qWaitFor(
            [&] {
                m_ui.poster.RunPosted();
                return condition();
            },
            kWaitMs);
    }

    template <class View>
    View* SingletonView(SingletonWindow window)
    {
        CMDIChildWnd* frame = m_frame->GetSlot(window).frame.data();
        return frame != nullptr ? dynamic_cast<View*>(frame->GetActiveView()) : nullptr;
    }

    // The PLC answers monitor requests for the codes its downloaded image lists.
    void ServeDownloadedMonitorLists()
    {
        const auto& lists = App().Project.MonitorAddressLists;
        m_sim.SetMonitorLists(lists[0], lists[1], lists[2], lists[3]);
    }

    int CodeOf(const std::string& operand)
    {
        WORD code = 0;
        WORD number = 0;
        App().ResolveAddressOffset(operand, code, number);
        return code;
    }

    // Upload brings the hardware window to the front before it opens the
    // restored POUs: in the MDI order the POU windows stand before it and
    // no other window does; without a restored POU it is in front. Empty
    // when it is so, else what stands where.
    std::string HardwareWindowBehindThePous()
    {
        CMDIChildWnd* hardware = m_frame->GetSlot(SingletonWindow::Hardware).frame.data();
        if (hardware == nullptr)
            return "no hardware window";
        const std::vector<CMDIChildWnd*> order = m_frame->GetMDIClient()->GetChildrenInZOrder();
        const auto isPou = [](CMDIChildWnd* child) { return dynamic_cast<CChildFrmEditor*>(child) != nullptr; };
        const auto place = std::find(order.begin(), order.end(), hardware);
        if (place == order.end())
            return "the hardware window is not among the MDI windows";
        if (!std::all_of(order.begin(), place, isPou))
            return "a window other than a POU's stands before the hardware window";
        if (place == order.begin() && std::any_of(order.begin(), order.end(), isPou))
            return "the hardware window is in front of the POU windows opened after it";
        return "";
    }

    CPlcSimulator m_sim;
};

} // namespace

TEST_F(MainRoadEndToEndTest, NewProjectToMonitoringForcingUploadAndBack)
{
    Start();
    SCOPED_TRACE("new project on a VB16 CPU, MAIN in IL");
    CPOUEditorDoc* main = NewProject("Road");
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(main->GetLanguage(), POU_LANGUAGE_IL);
    SCOPED_TRACE("two global symbols");
    Command(ID_GLOBAL_VARIABLE);
    auto* globals = ChildOf<CGlobalVarView>(m_frame);
    ASSERT_NE(globals, nullptr);
    CCPGridHost& symbols = globals->GetGridCtrl().GetHost();
    symbols.OnSaveCellData(CGlobalVarTable::COL_SYMBOL, 0, "Start");
    symbols.OnSaveCellData(CGlobalVarTable::COL_ADDRESS, 0, "%I0.0");
    symbols.OnSaveCellData(CGlobalVarTable::COL_SYMBOL, 1, "Lamp");
    symbols.OnSaveCellData(CGlobalVarTable::COL_ADDRESS, 1, "%Q0.0");

    SCOPED_TRACE("a subroutine with an input parameter");
    Command(ID_NEW_SUBROUTINE);
    CPOUEditorDoc* sub = m_frame->GetActivePOUDocument();
    ASSERT_NE(sub, nullptr);
    ASSERT_NE(sub, main);
    auto* parameters = dynamic_cast<CPOUVarView*>(sub->GetVarView());
    ASSERT_NE(parameters, nullptr);
    CCPGridHost& declare = parameters->GetGridCtrl().GetHost();
    declare.OnSaveCellData(CPOUVarTable::COL_CLASS, 0, "VAR_INPUT");
    declare.OnSaveCellData(CPOUVarTable::COL_TYPE, 0, "BOOL");
    declare.OnSaveCellData(CPOUVarTable::COL_SYMBOL, 0, "IN1");
    {
        std::string address;
        BYTE mark = 0;
        declare.GetCellText(CPOUVarTable::COL_ADDRESS, 0, address, mark);
        // The pane was set up with the window: the parameter got its local address.
        EXPECT_EQ(address, "%L0.0");
    }
    TypeLines(*sub, {"LD IN1", "ST %Q0.2"});

    SCOPED_TRACE("MAIN typed in the IL editor");
    TypeLines(*main, {"LD %I0.1", "CAL SBR00 %I0.2", "(* Network 1 *)", "LD Start", "TON T37, 50",
                      "(* Network 2 *)", "LD T37", "ST Lamp"});

    SCOPED_TRACE("Compile All");
    Command(ID_COMPILE_ALL);
    std::vector<std::string> compiled = OutputLines(OUTPUT_LIST_COMPILE);
    ASSERT_FALSE(compiled.empty());
    EXPECT_NE(compiled.back().find("$$$ Compilation successful   :  0 errors"), std::string::npos)
        << ::testing::PrintToString(compiled);
    Snapshot(m_frame, "main-window");
    // What was typed is what got compiled: its operands are registered for monitoring.
    EXPECT_EQ(App().Project.Monitor.MonitorTable.count("%IB0"), 1u);

    SCOPED_TRACE("the simulator's port, Download with the RUN question, Compare");
    PickPort(m_sim.SlavePath());
    ASSERT_TRUE(DownloadToPlc()) << ::testing::PrintToString(m_ui.box.Texts());
    EXPECT_TRUE(BoxSaid("Do you want to place it in STOP mode and continue to download?"))
        << ::testing::PrintToString(m_ui.box.Texts());
    EXPECT_FALSE(m_sim.Image().empty());
    const WORD signature = App().Project.ProjectSignature;
    m_ui.box.Clear();
    Command(ID_PLC_COMPARE);
    EXPECT_TRUE(BoxSaid("The current project is the same as that in the PLC."))
        << ::testing::PrintToString(m_ui.box.Texts());

    SCOPED_TRACE("monitoring shows live values in the IL editor");
    // A window the size of a screen, the program from its first line.
    m_frame->resize(kScreenWidth, kScreenHeight);
    QTest::keyClick(main->GetEditorView(), Qt::Key_Home, Qt::ControlModifier);
    m_frame->MDIActivate(main->GetEditorView()->GetParentFrame());
    ASSERT_EQ(m_frame->GetActivePOUDocument(), main);
    ServeDownloadedMonitorLists();
    m_sim.SetMemory(CodeOf("%IB0"), {0x01});
    m_ui.box.Clear();
    Command(ID_MONITOR);
    const auto shows = [&](const std::string& operand, const std::string& value) {
        return [&, operand, value] {
            for (const std::string& text : PaintedMonitorTexts(*main))
                if (text.rfind(operand + ":", 0) == 0 && text.find(" " + value + ";") != std::string::npos)
                    return true;
            return false;
        };
    };
    ASSERT_TRUE(PumpUntil(shows("Start", "1")))
        << ::testing::PrintToString(PaintedMonitorTexts(*main)) << ::testing::PrintToString(m_ui.box.Texts())
        << ::testing::PrintToString(OutputLines(OUTPUT_LIST_COMMON)) << App().Monitoring.load()
        << ::testing::PrintToString(Lines(*main)) << App().Project.MonitorAddressLists[0].size() << "/" << App().Project.MonitorAddressLists[1].size() << "/" << App().Project.MonitorAddressLists[2].size() << "/" << App().Project.MonitorAddressLists[3].size() << " table " << App().Project.Monitor.MonitorTable.size();
    Snapshot(m_frame, "il-live");
    m_sim.SetMemory(CodeOf("%IB0"), {0x00});
    EXPECT_TRUE(PumpUntil(shows("Start", "0"))) << ::testing::PrintToString(PaintedMonitorTexts(*main));
    Command(ID_MONITOR);
    ASSERT_TRUE(PumpUntil([&] { return App().Monitoring.load() == 0; }));

    SCOPED_TRACE("MAIN in LD shows the contact's state");
    EXPECT_EQ(MenuState(ID_LANGUAGE_IL), std::make_pair(true, 1));
    EXPECT_EQ(MenuState(ID_LANGUAGE_LD), std::make_pair(true, 0));
    Command(ID_LANGUAGE_LD);
    EXPECT_EQ(MenuState(ID_LANGUAGE_LD), std::make_pair(true, 1));
    ASSERT_EQ(main->GetLanguage(), POU_LANGUAGE_LD) << ::testing::PrintToString(OutputLines(OUTPUT_LIST_COMPILE));
    constexpr QRgb kClosedContact = 0x0000FF;
    m_sim.SetMemory(CodeOf("%IB0"), {0x00});
    Command(ID_MONITOR);
    ASSERT_TRUE(PumpUntil([&] { return App().Monitoring.load() != 0; }));
    QWidget* ladder = main->GetEditorView();
    // The first monitor refresh gives the pins of the subroutine's call box
    // their types, and the box shows its input's live value (in the same
    // colour) from then on: the open state is counted after it.
    auto* diagram = dynamic_cast<CLDProgram*>(main->GetProgram());
    ASSERT_NE(diagram, nullptr);
    const CBlock* call = FirstBlock(diagram->GetItems()[1].get());
    ASSERT_NE(call, nullptr);
    ASSERT_TRUE(PumpUntil([&] { return call->GetActualType(TRUE, 1) != 0; }));
    ladder->repaint();
    const int open = CountColour(ladder, kClosedContact);
    m_sim.SetMemory(CodeOf("%IB0"), {0x01});
    int closed = 0;
    EXPECT_TRUE(PumpUntil([&] { return (closed = CountColour(ladder, kClosedContact)) > open; }))
        << ::testing::PrintToString(m_ui.box.Texts());
    Snapshot(m_frame, "ld-live");
    m_sim.SetMemory(CodeOf("%IB0"), {0x00});
    EXPECT_TRUE(PumpUntil([&] { return CountColour(ladder, kClosedContact) < closed; }));
    Command(ID_MONITOR);
    ASSERT_TRUE(PumpUntil([&] { return App().Monitoring.load() == 0; }));

    SCOPED_TRACE("status chart rows, force an output and read it back, unforce all");
    Command(ID_STATUS_CHART);
    auto* chart = ChildOf<CStatusTblView>(m_frame);
    ASSERT_NE(chart, nullptr);
    using Col = CStatusChartTable::Column;
    chart->OnSaveCellData(Col::COL_ADDRESS, 0, "%Q0.1");
    chart->OnSaveCellData(Col::COL_ADDRESS, 1, "Lamp");
    chart->OnSaveCellData(Col::COL_ADDRESS, 2, "%IB0");
    m_sim.SetMemory(CodeOf("%IB0"), {0x05});
    Command(ID_MONITOR);
    ASSERT_TRUE(PumpUntil([&] { return App().Monitoring.load() != 0; })) << ::testing::PrintToString(m_ui.box.Texts());
    const auto currentValue = [&] {
        std::string shown;
        BYTE plain = 0;
        chart->GetCellText(Col::COL_CURRENT, 2, shown, plain);
        return shown;
    };
    EXPECT_TRUE(PumpUntil([&] { return currentValue() == "B#5"; })) << currentValue();
    {
        // While the monitor thread would be storing a cycle the chart reads no value.
        CValueLockHeldElsewhere storing(App().MonitorValueLock);
        EXPECT_EQ(currentValue(), " ");
    }
    EXPECT_EQ(currentValue(), "B#5");
    chart->OnSaveCellData(Col::COL_NEW, 0, "1");
    chart->SetActiveCell(Col::COL_NEW, 0);
    chart->SendMessage(WM_COMMAND, ID_STATUS_FORCE);
    EXPECT_FALSE(m_sim.ForceTable().empty());
    chart->SendMessage(WM_COMMAND, ID_STATUS_READ_ALL_FORCED);
    std::string text;
    BYTE mark = 0;
    chart->GetCellText(Col::COL_CURRENT, 0, text, mark);
    EXPECT_EQ(mark, 1);
    Snapshot(m_frame, "status-chart");
    chart->SendMessage(WM_COMMAND, ID_STATUS_UNFORCE_ALL);
    EXPECT_TRUE(m_sim.ForceTable().empty());
    Command(ID_MONITOR);
    ASSERT_TRUE(PumpUntil([&] { return App().Monitoring.load() == 0; }));

    SCOPED_TRACE("the hardware window and the PID trend display");
    m_frame->OpenHardwareWindow();
    EXPECT_FALSE(m_frame->GetSlot(SingletonWindow::Hardware).frame.isNull());
    Snapshot(m_frame, "hardware");
    Command(ID_PID_TREND);
    EXPECT_FALSE(m_frame->GetSlot(SingletonWindow::PIDTrend).frame.isNull());
    Snapshot(m_frame, "pid-trend");
    // The trend display holds the port while it is open.
    m_frame->GetSlot(SingletonWindow::PIDTrend).frame->SendMessage(WM_CLOSE);
    ASSERT_TRUE(PumpUntil([&] { return App().PIDTrendOpen == 0; }));

    SCOPED_TRACE("Upload into a new project compiles to the same signature");
    m_ui.box.Clear();
    // The file dialog starts in the "PrevProj" folder of the settings, and
    // the folder chosen becomes the new "PrevProj".
    const std::string previous = m_folder / "previous";
    const std::string uploads = m_folder / "uploads";
    ASSERT_TRUE(FileSystem::CreateFolder(previous));
    ASSERT_TRUE(FileSystem::CreateFolder(uploads));
    ASSERT_TRUE(Settings().WriteString("Configuration", "PrevProj", previous));
    std::string offeredFolder;
    WhenModal<QFileDialog>([&](QFileDialog* dialog) {
        offeredFolder = dialog->directory().absolutePath().toStdString();
        dialog->selectFile(QString::fromStdString(uploads + "/Uploaded.qpj"));
        QMetaObject::invokeMethod(dialog, "accept");
    });
    Command(ID_PLC_UPLOAD);
    ASSERT_EQ(App().Project.ProjectPath, uploads + "/Uploaded.qpj") << ::testing::PrintToString(m_ui.box.Texts());
    EXPECT_EQ(offeredFolder, previous);
    EXPECT_EQ(Settings().GetString("Configuration", "PrevProj", ""), uploads);
    // The restored project shows its hardware window.
    EXPECT_EQ(HardwareWindowBehindThePous(), "");
    Command(ID_COMPILE_ALL);
    EXPECT_EQ(App().Project.ProjectSignature, signature);
    m_ui.box.Clear();
    Command(ID_PLC_COMPARE);
    EXPECT_TRUE(BoxSaid("The current project is the same as that in the PLC."))
        << ::testing::PrintToString(m_ui.box.Texts());

    SCOPED_TRACE("Export and Import back");
    const std::string archive = m_folder / "Uploaded.zip";
    AnswerFileDialog(archive);
    Command(ID_EXPORT);
    ASSERT_TRUE(FileSystem::FileExists(archive)) << ::testing::PrintToString(m_ui.box.Texts());
    const std::string imported = m_folder / "imported";
    ASSERT_TRUE(FileSystem::CreateFolder(imported));
    WhenModal<QFileDialog>([archive, imported](QFileDialog* dialog) {
        dialog->selectFile(QString::fromStdString(archive));
        AnswerFileDialog(imported);
        QMetaObject::invokeMethod(dialog, "accept");
    });
    Command(ID_IMPORT);
    EXPECT_EQ(App().Project.ProjectPath, imported + "/Uploaded.qpj") << ::testing::PrintToString(m_ui.box.Texts());
    Command(ID_COMPILE_ALL);
    EXPECT_EQ(App().Project.ProjectSignature, signature);

    SCOPED_TRACE("closing asks to save the changed project");
    Command(ID_GLOBAL_VARIABLE);
    auto* importedGlobals = ChildOf<CGlobalVarView>(m_frame);
    ASSERT_NE(importedGlobals, nullptr);
    importedGlobals->GetGridCtrl().GetHost().OnSaveCellData(CGlobalVarTable::COL_COMMENT, 0, "start button");
    m_ui.box.Clear();
    m_ui.box.Answer(IDYES);
    m_frame->SendMessage(WM_CLOSE);
    EXPECT_TRUE(m_frame.isNull() || !m_frame->isVisible());
    const std::vector<RecordedMessage> asked = m_ui.box.Messages();
    ASSERT_FALSE(asked.empty());
    EXPECT_NE(asked[0].type & MB_TYPEMASK, static_cast<UINT>(MB_OK)) << asked[0].text;
    EXPECT_NE(ReadFileText(imported + "/Uploaded.qpj").find("start button"), std::string::npos);
}

// An operand forced from the status chart is marked in MAIN's ladder view
// with the padlock, and Unforce All takes the mark away again.
TEST_F(MainRoadEndToEndTest, AnOperandForcedFromTheStatusChartIsMarkedInTheLadderView)
{
    constexpr QRgb kPadlockField = 0xFFFF00;
    Start();
    CPOUEditorDoc* main = NewProject("Forced");
    ASSERT_NE(main, nullptr);
    Command(ID_GLOBAL_VARIABLE);
    auto* globals = ChildOf<CGlobalVarView>(m_frame);
    ASSERT_NE(globals, nullptr);
    CCPGridHost& symbols = globals->GetGridCtrl().GetHost();
    symbols.OnSaveCellData(CGlobalVarTable::COL_SYMBOL, 0, "Lamp");
    symbols.OnSaveCellData(CGlobalVarTable::COL_ADDRESS, 0, "%Q0.0");
    TypeLines(*main, {"LD %I0.0", "ST Lamp"});
    Command(ID_COMPILE_ALL);
    const std::vector<std::string> compiled = OutputLines(OUTPUT_LIST_COMPILE);
    ASSERT_FALSE(compiled.empty());
    ASSERT_NE(compiled.back().find("$$$ Compilation successful"), std::string::npos)
        << ::testing::PrintToString(compiled);
    PickPort(m_sim.SlavePath());
    ASSERT_TRUE(DownloadToPlc()) << ::testing::PrintToString(m_ui.box.Texts());

    CFrameWnd* mainFrame = main->GetEditorView()->GetParentFrame();
    m_frame->MDIActivate(mainFrame);
    Command(ID_LANGUAGE_LD);
    ASSERT_EQ(main->GetLanguage(), POU_LANGUAGE_LD) << ::testing::PrintToString(OutputLines(OUTPUT_LIST_COMPILE));
    Command(ID_STATUS_CHART);
    auto* chart = ChildOf<CStatusTblView>(m_frame);
    ASSERT_NE(chart, nullptr);
    using Col = CStatusChartTable::Column;
    // The chart names the output by its address, the coil by its symbol.
    chart->OnSaveCellData(Col::COL_ADDRESS, 0, "%Q0.0");
    ServeDownloadedMonitorLists();
    Command(ID_MONITOR);
    ASSERT_TRUE(PumpUntil([&] { return App().Monitoring.load() != 0; })) << ::testing::PrintToString(m_ui.box.Texts());

    QWidget* ladder = main->GetEditorView();
    const auto padlockShown = [&] {
        m_frame->MDIActivate(mainFrame);
        return CountColour(ladder, kPadlockField) > 0;
    };
    EXPECT_FALSE(padlockShown());
    chart->OnSaveCellData(Col::COL_NEW, 0, "1");
    chart->SetActiveCell(Col::COL_NEW, 0);
    chart->SendMessage(WM_COMMAND, ID_STATUS_FORCE);
    ASSERT_FALSE(m_sim.ForceTable().empty()) << ::testing::PrintToString(m_ui.box.Texts());
    EXPECT_TRUE(PumpUntil(padlockShown));
    Snapshot(m_frame, "ld-forced");

    chart->SendMessage(WM_COMMAND, ID_STATUS_UNFORCE_ALL);
    EXPECT_TRUE(m_sim.ForceTable().empty());
    EXPECT_TRUE(PumpUntil([&] { return !padlockShown(); }));
    Command(ID_MONITOR);
    ASSERT_TRUE(PumpUntil([&] { return App().Monitoring.load() == 0; }));
}

// An image that cannot be restored in full is reported, and the Upload goes
// on: the new project is saved, open and shown with what was restored.
TEST_F(MainRoadEndToEndTest, AnUploadThatCannotBeRestoredIsReportedAndTheNewProjectOpens)
{
    constexpr BYTE kCpuCode = 2;
    constexpr BYTE kDigitalOut8 = 9;
    constexpr BYTE kBeyondTheStopStates = 200;
    constexpr int kModbusSectionOffset = 202;
    const std::string crcMessage = "Uploaded data error (CRC check), please try again.";
    const std::string failed = "Failed to restore the project.";
    struct Case {
        const char* name;
        std::vector<BYTE> image;
        std::vector<std::string> said;
        size_t modulesRestored;
    };
    std::vector<BYTE> badChecksum = UploadImageBuilder(0).Module(kCpuCode, 0, 1, 0, 1).Build();
    badChecksum[badChecksum[0] + 8] ^= 0x01; // inside the module block, which the checksum covers
    // The output module's STOP states lie beyond the table: its settings fail
    // after both modules have been restored.
    UploadImageBuilder outputsBeyond(1);
    outputsBeyond.Module(kCpuCode, 0, 1, 0, 1)
        .Module(kDigitalOut8, 255, 255, kBeyondTheStopStates, kBeyondTheStopStates)
        .CpuWord(kModbusSectionOffset, 2);
    const Case cases[] = {
        {"BadChecksum", badChecksum, {crcMessage, failed}, 0},
        {"OutputsBeyond", outputsBeyond.Build(), {failed}, 2},
    };
    Start();
    ASSERT_NE(NewProject("Before"), nullptr);
    PickPort(m_sim.SlavePath());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_sim.SetImage(c.image);
        const std::string path = m_folder / (std::string(c.name) + ".qpj");
        m_ui.box.Clear();
        AnswerFileDialog(path);
        Command(ID_PLC_UPLOAD);
        // The save's check of the restored hardware may speak after the restore's messages.
        const std::vector<std::string> texts = m_ui.box.Texts();
        ASSERT_GE(texts.size(), c.said.size()) << ::testing::PrintToString(texts);
        EXPECT_EQ(std::vector<std::string>(texts.begin(), texts.begin() + static_cast<long>(c.said.size())), c.said)
            << ::testing::PrintToString(texts);
        EXPECT_EQ(App().ProjectOpen, 1);
        EXPECT_EQ(App().Project.ProjectPath, path);
        EXPECT_TRUE(FileSystem::FileExists(path));
        EXPECT_EQ(App().Project.Modules.size(), c.modulesRestored);
        EXPECT_EQ(HardwareWindowBehindThePous(), "");
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
}

TEST_F(MainRoadEndToEndTest, APlcThatDoesNotAnswerIsReportedAndLeavesNothingRunning)
{
    CPseudoTerminal silent;
    ASSERT_TRUE(silent.Open());
    ::setenv(kExtraPortsVariable, silent.SlavePath().c_str(), 1);
    Start();
    ASSERT_NE(NewProject("Quiet"), nullptr);
    PickPort(silent.SlavePath());

    const struct {
        UINT command;
        const char* said;
    } cases[] = {
        {ID_PLC_INFORMATION, "Communication time-out."},
        {ID_PLC_DOWNLOAD, "Communication time-out."},
        {ID_MONITOR, "Unable to monitor because OrvelBuilder fails to get the PLC information"},
    };
    for (const auto& c : cases) {
        m_ui.box.Clear();
        Command(c.command);
        EXPECT_TRUE(PumpUntil([&] { return BoxSaid(c.said); })) << c.command << " "
                                                                << ::testing::PrintToString(m_ui.box.Texts());
        EXPECT_EQ(App().Monitoring.load(), 0) << c.command;
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << c.command;
    }
}

TEST_F(MainRoadEndToEndTest, AWrongPasswordIsRefusedAndTheImageStaysUntouched)
{
    m_sim.SetPassword("secret", CPlcSimulator::LevelPartial);
    Start();
    CPOUEditorDoc* main = NewProject("Locked");
    ASSERT_NE(main, nullptr);
    PickPort(m_sim.SlavePath());
    bool asked = false;
    WhenModal<QDialog>([&](QDialog* download) {
        WhenModal<CPasswordInputDlg>([&](CPasswordInputDlg* password) {
            asked = true;
            auto* edit = ChildOf<CSecureEdit>(password);
            ASSERT_NE(edit, nullptr);
            QTest::keyClicks(edit, "guess");
            Press(password, kOkButton);
        });
        Press(download, kOkButton);
        if (download->isVisible())
            download->reject();
    });
    m_ui.box.Answer(IDYES);
    Command(ID_PLC_DOWNLOAD);
    EXPECT_TRUE(asked);
    EXPECT_TRUE(BoxSaid("Wrong password.")) << ::testing::PrintToString(m_ui.box.Texts());
    EXPECT_TRUE(m_sim.Image().empty());
}

TEST_F(MainRoadEndToEndTest, DoubleClickingACompileErrorOpensItsLine)
{
    Start();
    CPOUEditorDoc* main = NewProject("Faulty");
    ASSERT_NE(main, nullptr);
    TypeLines(*main, {"LD %I0.0", "ST %X9.9"});
    const int faultyLine = static_cast<int>(Lines(*main).size()) - 2;
    // Another window in front, so that the double click has to bring MAIN back.
    Command(ID_GLOBAL_VARIABLE);
    Command(ID_COMPILE_ALL);

    COutputList* list = m_frame->GetOutputView()->GetList(OUTPUT_LIST_COMPILE);
    const std::vector<std::string> lines = OutputLines(OUTPUT_LIST_COMPILE);
    const auto error = std::find_if(lines.begin(), lines.end(),
                                    [](const std::string& line) { return line.find("[Error") != std::string::npos; });
    ASSERT_NE(error, lines.end()) << ::testing::PrintToString(lines);
    QTableWidget* table = list->Table();
    const int row = static_cast<int>(error - lines.begin());
    table->scrollToItem(table->item(row, 0));
    const QRect cell = table->visualItemRect(table->item(row, 0));
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());

    EXPECT_EQ(m_frame->GetActivePOUDocument(), main);
    auto* editor = dynamic_cast<CILEditor*>(main->GetEditorView()->GetEditor());
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->IsGoToMarkerShown());
    EXPECT_EQ(editor->GetGoToLine(), faultyLine);
}


// Typing an address into the status chart while the PLC is monitored: the
// monitor refreshes the chart between the keys, and what is typed stays.
TEST_F(MainRoadEndToEndTest, TypingInTheStatusChartWhileMonitoringKeepsTheInput)
{
    Start();
    ASSERT_NE(NewProject("Chart"), nullptr);
    Command(ID_COMPILE_ALL);
    PickPort(m_sim.SlavePath());
    m_ui.box.Answer(IDYES);
    WhenModal<QDialog>([&](QDialog* dialog) {
        Press(dialog, kOkButton);
        if (dialog->isVisible())
            dialog->reject();
    });
    Command(ID_PLC_DOWNLOAD);
    ASSERT_FALSE(m_sim.Image().empty()) << ::testing::PrintToString(m_ui.box.Texts());
    Command(ID_STATUS_CHART);
    auto* chart = ChildOf<CStatusTblView>(m_frame);
    ASSERT_NE(chart, nullptr);
    using Col = CStatusChartTable::Column;
    chart->OnSaveCellData(Col::COL_ADDRESS, 1, "%VW0");
    Command(ID_MONITOR);
    ASSERT_TRUE(PumpUntil([&] { return App().Monitoring.load() != 0; })) << ::testing::PrintToString(m_ui.box.Texts());

    ASSERT_EQ(ChildOf<CStatusTblView>(m_frame), chart);
    QTableView* table = chart->GetGridCtrl().GetTableView();
    // The user picks the Address cell of the first row and starts typing.
    table->setCurrentIndex(table->model()->index(0, Col::COL_ADDRESS));
    QTest::keyClick(table, Qt::Key_F2);
    QLineEdit* editor = table->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, "%");
    for (const char* typed : {"Q", "0", ".", "0"}) {
        const int reads = m_sim.MonitorReadCount();
        ASSERT_TRUE(PumpUntil([&] { return m_sim.MonitorReadCount() >= reads + 2; }));
        m_ui.poster.RunPosted();
        QTest::keyClicks(editor, typed);
    }
    EXPECT_EQ(editor->text(), "%Q0.0");
    QTest::keyClick(editor, Qt::Key_Return);
    std::string text;
    BYTE mark = 0;
    ASSERT_TRUE(PumpUntil([&] {
        chart->GetCellText(Col::COL_ADDRESS, 0, text, mark);
        return !text.empty();
    }));
    EXPECT_EQ(text, "%Q0.0");
    chart->GetCellText(Col::COL_ADDRESS, 1, text, mark);
    EXPECT_EQ(text, "%VW0");
    Command(ID_MONITOR);
    ASSERT_TRUE(PumpUntil([&] { return App().Monitoring.load() == 0; }));
}
