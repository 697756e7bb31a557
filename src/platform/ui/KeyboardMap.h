#pragma once
// Keyboard services the bars ask of the system: the character a virtual
// key types on the US layout, and the warning beep.

#include "platform/ui/WinMessages.h"

// Translation kinds of MapVirtualKey.
constexpr UINT MAPVK_VK_TO_CHAR = 2;

// For MAPVK_VK_TO_CHAR the unshifted character of the key (letters in upper
// case), 0 for keys that type none and for other translation kinds.
UINT MapVirtualKey(UINT code, UINT mapType);
// Sounds are silent on this system; the call is kept where a beep belongs.
void MessageBeep(UINT type);
