#include "CanOpenFixture.h"
#include "hardware/canopen/CCanOpenNetworkModel.h"
#include "hardware/canopen/CanOpenTexts.h"
#include "model/CCanOpenSlaveType.h"
#include "platform/FileSystem.h"
#include "support/FileBytes.h"
#include "support/TempFolder.h"

#include <gmock/gmock.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace {

using ::testing::ElementsAre;

class NetworkModelTest : public CanOpenFixture {
protected:
    void SetUp() override
    {
        CanOpenFixture::SetUp();
        m_app->SlaveLibrary.clear();
        AddType("PRL120", "CANOPENIO", 401);
        AddType("Servo", "CANOPENDRIVE", 402);
    }
    void AddType(const std::string& name, const std::string& category, int code)
    {
        auto type = std::make_unique<CCanOpenSlaveType>();
        type->name = name;
        type->category = category;
        type->typeCode = code;
        m_app->ReplaceSlaveType(std::move(type));
    }
    void Configure(std::initializer_list<int> slots)
    {
        for (int slot : slots)
            Project().CanOpenSlaves[slot].Name = "PRL120";
    }
    std::unique_ptr<CCanOpenNetworkModel> Model()
    {
        return std::make_unique<CCanOpenNetworkModel>(*m_app, m_folder.Path());
    }

    TempFolder m_folder;
};

TEST_F(NetworkModelTest, AddPlacesTheTypeAtTheLowestFreeSlotUpTo64Slaves)
{
    std::vector<int> sixtyFour;
    for (int slot = 0; slot < NETWORK_MAX_SLAVES; ++slot)
        sixtyFour.push_back(slot);
    struct Case {
        const char* name;
        std::vector<int> configured;
        std::string type;
        int slot;
        const char* message;
    };
    const Case cases[] = {
        {"empty network", {}, "Servo", 0, nullptr},
        {"gap at node 3", {0, 1, 3}, "Servo", 2, nullptr},
        {"after a run", {0, 1, 2}, "PRL120", 3, nullptr},
        {"a category is no type", {}, kIoCategoryItem, -1, kNoSuchSlaveType},
        {"the root is no type", {}, kAllSlaveTypesItem, -1, kNoSuchSlaveType},
        {"64 slaves are full", sixtyFour, "Servo", -1, kNetworkFull},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Project().ResetCanOpenConfig();
        for (int slot : c.configured)
            Project().CanOpenSlaves[slot].Name = "PRL120";
        m_ui.box.Clear();
        m_document.SetModifiedFlag(FALSE);
        auto model = Model();
        EXPECT_EQ(c.slot, model->AddSlaveToNetwork(c.type));
        EXPECT_EQ(c.slot >= 0, model->IsRebuildNeeded() != FALSE);
        EXPECT_EQ(c.slot >= 0, m_document.IsModified() != FALSE);
        if (c.message) {
            EXPECT_THAT(m_ui.box.Texts(), ElementsAre(c.message));
            continue;
        }
        EXPECT_TRUE(m_ui.box.Texts().empty());
        const CCanOpenSlave& slave = model->SlaveGrid().Slave(c.slot);
        EXPECT_EQ(c.type, slave.Name);
        EXPECT_EQ(c.type == "Servo" ? 402 : 401, slave.Type);
        EXPECT_EQ(0xFFFF, slave.BootProg);
        // The project sees the slave only after Save.
        EXPECT_TRUE(Project().CanOpenSlaves[c.slot].Name.empty());
    }
}

