#include "CClipboard.h"

#include "CMemoryClipboard.h"

#include <vector>

namespace {

constexpr UINT kFirstRegisteredFormat = 0xC000;

IClipboard*& Installed()
{
    static IClipboard* clipboard = nullptr;
    return clipboard;
}

std::vector<std::string>& Names()
{
    static std::vector<std::string> names;
    return names;
}

} // namespace

IClipboard& CClipboard::Get()
{
    static CMemoryClipboard memory;
    IClipboard* clipboard = Installed();
    return clipboard ? *clipboard : memory;
}

void CClipboard::Set(IClipboard* clipboard)
{
    Installed() = clipboard;
}

UINT CClipboard::RegisterFormat(const std::string& name)
{
    if (name.empty())
        return 0;
    std::vector<std::string>& names = Names();
    for (size_t i = 0; i < names.size(); ++i) {
        if (names[i] == name)
            return kFirstRegisteredFormat + static_cast<UINT>(i);
    }
    names.push_back(name);
    return kFirstRegisteredFormat + static_cast<UINT>(names.size() - 1);
}

std::string CClipboard::FormatName(UINT format)
{
    const std::vector<std::string>& names = Names();
    if (format < kFirstRegisteredFormat || format - kFirstRegisteredFormat >= names.size())
        return std::string();
    return names[format - kFirstRegisteredFormat];
}
