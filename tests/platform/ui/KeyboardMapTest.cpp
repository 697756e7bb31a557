// The character a virtual key types, as the bars' mnemonic search asks it.

#include "platform/ui/KeyboardMap.h"

#include <gtest/gtest.h>

namespace {

TEST(KeyboardMapTest, KeysToCharacters)
{
    struct Case {
        UINT key;
        UINT character;
    };
    const Case cases[] = {
        {'A', 'A'}, {'Z', 'Z'}, {'0', '0'}, {'9', '9'}, {0x60, '0'}, {0x69, '9'}, {0x6B, '+'},
        {0x20, ' '}, {0xBD, '-'}, {0xDE, '\''}, {VK_RETURN, '\r'},
        {VK_SHIFT, 0}, {VK_LEFT, 0}, {0x70, 0}, {0xFF, 0},
    };
    for (const Case& test : cases)
        EXPECT_EQ(MapVirtualKey(test.key, MAPVK_VK_TO_CHAR), test.character) << test.key;
    EXPECT_EQ(MapVirtualKey('A', 0), 0u);
}

} // namespace
