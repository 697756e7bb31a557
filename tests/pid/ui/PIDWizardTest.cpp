#include "PIDGeneratorFixture.h"

#include "pid/CPIDGenerator.h"
#include "pid/ui/CAutoTuneStep1Dlg.h"
#include "pid/ui/CAutoTuneStep2Dlg.h"
#include "pid/ui/CAutoTuneStep3Dlg.h"
#include "pid/ui/CPIDWizard.h"
#include "pid/ui/CPIDWizardStep1Dlg.h"
#include "pid/ui/CPIDWizardStep2Dlg.h"
#include "pid/ui/CPIDWizardStep3Dlg.h"
#include "pid/ui/CPIDWizardStep4Dlg.h"
#include "platform/Gbk.h"
#include "platform/ui/CWizard.h"
#include "platform/ui/QtText.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <cstdlib>
#include <functional>
#include <tuple>

namespace {

constexpr int kFamilyVB14 = 1;  // mask 2: no auto-tune
constexpr int kFamilyVB16 = 2;  // mask 4
constexpr int kFamilyMask16 = 4; // mask 16

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

// What the pages edit of a loop record.
auto Fields(const CPIDLoopConfig& l)
{
    return std::make_tuple(l.KP, l.TR, l.TD, l.CYCLE, l.PV_H, l.PV_L, l.XOUTP_H, l.XOUTP_L, l.DutyPeriod,
                           l.AnalogOutput, l.TuneControl, l.PVFIL, l.HYS, l.DEV, l.STEP, l.WDG);
}

class PIDWizardTest : public PIDGeneratorFixture {
protected:
    void SetUp() override
    {
        PIDGeneratorFixture::SetUp();
        Project().CPUFamilyIndex = kFamilyVB16;
        m_pid = std::make_unique<CPIDWizard>(*m_app, m_host);
        m_wizard = std::make_unique<CWizard>([this](UINT id, QWidget* parent) { return m_pid->MakePage(id, parent); });
    }

    void TearDown() override
    {
        m_wizard.reset();
        m_pid.reset();
        PIDGeneratorFixture::TearDown();
    }

    CWizardPage* Page() const { return m_wizard->CurrentPage(); }
    UINT PageId() const { return Page() ? Page()->GetDialogId() : WIZARD_END; }

    // Starts at a page of the current loop.
    void Open(UINT dialogId) { ASSERT_TRUE(m_wizard->Start(dialogId)); }

    // A click on a button of the current page; TRUE when the page closed, and
    // the wizard has then gone on to the next page or ended.
    bool Click(UINT buttonId)
    {
        QPushButton* button = Page()->Control<QPushButton>(buttonId);
        EXPECT_NE(button, nullptr) << buttonId;
        if (button == nullptr)
            return false;
        bool closed = false;
        const QMetaObject::Connection watch = QObject::connect(Page(), &QDialog::finished, [&closed] { closed = true; });
        button->click();
        QObject::disconnect(watch);
        if (!closed)
            return false;
        m_wizard->Advance();
        return true;
    }

    void Type(UINT id, const char* text) { Page()->Control<QLineEdit>(id)->setText(U(text)); }
    QString Text(UINT id) const
    {
        if (auto* edit = Page()->Control<QLineEdit>(id))
            return edit->text();
        if (auto* label = Page()->Control<QLabel>(id))
            return label->text();
        return "<none>";
    }
    QWidget* Widget(UINT id) const { return Page()->Control<QWidget>(id); }

    CPIDLoopConfig& Loop() { return m_app->PIDLoops[m_app->CurrentPIDLoop]; }

    std::unique_ptr<CPIDWizard> m_pid;
    std::unique_ptr<CWizard> m_wizard;
};

} // namespace

