#include "platform/FileSystem.h"
#include "shell/FileTypeRegistration.h"
#include "support/FileBytes.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

TEST(RegistrationTest, WritesTheUsersEntriesOnlyWhenAbsent)
{
    TempFolder data;
    ASSERT_TRUE(RegisterProjectFileType(data.Path(), "/opt/orvel/bin/orvelbuilder"));
    const std::string entry = ReadFileText(data / "applications/orvelbuilder.desktop");
    EXPECT_NE(entry.find("Exec=\"/opt/orvel/bin/orvelbuilder\" %f\n"), std::string::npos);
    EXPECT_NE(entry.find("MimeType=application/x-orvelbuilder-project;"), std::string::npos);
    EXPECT_NE(ReadFileText(data / "mime/packages/orvelbuilder-qpj.xml").find("pattern=\"*.qpj\""), std::string::npos);

    // The user's own choice stays.
    WriteFileText(data / "applications/orvelbuilder.desktop", "[Desktop Entry]\nExec=mine %f\n");
    ASSERT_TRUE(RegisterProjectFileType(data.Path(), "/usr/bin/orvelbuilder"));
    EXPECT_EQ(ReadFileText(data / "applications/orvelbuilder.desktop"), "[Desktop Entry]\nExec=mine %f\n");
}

} // namespace
