#include "CTKShortcutFormatter.h"

#include "CTKCommandBars.h"

#include "platform/ByteString.h"
#include "platform/ui/CFrameWnd.h"
#include "platform/ui/CWinApp.h"

namespace {

constexpr WORD kEscapeCharacter = 27;
constexpr int kPriorityControl = 3;
constexpr int kPriorityAlt = 2;
constexpr int kPriorityShift = 1;
constexpr int kPriorityPlainKey = 4;

struct KeyName {
    UINT key;
    const char* name;
};

// The names used when no keyboard driver names the key.
constexpr KeyName kKeyNames[] = {
    {'0', "0"}, {'1', "1"}, {'2', "2"}, {'3', "3"}, {'4', "4"},
    {'5', "5"}, {'6', "6"}, {'7', "7"}, {'8', "8"}, {'9', "9"},
    {'A', "A"}, {'B', "B"}, {'C', "C"}, {'D', "D"}, {'E', "E"}, {'F', "F"}, {'G', "G"},
    {'H', "H"}, {'I', "I"}, {'J', "J"}, {'K', "K"}, {'L', "L"}, {'M', "M"}, {'N', "N"},
    {'O', "O"}, {'P', "P"}, {'Q', "Q"}, {'R', "R"}, {'S', "S"}, {'T', "T"}, {'U', "U"},
    {'V', "V"}, {'W', "W"}, {'X', "X"}, {'Y', "Y"}, {'Z', "Z"},
    {1, "Left Button"}, {2, "Right Button"}, {3, "Cancel"}, {4, "Middle Button"},
    {8, "Back"}, {9, "Tab"}, {12, "Clear"}, {13, "Enter"},
    {16, "Shift"}, {17, "Ctrl"}, {18, "Alt"}, {19, "Pause"}, {20, "Caps Lock"},
    {27, "Esc"}, {32, "Space"},
    {33, "Page Up"}, {34, "Page Down"}, {35, "End"}, {36, "Home"},
    {37, "Left Arrow"}, {38, "Up Arrow"}, {39, "Right Arrow"}, {40, "Down Arrow"},
    {41, "Select"}, {42, "Print"}, {43, "Execute"}, {44, "Snapshot"},
    {45, "Ins"}, {46, "Del"}, {47, "Help"},
    {91, "Left Windows"}, {92, "Right Windows"}, {93, "Application"},
    {106, "Num *"}, {107, "Num +"}, {108, "Separator"}, {109, "Num -"}, {110, "Num ."}, {111, "Num /"},
    {112, "F1"}, {113, "F2"}, {114, "F3"}, {115, "F4"}, {116, "F5"}, {117, "F6"},
    {118, "F7"}, {119, "F8"}, {120, "F9"}, {121, "F10"}, {122, "F11"}, {123, "F12"},
    {96, "Num 0"}, {97, "Num 1"}, {98, "Num 2"}, {99, "Num 3"}, {100, "Num 4"},
    {101, "Num 5"}, {102, "Num 6"}, {103, "Num 7"}, {104, "Num 8"}, {105, "Num 9"},
    {144, "Num Lock"}, {145, "Scrl Lock"},
    {246, "Attn"}, {247, "Crsel"}, {248, "Exsel"}, {249, "Ereof"}, {250, "Play"},
    {251, "Zoom"}, {252, "No Name"}, {253, "Pa1"}, {254, "Oem Clear"},
};

const CFrameWnd* FindFrame(const CTKCommandBars* commandBars)
{
    if (commandBars)
        return commandBars->GetFrame();
    CWinApp* app = AfxGetApp();
    return app ? dynamic_cast<const CFrameWnd*>(app->GetMainWnd()) : nullptr;
}

} // namespace

void CTKShortcutFormatter::Format(std::string& out) const
{
    out.clear();
    if (!m_pEntry)
        return;
    if (m_pEntry->fVirt & FCONTROL)
        AppendKeyName(out, VK_CONTROL, FALSE);
    if (m_pEntry->fVirt & FSHIFT)
        AppendKeyName(out, VK_SHIFT, FALSE);
    if (m_pEntry->fVirt & FALT)
        AppendKeyName(out, VK_MENU, FALSE);
    if (m_pEntry->key == 0) {
        if (!out.empty())
            out.pop_back();
        return;
    }
    if (m_pEntry->fVirt & FVIRTKEY) {
        AppendKeyName(out, m_pEntry->key, TRUE);
        return;
    }
    if (m_pEntry->key != kEscapeCharacter)
        out += static_cast<char>(m_pEntry->key);
}

int CTKShortcutFormatter::GetPriority() const
{
    if (!m_pEntry)
        return 0;
    if (m_pEntry->fVirt & FCONTROL)
        return kPriorityControl;
    if (m_pEntry->fVirt & FALT)
        return kPriorityAlt;
    if (m_pEntry->fVirt & FSHIFT)
        return kPriorityShift;
    return kPriorityPlainKey;
}

void CTKShortcutFormatter::AppendKeyName(std::string& out, UINT virtualKey, BOOL last)
{
    std::string name;
    for (const KeyName& entry : kKeyNames)
        if (entry.key == virtualKey)
            name = entry.name;
    if (name.empty())
        return;
    out += name;
    if (!last)
        out += '+';
}

char CTKShortcutFormatter::ToUpperChar(char c)
{
    if (c == 0)
        return 0;
    return ByteString::Upper(std::string(1, c))[0];
}

BOOL FindShortcutText(UINT commandId, std::string& text, const CTKCommandBars* commandBars)
{
    const CFrameWnd* frame = FindFrame(commandBars);
    if (!frame)
        return FALSE;
    const std::vector<ACCEL>& entries = frame->GetDefaultAccelerator().GetEntries();
    if (entries.empty())
        return FALSE;
    const ACCEL* best = nullptr;
    BOOL currentFound = FALSE;
    for (const ACCEL& entry : entries) {
        if (entry.cmd != commandId)
            continue;
        CTKShortcutFormatter formatter(&entry);
        std::string entryText;
        formatter.Format(entryText);
        if (entryText == text)
            currentFound = TRUE;
        if (!best || CTKShortcutFormatter(best).GetPriority() < formatter.GetPriority())
            best = &entry;
    }
    if (!best) {
        text.clear();
        return FALSE;
    }
    if (!currentFound)
        CTKShortcutFormatter(best).Format(text);
    return TRUE;
}