// Every page: its dialog id, caption, loop line, buttons with their ids and
// texts, and the close button that every page has.
TEST_F(PIDWizardTest, PagesCarryTheirCaptionsLoopLinesAndButtons)
{
    const struct {
        UINT page;
        const char* caption;
        UINT loopStatic;
        std::vector<std::pair<UINT, const char*>> buttons;
    } cases[] = {
        {IDD_PID_WIZARD_STEP1, "PID向导 第一步", 0, {{1290, "下一步"}, {1345, "帮助"}}},
        {IDD_PID_WIZARD_STEP2, "PID向导 第二步", 1346, {{1296, "上一步"}, {1291, "下一步"}, {1344, "帮助"}}},
        {IDD_PID_WIZARD_STEP3, "PID向导 第三步", 1347, {{1294, "上一步"}, {1292, "下一步"}, {1343, "帮助"}}},
        {IDD_PID_WIZARD_STEP4, "PID向导 第四步", 1350,
         {{1297, "上一步"}, {1295, "自整定设置"}, {1296, "生成代码"}, {1342, "帮助"}}},
        {IDD_AUTOTUNE_STEP1, "自整定向导 第一步", 1366, {{1298, "上一步"}, {1299, "下一步"}, {1341, "帮助"}}},
        {IDD_AUTOTUNE_STEP2, "", 1367, {{1301, "上一步"}, {1302, "下一步"}, {1340, "帮助"}}},
        {IDD_AUTOTUNE_STEP3, "自整定向导 第三步", 1368, {{1334, "上一步"}, {1335, "生成代码"}}},
    };
    m_app->CurrentPIDLoop = 5;
    QSize size;
    for (const auto& c : cases) {
        Open(c.page);
        EXPECT_EQ(Page()->objectName(), QString::number(c.page));
        EXPECT_EQ(Page()->windowTitle(), U(c.caption)) << c.page;
        if (c.loopStatic != 0) {
            EXPECT_EQ(Text(c.loopStatic), U("第 5 路PID")) << c.page;
        }
        for (const auto& [id, text] : c.buttons) {
            QPushButton* button = Page()->Control<QPushButton>(id);
            ASSERT_NE(button, nullptr) << c.page << " " << id;
            EXPECT_EQ(button->text(), U(text)) << c.page << " " << id;
        }
        ASSERT_NE(Page()->Control<QPushButton>(IDCANCEL), nullptr) << c.page;
        EXPECT_EQ(Page()->Control<QPushButton>(IDCANCEL)->text(), U("关闭"));
        if (size.isValid()) {
            EXPECT_EQ(Page()->size(), size) << "pages replace each other on screen";
        }
        size = Page()->size();
    }
}

TEST_F(PIDWizardTest, LoopChoiceListsTheEightLoopsAndTheirMemory)
{
    m_app->CurrentPIDLoop = 6;
    Open(IDD_PID_WIZARD_STEP1);
    auto* list = Page()->Control<QComboBox>(IDC_PID_LOOP_LIST);
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->count(), 8);
    EXPECT_EQ(list->itemText(0), "PID 0");
    EXPECT_EQ(list->itemText(7), "PID 7");
    EXPECT_EQ(list->currentIndex(), 6);
    QStringList texts;
    for (QLabel* label : Page()->findChildren<QLabel*>())
        texts << label->text();
    for (const char* line : {"第0路PID（P0）存储器：VB2900~VB2999、VB3890~VB3901、M30.0、M31.0、T19。",
             "第7路PID（P7）存储器：VB2200~VB2299、VB3806~VB3817、M30.7、M31.7、T12。", "你希望配置哪一个PID回路？",
             "只有配置第几路PID，才会使用相应的存储器。"})
        EXPECT_TRUE(texts.contains(U(line))) << line;

    // No selection: the error, then loop 0.
    list->setCurrentIndex(-1);
    EXPECT_TRUE(Click(IDC_PID_STEP1_NEXT));
    EXPECT_EQ(m_ui.box.Texts(), std::vector<std::string> {"PID wizard Error"});
    EXPECT_EQ(m_app->CurrentPIDLoop, 0);
    EXPECT_EQ(PageId(), IDD_PID_WIZARD_STEP2);
}

