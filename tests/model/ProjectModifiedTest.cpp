#include "model/CProjTreeDOC.h"
#include "model/ProjectModified.h"

#include <gtest/gtest.h>

namespace {

TEST(ProjectModifiedTest, MarksTheAttachedDocumentOnly)
{
    SetProjectModified(TRUE); // nothing attached: nothing happens

    CProjTreeDOC document;
    AttachProjectDocument(&document);
    SetProjectModified(TRUE);
    EXPECT_TRUE(document.IsModified());
    SetProjectModified(FALSE);
    EXPECT_FALSE(document.IsModified());

    AttachProjectDocument(nullptr);
    SetProjectModified(TRUE);
    EXPECT_FALSE(document.IsModified());
}

} // namespace
