#include "hardware/CpuPagesFixture.h"
#include "hardware/ui/CCPUInfoView.h"
#include "hardware/ui/CCanOpenFrame.h"
#include "hardware/ui/CSheetCPU.h"
#include "platform/ui/CMessagePump.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include <gmock/gmock.h>

#include <string>
#include <vector>

namespace {

constexpr QSize kViewSize(640, 400);

template <class T>
T* Control(QWidget* parent, int id)
{
    return parent->findChild<T*>(QString::number(id));
}

// Records the order in which property pages get their windows.
class PageCreationSpy : public QObject {
public:
    PageCreationSpy() { qApp->installEventFilter(this); }
    ~PageCreationSpy() override { qApp->removeEventFilter(this); }
    std::vector<std::string> captions;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* page = dynamic_cast<CPropertyPage*>(watched);
        if (page && event->type() == QEvent::ParentChange && page->GetSheet() && page->parentWidget() == page->GetSheet())
            captions.push_back(page->GetCaption());
        return false;
    }
};

class CpuSheetTest : public CpuPagesFixture {
protected:
    void SetUp() override
    {
        CpuPagesFixture::SetUp();
        CMessagePump::Install();
    }
    void TearDown() override
    {
        m_view.reset();
        CpuPagesFixture::TearDown();
    }

    CCPUInfoView& OpenView(CZUL_Q7_PLC& module)
    {
        m_view = std::make_unique<CCPUInfoView>(*m_app);
        m_view->Create(nullptr, CRect(0, 0, kViewSize.width(), kViewSize.height()), 0, WS_VISIBLE);
        m_view->SetModule(&module);
        m_view->OnInitialUpdate();
        return *m_view;
    }
    CSheetCPU& Sheet() { return *m_view->GetSheet(); }
    void Click(int id) { QTest::mouseClick(Control<QPushButton>(m_view.get(), id), Qt::LeftButton); }
    std::vector<std::string> Topics() const
    {
        std::vector<std::string> topics;
        for (const RecordedHelp& request : m_ui.help.Requests())
            topics.push_back(request.topic);
        return topics;
    }

    std::unique_ptr<CCPUInfoView> m_view;
};

TEST_F(CpuSheetTest, EveryCpuFamilyLoadsItsPagesWithTheIOPageInFrontAndTheFlagAsItWas)
{
    struct Case {
        BYTE code;
        bool port1;
    };
    const Case cases[] = {{CPU_CODE_VA10, false}, {CPU_CODE_VB12, false}, {CPU_CODE_VB14, false},
                          {CPU_CODE_VB16, true},  {CPU_CODE_VB14EX, true}, {CPU_CODE_VC14, true},
                          {CPU_CODE_VC16, true}};
    for (const Case& c : cases) {
        for (bool marked : {false, true}) {
            Project().Modules.clear();
            CZUL_Q7_PLC& cpu = AddModule(c.code);
            cpu.ports[0].address = 12;
            cpu.retain[0] = {0, 20, 30};
            cpu.inputFilters[0] = 4;
            m_doc.SetModifiedFlag(marked);
            PageCreationSpy spy;
            OpenView(cpu);
            ASSERT_NE(nullptr, m_view->GetSheet());
            EXPECT_THAT(spy.captions, ::testing::ElementsAre("Communication Ports", "Retentive Ranges", "I/O Configuration"));
            EXPECT_EQ(marked, Modified()) << int(c.code);
            ASSERT_EQ(3, Sheet().GetPageCount());
            EXPECT_EQ("I/O Configuration", Sheet().GetTabText(0));
            EXPECT_EQ("Communication Ports", Sheet().GetTabText(1));
            EXPECT_EQ("Retentive Ranges", Sheet().GetTabText(2));
            EXPECT_EQ(&Sheet().IOPage(), Sheet().GetActivePage());
            EXPECT_EQ("12", Control<QComboBox>(&Sheet().ComPage(), 2048)->currentText().toStdString());
            EXPECT_EQ(c.port1, Control<QComboBox>(&Sheet().ComPage(), 2053)->isEnabled()) << int(c.code);
            EXPECT_EQ(c.port1, Control<QCheckBox>(&Sheet().ComPage(), 1245)->isEnabled()) << int(c.code);
            EXPECT_EQ(20, Control<QSpinBox>(&Sheet().RetainPage(), 1184)->value());
            EXPECT_EQ("6.4", Control<QComboBox>(&Sheet().IOPage(), 2091)->currentText().toStdString());

            // Default then Cancel on every page gives back the stored values, which apply unchanged.
            m_ui.box.Clear();
            for (int page = 0; page < Sheet().GetPageCount(); ++page) {
                Sheet().SetActivePage(page);
                Click(IDC_CPU_DEFAULT);
                Click(IDC_CPU_CANCEL);
            }
            EXPECT_TRUE(Sheet().ApplyPages());
            EXPECT_TRUE(m_ui.box.Texts().empty()) << int(c.code);
            EXPECT_EQ(12, cpu.ports[0].address);
            EXPECT_EQ(30, cpu.retain[0].length);
            EXPECT_EQ(4, cpu.inputFilters[0]);
            m_view.reset();
        }
    }
}