// An existing SBR(90 + n): Yes goes on, No stays with the choice stored,
// Cancel ends the wizard.
TEST_F(PIDWizardTest, AnExistingSubroutineIsAskedAbout)
{
    AddPIDSubroutine(3);
    const struct {
        int answer;
        UINT page;
    } cases[] = {
        {IDYES, IDD_PID_WIZARD_STEP2},
        {IDNO, IDD_PID_WIZARD_STEP1},
        {IDCANCEL, WIZARD_END},
    };
    for (const auto& c : cases) {
        m_app->CurrentPIDLoop = 0;
        m_ui.box.Clear();
        Open(IDD_PID_WIZARD_STEP1);
        Page()->Control<QComboBox>(IDC_PID_LOOP_LIST)->setCurrentIndex(3);
        m_ui.box.Answer(c.answer);
        Click(IDC_PID_STEP1_NEXT);
        EXPECT_EQ(PageId(), c.page) << c.answer;
        EXPECT_EQ(m_app->CurrentPIDLoop, 3) << c.answer;
        const std::vector<RecordedMessage> asked = m_ui.box.Messages();
        ASSERT_EQ(asked.size(), 1u);
        EXPECT_EQ(asked[0].caption, Utf8ToGbk("提示"));
        EXPECT_EQ(asked[0].text, Utf8ToGbk("PID 3 对应的SBR93子程序已经存在，继续将覆盖现有子程序。"));
        EXPECT_EQ(asked[0].type, static_cast<UINT>(MB_YESNOCANCEL | MB_ICONQUESTION));
    }
    // Another loop is not asked about.
    m_ui.box.Clear();
    Open(IDD_PID_WIZARD_STEP1);
    Page()->Control<QComboBox>(IDC_PID_LOOP_LIST)->setCurrentIndex(4);
    EXPECT_TRUE(Click(IDC_PID_STEP1_NEXT));
    EXPECT_EQ(PageId(), IDD_PID_WIZARD_STEP2);
    EXPECT_TRUE(m_ui.box.Messages().empty());
}

// Forward and back store the page into the loop record; Cancel drops the
// page it is pressed on.
TEST_F(PIDWizardTest, MovesStoreThePageAndCancelDropsIt)
{
    m_app->CurrentPIDLoop = 2;
    Open(IDD_PID_WIZARD_STEP2);
    EXPECT_EQ(Text(IDC_PID_KP), "0");
    EXPECT_EQ(Text(IDC_PID_CYCLE), "0");
    Type(IDC_PID_KP, "1.5");
    Type(IDC_PID_TR, "30");
    Type(IDC_PID_TD, "0.25");
    Type(IDC_PID_CYCLE, "200");
    ASSERT_TRUE(Click(IDC_PID_STEP2_NEXT));
    EXPECT_FLOAT_EQ(Loop().KP, 1.5f);
    EXPECT_FLOAT_EQ(Loop().TR, 30.0f);
    EXPECT_FLOAT_EQ(Loop().TD, 0.25f);
    EXPECT_EQ(Loop().CYCLE, 200);

    ASSERT_EQ(PageId(), IDD_PID_WIZARD_STEP3);
    EXPECT_EQ(Text(IDC_PID_DUTY_PERIOD), "114") << "100 + 7 n";
    Type(IDC_PID_PV_H, "100");
    Type(IDC_PID_PV_L, "-20");
    Type(IDC_PID_XOUTP_H, "32000");
    Type(IDC_PID_XOUTP_L, "6400");
    ASSERT_TRUE(Click(IDC_PID_STEP3_BACK));
    EXPECT_EQ(Loop().PV_H, 100);
    EXPECT_EQ(Loop().PV_L, -20);
    EXPECT_EQ(Loop().XOUTP_H, 32000);
    EXPECT_EQ(Loop().XOUTP_L, 6400);

    ASSERT_EQ(PageId(), IDD_PID_WIZARD_STEP2);
    EXPECT_EQ(Text(IDC_PID_KP), "1.5") << "the page loads what was stored";
    ASSERT_TRUE(Click(IDC_PID_STEP2_NEXT));
    EXPECT_EQ(Text(IDC_PID_PV_L), "-20") << "the page-3 values came back";
    Type(IDC_PID_PV_H, "999");
    EXPECT_TRUE(Click(IDCANCEL));
    EXPECT_EQ(PageId(), WIZARD_END);
    EXPECT_EQ(Loop().PV_H, 100) << "cancel stores nothing";
    EXPECT_FLOAT_EQ(Loop().KP, 1.5f) << "earlier pages keep what they stored";
    EXPECT_TRUE(m_ui.box.Messages().empty());
}

