#pragma once
// The text of a keyboard shortcut: modifier names joined by "+" in front of
// the key name, and the rating that picks which of a command's accelerators
// a menu item shows. Without a keyboard driver that names keys, the names
// come from a fixed table.

#include "platform/ui/CAcceleratorTable.h"

#include <string>

class CTKCommandBars;

class CTKShortcutFormatter {
public:
    explicit CTKShortcutFormatter(const ACCEL* entry = nullptr) : m_pEntry(entry) {}
    virtual ~CTKShortcutFormatter() = default;

    void Format(std::string& out) const;
    // 3 Ctrl, 2 Alt, 1 Shift, 4 a key alone; 0 without an entry.
    int GetPriority() const;

    // Appends the key's name, followed by "+" unless it is the last part;
    // a key without a name adds nothing.
    static void AppendKeyName(std::string& out, UINT virtualKey, BOOL last);
    // The character upper-cased as the bars compare mnemonics; 0 stays 0.
    static char ToUpperChar(char c);

private:
    const ACCEL* m_pEntry;
};

// On entry text is the shortcut text shown now; on return the text to
// show. A text that already shows one of the command's accelerators stays;
// otherwise the best rated one is taken, and a command without accelerators
// gets an empty text. FALSE without a frame, without an accelerator table
// (text unchanged) or without an accelerator for the command.
BOOL FindShortcutText(UINT commandId, std::string& text, const CTKCommandBars* commandBars);
