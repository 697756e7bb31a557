#include "HardwareGridFixture.h"

#include "hardware/HardwareTexts.h"

namespace {

using Labels = std::vector<std::string>;

class ModuleRemovalTest : public HardwareGridFixture {
protected:
    void SetUp() override
    {
        HardwareGridFixture::SetUp();
        Build(CODE_VB16, {CODE_DI8, CODE_DO8, CODE_DI8, CODE_DO8});
        m_ui.box.Clear();
        m_host.calls.clear();
        m_doc.SetModifiedFlag(FALSE);
    }
    // Model names by slot, "-" for an empty slot.
    std::vector<std::string> Models()
    {
        std::vector<std::string> models;
        for (int slot = 0; slot < Slots(); ++slot)
            models.push_back(Slot(slot) ? Slot(slot)->model : "-");
        return models;
    }
};

TEST_F(ModuleRemovalTest, SlotsAreEmptiedInTheMiddleAndDroppedAtTheEnd)
{
    struct Case {
        const char* what;
        int first;
        int last;
        std::vector<std::string> models;
        Labels tabs;
    };
    const Case cases[] = {
        {"a middle module", 2, 2, {"VB16-40AR", "VE50-08DX", "-", "VE50-08DX", "VE60-08DT"},
         {"Note", "1", "2", "3", "4", "5"}},
        {"two middle modules", 1, 2, {"VB16-40AR", "-", "-", "VE50-08DX", "VE60-08DT"},
         {"Note", "1", "2", "3", "4", "5"}},
        {"the last module", 4, 4, {"VB16-40AR", "VE50-08DX", "VE60-08DT", "VE50-08DX"}, {"Note", "1", "2", "3", "4"}},
        {"the last two modules and the empty rows after them", 3, 6, {"VB16-40AR", "VE50-08DX", "VE60-08DT"},
         {"Note", "1", "2", "3"}},
        {"the CPU", 0, 0, {"-", "VE50-08DX", "VE60-08DT", "VE50-08DX", "VE60-08DT"},
         {"Note", "1", "2", "3", "4", "5"}},
        {"everything", 0, 4, {}, {"Note"}},
    };
    for (const Case& c : cases) {
        SetUp();
        Remove(c.first, c.last);

        ASSERT_EQ(1u, m_ui.box.Messages().size()) << c.what;
        EXPECT_EQ("Note", m_ui.box.Messages()[0].caption);
        EXPECT_EQ(kRemoveModuleQuestion, m_ui.box.Messages()[0].text);
        EXPECT_EQ(MB_YESNO | MB_ICONQUESTION, m_ui.box.Messages()[0].type);
        EXPECT_EQ(c.models, Models()) << c.what;
        EXPECT_EQ(c.tabs, m_host.Labels()) << c.what;
        for (int slot = 0; slot < Slots(); ++slot)
            EXPECT_EQ(Slot(slot), m_host.tabs[static_cast<size_t>(slot) + 1].record) << c.what << " slot " << slot;
        EXPECT_EQ("redraw", m_host.calls.back()) << c.what;
        EXPECT_TRUE(m_doc.IsModified()) << c.what;
        TearDown();
    }
}

// Emptying slot 2 and then removing the last module takes the empty slot with it.
TEST_F(ModuleRemovalTest, RemovingTheLastModuleAlsoDropsTheEmptySlotsBeforeIt)
{
    Remove(3, 3);
    Remove(2, 2);
    ASSERT_EQ(5, Slots());

    Remove(4, 4);

    EXPECT_EQ((std::vector<std::string>{"VB16-40AR", "VE50-08DX"}), Models());
    EXPECT_EQ((Labels{"Note", "1", "2"}), m_host.Labels());
}

TEST_F(ModuleRemovalTest, NoOrARowWithoutModuleRemovesNothing)
{
    m_ui.box.Answer(IDNO);
    m_grid->SelectModuleRow(3, 1);
    m_grid->RemoveModule();
    EXPECT_EQ(5, Slots());
    EXPECT_NE(nullptr, Slot(2));
    EXPECT_TRUE(m_host.calls.empty());
    EXPECT_FALSE(m_doc.IsModified());

    m_ui.box.Clear();
    m_grid->SelectModuleRow(6, 1);
    EXPECT_FALSE(m_grid->CanRemoveModule());
    m_grid->OnKeyDown(HardwareGridKey::Delete, false);
    EXPECT_TRUE(m_ui.box.Messages().empty());
    EXPECT_EQ(5, Slots());

    m_grid->SelectModuleRow(5, 1);
    EXPECT_TRUE(m_grid->CanRemoveModule());
    m_grid->OnKeyDown(HardwareGridKey::Delete, false);
    EXPECT_EQ(4, Slots());
}

} // namespace