// Fields that do not read, or a duty period outside 1..32000, keep the page
// open with the record as it was.
TEST_F(PIDWizardTest, BadFieldsKeepThePage)
{
    const struct {
        UINT page;
        UINT field;
        const char* text;
        UINT button;
        const char* message;
    } cases[] = {
        {IDD_PID_WIZARD_STEP2, IDC_PID_KP, "fast", IDC_PID_STEP2_NEXT, "Please enter a number."},
        {IDD_PID_WIZARD_STEP2, IDC_PID_CYCLE, "1.5", IDC_PID_STEP2_BACK, "Please enter an integer."},
        {IDD_PID_WIZARD_STEP3, IDC_PID_DUTY_PERIOD, "0", IDC_PID_STEP3_NEXT, "Please enter an integer between 1 and 32000."},
        {IDD_PID_WIZARD_STEP3, IDC_PID_DUTY_PERIOD, "32001", IDC_PID_STEP3_BACK,
         "Please enter an integer between 1 and 32000."},
        {IDD_PID_WIZARD_STEP3, IDC_PID_PV_H, "", IDC_PID_STEP3_NEXT, "Please enter an integer."},
        {IDD_AUTOTUNE_STEP1, IDC_TUNE_DEV, "x", IDC_TUNE_STEP1_NEXT, "Please enter a number."},
        {IDD_AUTOTUNE_STEP2, IDC_TUNE_PVFIL, "-1", IDC_TUNE_STEP2_NEXT, "Please enter a positive integer."},
    };
    for (const auto& c : cases) {
        const CPIDLoopConfig before = Loop();
        m_ui.box.Clear();
        Open(c.page);
        Type(c.field, c.text);
        EXPECT_FALSE(Click(c.button)) << c.text;
        EXPECT_EQ(PageId(), c.page);
        EXPECT_EQ(m_ui.box.Texts(), std::vector<std::string> {c.message}) << c.text;
        EXPECT_EQ(Fields(before), Fields(Loop())) << c.text;
    }
    // The edges of the range are taken.
    for (const char* edge : {"1", "32000"}) {
        Open(IDD_PID_WIZARD_STEP3);
        Type(IDC_PID_DUTY_PERIOD, edge);
        EXPECT_TRUE(Click(IDC_PID_STEP3_NEXT)) << edge;
        EXPECT_EQ(Loop().DutyPeriod, std::atoi(edge));
    }
}

// The output kind: analog enables the limits, switched the duty period; a
// radio click stores the kind at once, unless the page does not read.
TEST_F(PIDWizardTest, OutputKindFollowsTheRadiosAtOnce)
{
    Open(IDD_PID_WIZARD_STEP3);
    auto* analog = Page()->Control<QRadioButton>(IDC_PID_ANALOG);
    auto* switched = Page()->Control<QRadioButton>(IDC_PID_SWITCHED);
    EXPECT_EQ(analog->text(), U("模拟量"));
    EXPECT_EQ(switched->text(), U("数字量"));
    EXPECT_TRUE(analog->isChecked());
    auto enabled = [&] {
        return std::vector<bool> {Widget(IDC_PID_DUTY_PERIOD)->isEnabled(), Widget(IDC_PID_XOUTP_H)->isEnabled(),
                                  Widget(IDC_PID_XOUTP_L)->isEnabled()};
    };
    EXPECT_EQ(enabled(), (std::vector<bool> {false, true, true}));
    EXPECT_TRUE(Widget(IDC_PID_SP)->isHidden());
    EXPECT_FALSE(Widget(IDC_PID_SP)->isEnabled());

    switched->click();
    EXPECT_EQ(Loop().AnalogOutput, 0);
    EXPECT_EQ(enabled(), (std::vector<bool> {true, false, false}));

    Type(IDC_PID_PV_L, "low");
    analog->click();
    EXPECT_EQ(Loop().AnalogOutput, 0) << "a page that does not read stores nothing";
    EXPECT_EQ(m_ui.box.Texts(), std::vector<std::string> {"Please enter an integer."});
}