TEST_F(NetworkModelTest, DeletingATypeAsksRefusesCategoriesAndDeletesOnlyThatTypesFile)
{
    struct Case {
        const char* name;
        std::string item;
        bool isTypeItem;
        int answer;
        BOOL removed;
        std::vector<std::string> messages;
    };
    const std::string question = "\xC8\xB7\xB6\xA8\xD2\xAA\xC9\xBE\xB3\xFD\xB4\xD3\xD5\xBE\xC0\xE0\xD0\xCD PRL120 "
                                 "\xBC\xB0\xC6\xE4\xBC\xC7\xC2\xBC\xCE\xC4\xBC\xFE\xC2\xF0?";
    const Case cases[] = {
        {"agreed", "PRL120", true, IDYES, TRUE, {question}},
        {"declined", "PRL120", true, IDNO, FALSE, {question}},
        {"category item", kIoCategoryItem, false, IDYES, FALSE, {kOnlyTypesDeleted}},
        {"root item", kAllSlaveTypesItem, false, IDYES, FALSE, {kOnlyTypesDeleted}},
        {"name of no type", "Gone", true, IDYES, FALSE, {kOnlyTypesDeleted}},
        {"empty text", "", true, IDYES, FALSE, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_app->SlaveLibrary.clear();
        AddType("PRL120", "CANOPENIO", 401);
        for (const char* file : {"PRL120", "Gone", "Other"})
            WriteFileText(m_folder / file, "{SlaveNamePRL120,SlaveType401,},\r\n");
        m_ui.box.Clear();
        m_ui.box.Answer(c.answer);
        auto model = Model();
        EXPECT_EQ(c.removed, model->DeleteSlaveType(c.item, c.isTypeItem));
        EXPECT_EQ(c.messages, m_ui.box.Texts());
        EXPECT_EQ(!c.removed, m_app->FindSlaveType("PRL120") != nullptr);
        EXPECT_EQ(!c.removed, FileSystem::FileExists(m_folder / "PRL120") != FALSE);
        EXPECT_TRUE(FileSystem::FileExists(m_folder / "Gone"));
        EXPECT_TRUE(FileSystem::FileExists(m_folder / "Other"));
        EXPECT_EQ(c.removed, model->IsRebuildNeeded());
    }
}

TEST_F(NetworkModelTest, ATypeWhoseNameCannotBeAFileNameLeavesTheFolderAlone)
{
    AddType("../Other", "CANOPENIO", 401);
    WriteFileText(m_folder / "Other", "x");
    auto model = Model();
    EXPECT_TRUE(model->DeleteSlaveType("../Other", true));
    EXPECT_EQ(nullptr, m_app->FindSlaveType("../Other"));
    EXPECT_TRUE(FileSystem::FileExists(m_folder / "Other"));
}

TEST_F(NetworkModelTest, SlaveCommandsSetTheRebuildFlagOnlyWhenTheyChangedSomething)
{
    struct Case {
        const char* name;
        int focusRow;
        BOOL (CCanOpenNetworkModel::*command)();
        BOOL changed;
    };
    const Case cases[] = {
        {"move down", 0, &CCanOpenNetworkModel::MoveSlaveDown, TRUE},
        {"move up from slot 0", 0, &CCanOpenNetworkModel::MoveSlaveUp, FALSE},
        {"delete", 0, &CCanOpenNetworkModel::DeleteSlave, TRUE},
        {"delete a free slot", 5, &CCanOpenNetworkModel::DeleteSlave, FALSE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Project().ResetCanOpenConfig();
        Configure({0});
        m_document.SetModifiedFlag(FALSE);
        auto model = Model();
        model->SlaveGrid().SetFocusCell(c.focusRow, 0);
        EXPECT_EQ(c.changed, (model.get()->*c.command)());
        EXPECT_EQ(c.changed, model->IsRebuildNeeded());
        EXPECT_TRUE(m_document.IsModified());
    }
}

TEST_F(NetworkModelTest, SaveCopiesAll126SlotsOnlyOnceThePageWasInitialisedAndLeavesTheMasterSettings)
{
    Configure({0, 3});
    Project().CanOpenBPS = 2;
    auto model = Model();
    CZULProject::ResetCanOpenSlave(model->SlaveGrid().Slave(3), 3);
    model->AddSlaveToNetwork("Servo");
    m_document.SetModifiedFlag(FALSE);
    EXPECT_TRUE(model->SaveToProject());
    EXPECT_EQ("PRL120", Project().CanOpenSlaves[3].Name);
    EXPECT_FALSE(m_document.IsModified());

    model->SetInitialised(true);
    EXPECT_TRUE(model->SaveToProject());
    EXPECT_EQ("Servo", Project().CanOpenSlaves[1].Name);
    EXPECT_TRUE(Project().CanOpenSlaves[3].Name.empty());
    EXPECT_EQ(model->SlaveGrid().Slave(125).Node, Project().CanOpenSlaves[125].Node);
    EXPECT_EQ(2, Project().CanOpenBPS);
    EXPECT_TRUE(m_document.IsModified());
}

TEST_F(NetworkModelTest, BootStepsReachOnlyAConfiguredFocusSlave)
{
    Configure({2});
    auto model = Model();
    model->SlaveGrid().SetFocusCell(4, 0);
    EXPECT_EQ(-1, model->FocusSlave());
    model->SlaveGrid().SetFocusCell(2, 1);
    EXPECT_EQ(2, model->FocusSlave());
    model->StoreBootSteps(2, 0x0005);
    model->StoreBootSteps(4, 0x0005);
    EXPECT_EQ(0x0005, model->SlaveGrid().Slave(2).BootProg);
    EXPECT_EQ(0xFFFF, model->SlaveGrid().Slave(4).BootProg);
}

} // namespace