TEST_F(CpuSheetTest, DefaultAndCancelActOnThePageInFront)
{
    CZUL_Q7_PLC& cpu = AddModule(CPU_CODE_VB16);
    cpu.ports[0].address = 5;
    cpu.retain[1] = {0, 40, 2};
    OpenView(cpu);
    Sheet().SetActivePage(&Sheet().ComPage());
    Click(IDC_CPU_DEFAULT);
    EXPECT_EQ("1", Control<QComboBox>(&Sheet().ComPage(), 2048)->currentText().toStdString());
    EXPECT_EQ(40, Control<QSpinBox>(&Sheet().RetainPage(), 1196)->value());
    EXPECT_TRUE(Modified());
    Click(IDC_CPU_CANCEL);
    EXPECT_EQ("5", Control<QComboBox>(&Sheet().ComPage(), 2048)->currentText().toStdString());

    Sheet().SetActivePage(&Sheet().RetainPage());
    Click(IDC_CPU_DEFAULT);
    EXPECT_EQ(0, Control<QSpinBox>(&Sheet().RetainPage(), 1196)->value());
    EXPECT_EQ("C", Control<QComboBox>(&Sheet().RetainPage(), 1106)->currentText().toStdString());
    Click(IDC_CPU_CANCEL);
    EXPECT_EQ(40, Control<QSpinBox>(&Sheet().RetainPage(), 1196)->value());
    EXPECT_EQ(5, cpu.ports[0].address);
}

TEST_F(CpuSheetTest, HelpAndF1OpenTheTopicOfThePageInFront)
{
    OpenView(AddModule(CPU_CODE_VB14));
    struct Case {
        CPropertyPage* page;
        const char* topic;
        int focusControl;
    };
    const Case cases[] = {{&Sheet().IOPage(), "CPU-I-Oshezhi", 2091},
                          {&Sheet().ComPage(), "CPU-tongxun", 2048},
                          {&Sheet().RetainPage(), "CPU-baochi", 1111}};
    for (const Case& c : cases) {
        m_ui.help.Clear();
        Sheet().SetActivePage(c.page);
        Click(IDC_CPU_HELP);
        EXPECT_THAT(Topics(), ::testing::ElementsAre(c.topic));
        QTest::keyClick(Control<QWidget>(c.page, c.focusControl), Qt::Key_F1);
        QTest::keyClick(Control<QPushButton>(m_view.get(), IDC_CPU_DEFAULT), Qt::Key_F1);
        EXPECT_THAT(Topics(), ::testing::ElementsAre(c.topic, c.topic, c.topic));
        EXPECT_THAT(Topics(), ::testing::Each(c.topic));
    }
}

TEST_F(CpuSheetTest, ApplyGoesIOThenPortsThenRetentiveAndStopsAtTheFirstRefusal)
{
    CZUL_Q7_PLC& cpu = AddModule(CPU_CODE_VB16);
    cpu.inputFilters[7] = 9;     // no such filter: the I/O page refuses
    cpu.ports[0].stopBits = 4;   // no such item: the ports page refuses
    cpu.retain[2] = {1, 250, 9}; // beyond the counters: the retentive page refuses
    OpenView(cpu);
    Sheet().SetActivePage(&Sheet().RetainPage());

    struct Step {
        const char* message;
        CPropertyPage* front;
        int fixControl;
    };
    const Step steps[] = {
        {"An unknown error with the Input Filter.", &Sheet().IOPage(), 2098},
        {"An unknown error with the StopBits of Port0. ", &Sheet().ComPage(), 2052},
        {"The configuration of Retentive Range  3  is out of range. ", &Sheet().RetainPage(), 1223},
    };
    for (const Step& step : steps) {
        m_ui.box.Clear();
        EXPECT_FALSE(Sheet().ApplyPages());
        EXPECT_THAT(m_ui.box.Texts(), ::testing::ElementsAre(step.message));
        EXPECT_EQ(step.front, Sheet().GetActivePage());
        if (auto* list = Control<QComboBox>(step.front, step.fixControl))
            list->setCurrentIndex(0);
        else
            Control<QSpinBox>(step.front, step.fixControl)->setValue(0);
    }
    m_ui.box.Clear();
    EXPECT_TRUE(Sheet().ApplyPages());
    EXPECT_TRUE(m_ui.box.Texts().empty());
    EXPECT_EQ(0, cpu.inputFilters[7]);
    EXPECT_EQ(0, cpu.ports[0].stopBits);
    EXPECT_EQ(0, cpu.retain[2].length);
}