// The summary of loop 1: the fixed memory, the switched output's duty
// period, and the auto-tune button only for the families 4 and 16.
TEST_F(PIDWizardTest, SummaryShowsTheLoopsMemory)
{
    m_app->CurrentPIDLoop = 1;
    Loop().PV_H = 100;
    Loop().KP = 2.5f;
    Loop().AnalogOutput = 0;
    Loop().DutyPeriod = 250;
    Open(IDD_PID_WIZARD_STEP4);
    const std::pair<UINT, const char*> statics[] = {
        {1358, "100 %VW2800"}, {1360, "250 %VW2804"}, {1361, "0 %VW2806"}, {1351, "2.500000 %VR3886"},
        {1353, "自动变量"}, {1365, "配置如图，使用了子程序SBR91"},
    };
    for (const auto& [id, text] : statics)
        EXPECT_EQ(Text(id), U(text)) << id;

    const struct {
        int family;
        bool enabled;
    } families[] = {{kFamilyVB16, true}, {kFamilyMask16, true}, {kFamilyVB14, false}};
    for (const auto& f : families) {
        Project().CPUFamilyIndex = f.family;
        Open(IDD_PID_WIZARD_STEP4);
        EXPECT_EQ(Widget(IDC_PID_STEP4_AUTOTUNE)->isEnabled(), f.enabled) << f.family;
    }
    const CPIDLoopConfig before = Loop();
    ASSERT_TRUE(Click(IDC_PID_STEP4_BACK));
    EXPECT_EQ(PageId(), IDD_PID_WIZARD_STEP3);
    EXPECT_EQ(Fields(before), Fields(Loop())) << "the summary stores nothing";
}

// Generate on the summary: a new subroutine through the tree in mode 1,
// the mode back to 0 and the wizard ended.
TEST_F(PIDWizardTest, GenerateMakesTheSubroutineInWizardMode)
{
    m_app->CurrentPIDLoop = 4;
    Open(IDD_PID_WIZARD_STEP4);
    EXPECT_TRUE(Click(IDC_PID_STEP4_GENERATE));
    EXPECT_EQ(PageId(), WIZARD_END);
    EXPECT_EQ(m_host.calls, std::vector<std::string> {"new POU"});
    EXPECT_EQ(m_host.modeDuringNewPOU, PID_GENERATE_WIZARD);
    EXPECT_EQ(m_app->PIDGenerateMode, PID_GENERATE_NONE);
}

// The auto-tune pages: the control byte decoded and packed, the hand-over
// from and back to the summary, the table, and Generate in mode 2 rewriting
// an existing subroutine.
TEST_F(PIDWizardTest, AutoTunePagesEditTheTuneFieldsAndGenerate)
{
    AddPIDSubroutine(2);
    Open(IDD_PID_WIZARD_STEP4);
    ASSERT_TRUE(Click(IDC_PID_STEP4_AUTOTUNE));
    ASSERT_EQ(PageId(), IDD_AUTOTUNE_STEP1);
    auto radio = [&](UINT id) { return Page()->Control<QRadioButton>(id); };
    EXPECT_TRUE(radio(IDC_TUNE_FAST + 2)->isChecked()) << "0x8C: slow";
    EXPECT_EQ(radio(IDC_TUNE_FAST + 2)->text(), U("慢速响应"));
    EXPECT_TRUE(radio(IDC_TUNE_PID)->isChecked());
    EXPECT_TRUE(Page()->Control<QCheckBox>(IDC_TUNE_AUTO)->isChecked());
    EXPECT_FALSE(Widget(IDC_TUNE_DEV)->isEnabled());
    EXPECT_FALSE(Widget(IDC_TUNE_HYS)->isEnabled());
    ASSERT_TRUE(Click(IDC_TUNE_STEP1_BACK));
    EXPECT_EQ(PageId(), IDD_PID_WIZARD_STEP4);
    EXPECT_EQ(Loop().TuneControl, 0x8C) << "unchanged page, same byte";

    const struct {
        BYTE stored;
        BYTE expected;
    } packs[] = {{0x8C, 0x60}, {0x8D, 0x61}};
    for (const auto& p : packs) {
        Loop().TuneControl = p.stored;
        Open(IDD_AUTOTUNE_STEP1);
        radio(IDC_TUNE_FAST + 1)->click();
        radio(IDC_TUNE_PID + 2)->click();
        Page()->Control<QCheckBox>(IDC_TUNE_AUTO)->click();
        EXPECT_TRUE(Widget(IDC_TUNE_DEV)->isEnabled());
        Type(IDC_TUNE_DEV, "0.1");
        Type(IDC_TUNE_HYS, "0.01");
        ASSERT_TRUE(Click(IDC_TUNE_STEP1_NEXT));
        EXPECT_EQ(Loop().TuneControl, p.expected);
        EXPECT_FLOAT_EQ(Loop().DEV, 0.1f);
        EXPECT_FLOAT_EQ(Loop().HYS, 0.01f);
    }

    ASSERT_EQ(PageId(), IDD_AUTOTUNE_STEP2);
    EXPECT_EQ(Text(IDC_TUNE_PVFIL), "1");
    EXPECT_EQ(Text(IDC_TUNE_WDG), "7200");
    EXPECT_TRUE(Widget(IDC_TUNE_DEV)->isHidden());
    Type(IDC_TUNE_PVFIL, "4");
    Type(IDC_TUNE_STEP, "0.2");
    Type(IDC_TUNE_WDG, "7200.9");
    ASSERT_TRUE(Click(IDC_TUNE_STEP2_NEXT));
    EXPECT_EQ(Loop().PVFIL, 4);
    EXPECT_FLOAT_EQ(Loop().WDG, 7200.9f);

    ASSERT_EQ(PageId(), IDD_AUTOTUNE_STEP3);
    auto* table = Page()->Control<QTableWidget>(IDC_TUNE_TABLE);
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->rowCount(), 14);
    EXPECT_EQ(table->item(0, 0)->text(), U("配置控制字节"));
    EXPECT_EQ(table->item(0, 1)->text(), "%VB2740");
    EXPECT_EQ(table->item(0, 2)->text(), U("输入"));
    EXPECT_EQ(table->item(0, 3)->text(), "b#2#01100001");
    EXPECT_EQ(table->item(3, 3)->text(), "b#4");
    EXPECT_EQ(table->item(7, 3)->text(), "7200");
    EXPECT_EQ(table->item(13, 1)->text(), "%VR2780");
    EXPECT_EQ(table->item(13, 3)->text(), "");

    m_ui.box.Answer(IDOK);
    EXPECT_TRUE(Click(IDC_TUNE_STEP3_GENERATE));
    EXPECT_EQ(PageId(), WIZARD_END);
    EXPECT_FALSE(FilesAreOld()) << "the subroutine was rewritten";
    EXPECT_NE(ReadFileText(VarPath()).find("P2_TUNE"), std::string::npos) << "TUNE is an input in mode 2";
    EXPECT_EQ(m_app->PIDGenerateMode, PID_GENERATE_NONE);
}

