#include "KeyboardMap.h"

namespace {

struct KeyChar {
    UINT key;
    char character;
};

constexpr UINT kNumpadFirst = 0x60;
constexpr UINT kNumpadLast = 0x69;

// Keys outside the letter, digit and keypad-digit ranges that type a character.
constexpr KeyChar kKeyChars[] = {
    {0x08, '\b'}, {0x09, '\t'}, {0x0D, '\r'}, {0x1B, '\x1B'}, {0x20, ' '},
    {0x6A, '*'}, {0x6B, '+'}, {0x6D, '-'}, {0x6E, '.'}, {0x6F, '/'},
    {0xBA, ';'}, {0xBB, '='}, {0xBC, ','}, {0xBD, '-'}, {0xBE, '.'}, {0xBF, '/'}, {0xC0, '`'},
    {0xDB, '['}, {0xDC, '\\'}, {0xDD, ']'}, {0xDE, '\''},
};

} // namespace

UINT MapVirtualKey(UINT code, UINT mapType)
{
    if (mapType != MAPVK_VK_TO_CHAR)
        return 0;
    if ((code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z'))
        return code;
    if (code >= kNumpadFirst && code <= kNumpadLast)
        return '0' + (code - kNumpadFirst);
    for (const KeyChar& entry : kKeyChars)
        if (entry.key == code)
            return static_cast<unsigned char>(entry.character);
    return 0;
}

void MessageBeep(UINT)
{
}
