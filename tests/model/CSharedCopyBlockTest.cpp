#include "model/CSharedCopyBlock.h"

#include "support/ScriptedUi.h"

#include "platform/Tick.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <vector>

namespace {

// A block name of this test alone, so that test programs running side by
// side never meet in one block.
std::string UniqueName(const char* test)
{
    return std::string("MMFTest-") + test + "-" + std::to_string(::getpid());
}

DWORD Field(const CSharedMemoryBlock& block, DWORD offset)
{
    DWORD value = 0;
    std::memcpy(&value, block.Data() + offset, 4);
    return value;
}

void SetField(const CSharedMemoryBlock& block, DWORD offset, DWORD value)
{
    std::memcpy(block.Data() + offset, &value, 4);
}

} // namespace

TEST(CSharedCopyBlockTest, WritesTheBlockLayoutAndReadsItBack)
{
    const std::string name = UniqueName("layout");
    CSharedCopyBlock writer(name);
    const int values[] = {7, -2, 0x12345678};
    ASSERT_TRUE(writer.Copy("NETWORK 1", 5, 3, values, 9, 2, 0x40));

    CSharedMemoryBlock raw;
    ASSERT_TRUE(raw.Open(name));
    EXPECT_GE(raw.Size(), 60u + 12 + 9 + 512000);
    EXPECT_EQ(Field(raw, SCB_TOTAL_SIZE), 60u + 12 + 9);
    EXPECT_EQ(Field(raw, SCB_BUSY), 0u);
    EXPECT_EQ(Field(raw, SCB_READERS), 0u);
    EXPECT_EQ(Field(raw, SCB_VALUE_A), 1u);
    EXPECT_EQ(Field(raw, SCB_VALUE_B), 1u);
    EXPECT_EQ(Field(raw, SCB_SUB_TYPE), 2u);
    EXPECT_EQ(Field(raw, SCB_FAMILY), 0x40u);
    EXPECT_EQ(Field(raw, SCB_KIND), 5u);
    EXPECT_EQ(Field(raw, SCB_EXTRA), 9u);
    EXPECT_EQ(Field(raw, SCB_COUNT), 3u);
    EXPECT_EQ(Field(raw, 64), DWORD(-2));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(raw.Data() + 72), 9), "NETWORK 1");

    CSharedCopyBlock reader(name);
    SharedCopyContent content;
    int read[8] = {};
    ASSERT_TRUE(reader.Paste(content, read, 8, FALSE));
    EXPECT_EQ(content.kind, 5);
    EXPECT_EQ(content.extra, 9);
    EXPECT_EQ(content.count, 3);
    EXPECT_EQ(read[1], -2);
    EXPECT_EQ(read[2], 0x12345678);
    EXPECT_EQ(content.text, "NETWORK 1");
    EXPECT_EQ(Field(raw, SCB_READERS), 0u);

    SharedCopyContent peek;
    peek.text = "unchanged";
    ASSERT_TRUE(reader.Paste(peek, read, 8, TRUE));
    EXPECT_EQ(peek.text, "unchanged");
}

TEST(CSharedCopyBlockTest, PasteWithoutBlockFailsSilently)
{
    CScopedUi ui;
    CSharedCopyBlock reader(UniqueName("none"));
    SharedCopyContent content;
    int values[4] = {};
    EXPECT_FALSE(reader.Paste(content, values, 4, FALSE));
    EXPECT_TRUE(ui.box.Messages().empty());
}

TEST(CSharedCopyBlockTest, RefusesWhatDoesNotFit)
{
    const std::string name = UniqueName("fit");
    CSharedCopyBlock writer(name);
    const int values[] = {1, 2, 3, 4, 5};
    ASSERT_TRUE(writer.Copy("small", 1, 5, values, 0, 0, 1));

    CSharedMemoryBlock raw;
    ASSERT_TRUE(raw.Open(name));
    const size_t size = raw.Size();

    // The mapping was sized by the first copy; a text that needs more is not written.
    const std::string huge(size, 'x');
    EXPECT_FALSE(writer.Copy(huge, 2, 0, nullptr, 0, 0, 1));
    EXPECT_EQ(Field(raw, SCB_KIND), 1u);

    // A paste with room for fewer values than the block holds reads nothing.
    CSharedCopyBlock reader(name);
    SharedCopyContent content;
    int read[4] = {-1, -1, -1, -1};
    EXPECT_FALSE(reader.Paste(content, read, 4, FALSE));
    EXPECT_EQ(read[0], -1);
    EXPECT_EQ(Field(raw, SCB_READERS), 0u);

    // A damaged header whose count passes the size is refused too.
    SetField(raw, SCB_COUNT, 0x40000000);
    int room[16] = {};
    EXPECT_FALSE(reader.Paste(content, room, 16, FALSE));
    SetField(raw, SCB_COUNT, 5);
    SetField(raw, SCB_TOTAL_SIZE, DWORD(size + 1));
    EXPECT_FALSE(reader.Paste(content, room, 16, FALSE));
}