// Run drives the pages modally: every move closes the page before the next
// one opens, so only one page ever exists, and the run returns once the
// last page closes.
TEST_F(PIDWizardTest, RunKeepsOnePageAtATime)
{
    const UINT clicks[] = {IDC_PID_STEP1_NEXT, IDC_PID_STEP2_NEXT, IDC_PID_STEP3_NEXT, IDC_PID_STEP4_BACK,
                           IDC_PID_STEP3_BACK, IDC_PID_STEP2_NEXT, IDC_PID_STEP3_NEXT, IDC_PID_STEP4_AUTOTUNE,
                           IDC_TUNE_STEP1_NEXT, IDC_TUNE_STEP2_BACK, IDC_TUNE_STEP1_BACK, IDCANCEL};
    size_t next = 0;
    std::vector<int> pagesSeen;
    std::vector<UINT> shown;
    QTimer driver;
    driver.setInterval(5);
    QObject::connect(&driver, &QTimer::timeout, [&] {
        auto* page = qobject_cast<CWizardPage*>(QApplication::activeModalWidget());
        if (page == nullptr || !page->isVisible() || next >= std::size(clicks))
            return;
        int pages = 0;
        for (QWidget* top : QApplication::topLevelWidgets())
            pages += qobject_cast<CWizardPage*>(top) ? 1 : 0;
        pagesSeen.push_back(pages);
        shown.push_back(page->GetDialogId());
        QPushButton* button = page->Control<QPushButton>(clicks[next++]);
        if (button != nullptr)
            button->click();
    });
    driver.start();
    m_pid->Run(nullptr);
    driver.stop();
    EXPECT_EQ(next, std::size(clicks));
    EXPECT_EQ(shown, (std::vector<UINT> {312, 314, 315, 316, 315, 314, 315, 316, 317, 318, 317, 316}));
    EXPECT_EQ(pagesSeen, std::vector<int>(std::size(clicks), 1));
    int left = 0;
    for (QWidget* top : QApplication::topLevelWidgets())
        left += qobject_cast<CWizardPage*>(top) ? 1 : 0;
    EXPECT_EQ(left, 0);
}
