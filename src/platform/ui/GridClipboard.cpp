#include "GridClipboard.h"

#include "platform/CClipboard.h"

BOOL SetClipboardText(const std::string& text)
{
    IClipboard& clipboard = CClipboard::Get();
    clipboard.Empty();
    return clipboard.SetText(text);
}

BOOL GetClipboardText(std::string& text)
{
    return CClipboard::Get().GetText(&text);
}
