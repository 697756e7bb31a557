#include "toolkit/commandbars/CTKFramePlacement.h"

#include "platform/ui/CWnd.h"
#include "toolkit/commandbars/CTKProfileRegistry.h"

namespace {

const char kPlacementSection[] = "Settings";
const char kPlacementValue[] = "Window Position";
constexpr int kByteBits = 8;
constexpr int kWordBytes = 4;

void AppendWord(std::vector<BYTE>* bytes, UINT word)
{
    for (int i = 0; i < kWordBytes; ++i)
        bytes->push_back(static_cast<BYTE>(word >> (i * kByteBits)));
}

} // namespace

CTKFramePlacement::CTKFramePlacement() : m_showCmd(SW_SHOW) {}

BOOL CTKFramePlacement::ReadPlacement(CWnd* frame)
{
    if (!frame || !frame->IsWindow())
        return FALSE;
    m_showCmd = frame->isMaximized()   ? SW_SHOWMAXIMIZED
                : frame->isMinimized() ? SW_SHOWMINIMIZED
                                       : SW_SHOWNORMAL;
    const QRect normal = frame->normalGeometry().isValid() ? frame->normalGeometry() : frame->geometry();
    m_normalPosition[0] = normal.left();
    m_normalPosition[1] = normal.top();
    m_normalPosition[2] = normal.left() + normal.width();
    m_normalPosition[3] = normal.top() + normal.height();
    return TRUE;
}

std::vector<BYTE> CTKFramePlacement::PlacementBytes() const
{
    std::vector<BYTE> bytes;
    AppendWord(&bytes, 0);
    AppendWord(&bytes, m_length);
    AppendWord(&bytes, m_flags);
    AppendWord(&bytes, m_showCmd);
    for (LONG value : m_minPosition)
        AppendWord(&bytes, static_cast<UINT>(value));
    for (LONG value : m_maxPosition)
        AppendWord(&bytes, static_cast<UINT>(value));
    for (LONG value : m_normalPosition)
        AppendWord(&bytes, static_cast<UINT>(value));
    return bytes;
}

BOOL CTKFramePlacement::SaveWindowPlacement(CWnd* frame, const char* valueName, const CTKProfileRegistry& profile)
{
    if (!ReadPlacement(frame))
        return FALSE;
    if (!valueName && m_showCmd != SW_SHOWMAXIMIZED)
        m_showCmd = SW_SHOWNORMAL;
    profile.WriteProfileBinary(kPlacementSection, valueName ? valueName : kPlacementValue, PlacementBytes());
    return TRUE;
}
