// The hardware check storing the CANopen pages: a status area typed outside
// the CPU's V area is refused with its warning shown while the master page
// is in front, and values the project already holds never block the check.

#include "CanOpenSheetFixture.h"

#include "hardware/canopen/CanOpenTexts.h"
#include "model/CMemAreaInfo.h"
#include "platform/CUserInterface.h"

#include <QLineEdit>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

// Notes which pages are in front while a message is shown.
class CFrontAtMessage : public IMessageBox {
public:
    explicit CFrontAtMessage(std::function<void()> note) : m_note(std::move(note)) {}
    int Show(const std::string&, const std::string& text, UINT) override
    {
        texts.push_back(text);
        m_note();
        return IDOK;
    }
    std::vector<std::string> texts;

private:
    std::function<void()> m_note;
};

class CanOpenCheckTest : public CanOpenSheetFixture {};

TEST_F(CanOpenCheckTest, StatusAreaOutsideTheVAreaIsRefusedWithTheMasterPageInFrontButAStoredOneSaves)
{
    const int vBytes = static_cast<int>(g_LiveAreaTable[MEM_ROW_V].unitCount);
    struct Case {
        const char* name;
        int storedMasterStart;
        int storedSlavesStart;
        UINT field;       // 0: nothing typed
        int typed;
        bool stored;
    };
    const Case cases[] = {
        {"master status typed past the V area", 1010, 1030, IDC_CANOPEN_MASTER_STATUS, vBytes, false},
        {"master status typed on the last V byte", 1010, 1030, IDC_CANOPEN_MASTER_STATUS, vBytes - 1, true},
        {"slaves status typed so that its area ends past V", 1010, 1030, IDC_CANOPEN_SLAVES_STATUS,
         vBytes - 126, false},
        {"slaves status typed so that its area ends on the last V byte", 1010, 1030, IDC_CANOPEN_SLAVES_STATUS,
         vBytes - 128, true},
        {"master status the project already holds past V", vBytes, 1030, 0, 0, true},
        {"slaves status the project already holds past V", 1010, vBytes, 0, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_frame.reset();
        Project().Modules.clear();
        Project().MasterStates = c.storedMasterStart;
        Project().AllSalveStates = c.storedSlavesStart;
        Project().OverTime = 500;
        CSheetCPU& cpu = OpenFrame();
        CCanOpenSheet* canOpen = ShowCanOpenTab();
        ASSERT_NE(canOpen, nullptr);
        CMasterAndGlobal& master = canOpen->MasterPage();
        if (c.field != 0)
            master.findChild<QLineEdit*>(QString::number(c.field))->setText(QString::number(c.typed));
        master.findChild<QLineEdit*>(QString::number(IDC_CANOPEN_SDO_TIMEOUT))->setText("800");
        // Another CPU tab in front, the network page in front of the CANopen sheet.
        cpu.GetTabControl()->setCurrentIndex(0);
        canOpen->SetActivePage(&canOpen->NetworkPage());

        std::vector<std::pair<CPropertyPage*, CPropertyPage*>> fronts;
        CFrontAtMessage box([&] { fronts.emplace_back(cpu.GetActivePage(), canOpen->GetActivePage()); });
        CUserInterface::SetMessageBox(&box);
        const BOOL applied = cpu.ApplyPages();
        CUserInterface::SetMessageBox(&m_ui.box);

        EXPECT_EQ(c.stored, applied != FALSE);
        EXPECT_EQ(c.stored ? 800 : 500, Project().OverTime);
        if (c.stored) {
            EXPECT_TRUE(box.texts.empty()) << box.texts.front();
            continue;
        }
        ASSERT_EQ(1u, box.texts.size());
        EXPECT_EQ(CanOpenPage(), fronts[0].first);
        EXPECT_EQ(&master, fronts[0].second);
        EXPECT_EQ(CanOpenPage(), cpu.GetActivePage());
        EXPECT_EQ(&master, canOpen->GetActivePage());
    }
}

} // namespace