TEST_F(CpuSheetTest, ModbusMasterSwitchChangesTheProjectBeforeAnyApply)
{
    OpenView(AddModule(CPU_CODE_VC16));
    QCheckBox* master = Control<QCheckBox>(&Sheet().ComPage(), 1245);
    Sheet().SetActivePage(&Sheet().ComPage());
    EXPECT_FALSE(Control<QLineEdit>(&Sheet().ComPage(), 1279)->isEnabled());
    QTest::mouseClick(master, Qt::LeftButton, {}, QPoint(5, master->height() / 2));
    EXPECT_TRUE(master->isChecked());
    EXPECT_EQ(1, Project().GetModbusInt(1, MODBUS_SWITCH_OFFSET));
    EXPECT_FALSE(Control<QComboBox>(&Sheet().ComPage(), 2057)->isEnabled());
    EXPECT_TRUE(Control<QLineEdit>(&Sheet().ComPage(), 1279)->isEnabled());
    EXPECT_TRUE(Control<QLineEdit>(&Sheet().ComPage(), 1281)->isEnabled());
    EXPECT_TRUE(Modified());
}

TEST_F(CpuSheetTest, TypedRetentiveValuesAreClampedInTheFields)
{
    OpenView(AddModule(CPU_CODE_VB14));
    Sheet().SetActivePage(&Sheet().RetainPage());
    QSpinBox* start = Control<QSpinBox>(&Sheet().RetainPage(), 1184);
    QSpinBox* length = Control<QSpinBox>(&Sheet().RetainPage(), 1189);
    start->setValue(5000);
    EXPECT_EQ(4095, start->value());
    start->setValue(4000);
    length->setValue(200);
    EXPECT_EQ(96, length->value());
}

TEST_F(CpuSheetTest, CanOpenFrameShowsTheCpuPagesUntilItsPageClassIsRegistered)
{
    CZUL_Q7_PLC& cpu = AddModule(CPU_CODE_VC14);
    CCanOpenFrame frame(*m_app);
    frame.Create(nullptr, CRect(0, 0, kViewSize.width(), kViewSize.height()), 0, WS_VISIBLE);
    frame.SetModule(&cpu);
    frame.OnInitialUpdate();
    ASSERT_NE(nullptr, frame.GetSheet());
    EXPECT_EQ(3, frame.GetSheet()->GetPageCount());
    EXPECT_EQ(nullptr, frame.GetSheet()->CanOpenPage());
    EXPECT_EQ(&frame.GetSheet()->IOPage(), frame.GetSheet()->GetActivePage());
    EXPECT_TRUE(frame.GetSheet()->ApplyPages());
    frame.DestroyWindow();
    EXPECT_EQ(nullptr, frame.GetSheet());
}

// Stands in for the CANopen windows' configuration page, registered by
// class name only in the test that needs it.
class FakeCanOpenPage : public CPropertyPage {
public:
    FakeCanOpenPage() : CPropertyPage(4031, "CANopen") {}
    BOOL OnApply() override
    {
        ++applies;
        return refuse ? FALSE : TRUE;
    }
    static CObject* Create() { return new FakeCanOpenPage; }
    static inline int applies = 0;
    static inline bool refuse = false;
};

const CRuntimeClass kFakeCanOpenClass = {"CCanOpenCfg", 0xFFFF, &FakeCanOpenPage::Create, RUNTIME_CLASS(CPropertyPage)};

// Runs after the test above: the class registry keeps what a test registers.
TEST_F(CpuSheetTest, CanOpenFrameAddsTheRegisteredPageAsTheFourthTabAndAppliesItLast)
{
    CRuntimeClass::Register(&kFakeCanOpenClass);
    CZUL_Q7_PLC& cpu = AddModule(CPU_CODE_VC16);
    cpu.retain[0] = {0, 4095, 9};
    CCanOpenFrame frame(*m_app);
    frame.Create(nullptr, CRect(0, 0, kViewSize.width(), kViewSize.height()), 0, WS_VISIBLE);
    frame.SetModule(&cpu);
    frame.OnInitialUpdate();
    CSheetCPU& sheet = *frame.GetSheet();
    ASSERT_EQ(4, sheet.GetPageCount());
    EXPECT_EQ("CANopen", sheet.GetTabText(3));
    EXPECT_EQ(sheet.CanOpenPage(), sheet.GetPage(3));
    EXPECT_EQ(&sheet.IOPage(), sheet.GetActivePage());

    FakeCanOpenPage::applies = 0;
    EXPECT_FALSE(sheet.ApplyPages());
    EXPECT_EQ(0, FakeCanOpenPage::applies);
    EXPECT_EQ(&sheet.RetainPage(), sheet.GetActivePage());

    Control<QSpinBox>(&sheet.RetainPage(), 1189)->setValue(0);
    FakeCanOpenPage::refuse = true;
    EXPECT_FALSE(sheet.ApplyPages());
    EXPECT_EQ(1, FakeCanOpenPage::applies);
    EXPECT_EQ(sheet.CanOpenPage(), sheet.GetActivePage());
    FakeCanOpenPage::refuse = false;
    EXPECT_TRUE(sheet.ApplyPages());
}

} // namespace
