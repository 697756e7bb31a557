#pragma once
// Plain text on the platform clipboard, for the editors that copy and
// paste lines outside a grid.

#include "platform/WinTypes.h"

#include <string>

// Replaces the clipboard's contents by the text (GBK).
BOOL SetClipboardText(const std::string& text);
// The clipboard's text; FALSE when it holds none.
BOOL GetClipboardText(std::string& text);
