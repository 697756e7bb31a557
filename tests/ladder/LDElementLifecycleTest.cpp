// Deleting trees: labels leave their own program's label list, FB
// instances leave the project only when asked; clipboard copies are freed
// without unregistering anything; a find result never uses a deleted element.

#include "LadderFixture.h"
#include "ladder/CComment.h"
#include "model/CFindResult.h"
#include "model/CZULProjectPOUs.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class LDElementLifecycle : public LadderFixture {};

TEST_F(LDElementLifecycle, DeletingANetworkRemovesOneLabelPerLabelCoilOfItsProgram)
{
    m_names.LDLabelList = {"LOOP", "LOOP", "END"};
    CLDNameTables otherProgram;
    otherProgram.LDLabelList = {"LOOP"};
    CLDElement* root = Coil(Contact("A"), "LOOP", "-(LBL)");
    root->SetChildB(Coil(nullptr, "LOOP", "-(LBL)"));
    root->GetChildB()->SetParent(root);
    root->SetLink(LD_LINK_PARALLEL);
    root->AttachNames(&m_names);
    CLDElement* other = Coil(nullptr, "LOOP", "-(LBL)");
    other->AttachNames(&otherProgram);

    root->DeleteTree(TRUE);
    EXPECT_EQ(m_names.LDLabelList, std::vector<std::string> {"END"});
    EXPECT_EQ(otherProgram.LDLabelList, std::vector<std::string> {"LOOP"});
    other->DeleteTree(TRUE);
    EXPECT_TRUE(otherProgram.LDLabelList.empty());
}

TEST_F(LDElementLifecycle, FBInstanceLeavesTheProjectOnlyWhenAsked)
{
    ASSERT_TRUE(Project().FBTable.AddFBInstance("T37", "TON", "MAIN", FB_LIST_TABLE));
    ASSERT_TRUE(Project().FBTable.AddFBInstance("C5", "CTU", "MAIN", FB_LIST_TABLE));

    Coil(Series(Contact("A"), Block(" t37 ")))->DeleteTree(FALSE);
    EXPECT_EQ(InstancesOfMain(), (std::vector<std::string> {"T37", "C5"}));

    Coil(Series(Contact("A"), Block(" t37 ")))->DeleteTree(TRUE);
    EXPECT_EQ(InstancesOfMain(), std::vector<std::string> {"C5"});

    // A function block names no instance.
    Coil(Series(Contact("A"), Block("C5", TRUE)))->DeleteTree(TRUE);
    EXPECT_EQ(InstancesOfMain(), std::vector<std::string> {"C5"});
}

TEST_F(LDElementLifecycle, ClearingTheClipboardFreesCopiesWithoutUnregistering)
{
    ASSERT_TRUE(Project().FBTable.AddFBInstance("T37", "TON", "MAIN", FB_LIST_TABLE));
    m_names.LDLabelList = {"LOOP"};
    const size_t live = CLDElement::LiveCount();
    CLDElement* copy = Coil(Series(Contact("A"), Block("T37")), "LOOP", "-(LBL)");
    copy->AttachNames(&m_names);
    m_app->LDClipboard.emplace_back(new CComment);
    m_app->LDClipboard.emplace_back(copy);
    EXPECT_EQ(CLDElement::LiveCount(), live + 5);

    m_app->ClearLDClipboard();

    EXPECT_TRUE(m_app->LDClipboard.empty());
    EXPECT_EQ(CLDElement::LiveCount(), live);
    EXPECT_EQ(m_names.LDLabelList, std::vector<std::string> {"LOOP"});
    EXPECT_EQ(InstancesOfMain(), std::vector<std::string> {"T37"});
}

TEST_F(LDElementLifecycle, FindResultOfADeletedElementIsNotUsed)
{
    auto* header = new CComment;
    header->SetText("Pump");
    m_app->Find.CurrentPOUName = "MAIN";
    ASSERT_EQ(header->Find("pump", LD_FIND_REPORT), 1);
    CFindResult& record = m_app->Find.Results[1];
    EXPECT_EQ(CLDElement::FromFindResult(record), header);

    header->DeleteTree(FALSE);
    EXPECT_EQ(CLDElement::FromFindResult(record), nullptr);

    // A later element may take the same memory; it is still not the hit.
    std::vector<std::unique_ptr<CComment>> later;
    for (int i = 0; i < 8; ++i)
        later.push_back(std::make_unique<CComment>());
    EXPECT_EQ(CLDElement::FromFindResult(record), nullptr);
    EXPECT_TRUE(CLDElement::IsLive(later.front().get(), later.front()->GetSerial()));

    record.Element = nullptr;
    EXPECT_EQ(CLDElement::FromFindResult(record), nullptr);
}

} // namespace
