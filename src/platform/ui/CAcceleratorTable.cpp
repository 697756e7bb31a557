#include "CAcceleratorTable.h"

WORD CAcceleratorTable::FindCommand(const MSG& msg, BOOL shift, BOOL control) const
{
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN)
        return 0;
    BOOL alt = (static_cast<DWORD>(msg.lParam) & (1u << 29)) != 0;
    BYTE mods = static_cast<BYTE>((shift ? FSHIFT : 0) | (control ? FCONTROL : 0) | (alt ? FALT : 0));
    for (const ACCEL& accel : m_entries) {
        if (accel.key != msg.wParam)
            continue;
        if ((accel.fVirt & (FSHIFT | FCONTROL | FALT)) == mods)
            return accel.cmd;
    }
    return 0;
}
