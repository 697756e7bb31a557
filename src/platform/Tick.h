#pragma once
// Milliseconds since an arbitrary start, wrapping at 2^32 like the PLC
// tools' tick count, and a sleep of whole milliseconds.

#include "WinTypes.h"

DWORD GetTickCount();
void Sleep(DWORD milliseconds);