TEST(CSharedCopyBlockTest, BusyBlockShowsTheMessageUntilItsLockIsStale)
{
    const std::string name = UniqueName("busy");
    CSharedCopyBlock writer(name);
    const int values[] = {3};
    ASSERT_TRUE(writer.Copy("first", 1, 1, values, 0, 0, 1));
    CSharedMemoryBlock raw;
    ASSERT_TRUE(raw.Open(name));

    // Another instance is writing since 5 s.
    SetField(raw, SCB_BUSY, 1);
    SetField(raw, SCB_TICK, GetTickCount() - 5000);
    CScopedUi ui;
    CSharedCopyBlock reader(name);
    SharedCopyContent content;
    int read[4] = {};
    EXPECT_FALSE(reader.Paste(content, read, 4, FALSE));
    // The refused paste leaves no reader registered that would hold off the writer.
    EXPECT_EQ(Field(raw, SCB_READERS), 0u);
    EXPECT_FALSE(writer.Copy("second", 2, 1, values, 0, 0, 1));
    const std::string busy = "\xD3\xD0\xC6\xE4\xCB\xFB\xBD\xF8\xB3\xCC\xD5\xFD\xD4\xDA\xCA\xB9\xD3\xC3\xB8\xB4\xD6\xC6"
                             "\xD5\xB3\xCC\xF9\xB5\xC4\xB4\xE6\xB4\xA2\xC7\xF8\xA3\xAC\xC7\xEB\xC9\xD4\xB5\xC8\xC6\xAC"
                             "\xBF\xCC\xBA\xF3\xD6\xD8\xCA\xD4\xA3\xA1";
    const auto messages = ui.box.Messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].text, busy);
    EXPECT_EQ(messages[0].type, MB_YESNO | MB_ICONQUESTION);

    // 31 s later the lock is broken and the paste really reads.
    SetField(raw, SCB_TICK, GetTickCount() - 31000);
    ASSERT_TRUE(reader.Paste(content, read, 4, FALSE));
    EXPECT_EQ(content.text, "first");
    EXPECT_EQ(Field(raw, SCB_BUSY), 0u);

    // A reader that died leaves its count; once stale the copy really writes.
    SetField(raw, SCB_READERS, 1);
    SetField(raw, SCB_TICK, GetTickCount() - 31000);
    ASSERT_TRUE(writer.Copy("second", 2, 1, values, 0, 0, 1));
    EXPECT_EQ(Field(raw, SCB_KIND), 2u);
    EXPECT_EQ(Field(raw, SCB_READERS), 0u);
    EXPECT_EQ(ui.box.Messages().size(), 2u);
}

TEST(CSharedCopyBlockTest, TwoProcessesExchangeBlocks)
{
    const std::string name = UniqueName("processes");
    CSharedCopyBlock first(name);
    const int values[] = {11, 22};
    ASSERT_TRUE(first.Copy("from parent", 4, 2, values, 6, 3, 2));

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        CSharedCopyBlock second(name);
        SharedCopyContent content;
        int read[2] = {};
        const bool pasted = second.Paste(content, read, 2, FALSE) && content.text == "from parent"
                            && content.kind == 4 && content.extra == 6 && read[1] == 22;
        const int reply[] = {33};
        const bool copied = second.Copy("from child", 8, 1, reply, 1, 0, 1);
        ::_exit(pasted && copied ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);

    SharedCopyContent content;
    int read[2] = {};
    ASSERT_TRUE(first.Paste(content, read, 2, FALSE));
    EXPECT_EQ(content.text, "from child");
    EXPECT_EQ(content.kind, 8);
    EXPECT_EQ(read[0], 33);
}
