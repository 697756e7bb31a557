#include "toolkit/commandbars/CTKBarStateInfo.h"

#include "platform/CSystemMetrics.h"
#include "platform/MulDiv.h"
#include "platform/ui/CSettingsStore.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kDefaultPosition = -1;
constexpr int kDefaultMRUWidth = 32767;
// More records than this were never written: the count is damaged.
constexpr int kMaxBars = 1024;

std::string Format(const char* format, const std::string& profile, int index)
{
    char text[256];
    std::snprintf(text, sizeof text, format, profile.c_str(), index);
    return text;
}

} // namespace

CTKBarStateInfo::CTKBarStateInfo()
    : m_szScreen(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)),
      m_ptLimit(m_szScreen.cx - GetSystemMetrics(SM_CXICON), m_szScreen.cy - GetSystemMetrics(SM_CYICON))
{
}

std::string CTKBarStateInfo::SummarySection(const std::string& profile)
{
    return profile + "-Summary";
}

std::string CTKBarStateInfo::BarSection(const std::string& profile, int index)
{
    return Format("%s-Bar%d", profile, index);
}

std::string CTKBarStateInfo::DockBarSection(const std::string& profile, int index)
{
    return Format("%s-DockBar%d", profile, index);
}

std::string CTKBarStateInfo::ControlsSection(const std::string& profile)
{
    return profile + "-Controls";
}

void CTKBarStateInfo::SaveRecord(const CSettingsStore& store, const std::string& section, const CTKBarInfo& info)
{
    store.DeleteSection(section);
    store.WriteInt(section, "BarID", static_cast<int>(info.nBarId));
    if (!info.bVisible)
        store.WriteInt(section, "Visible", 0);
    if (info.bFloating)
        store.WriteInt(section, "Floating", info.bFloating);
    if (info.ptPosition.x != kDefaultPosition)
        store.WriteInt(section, "XPos", info.ptPosition.x);
    if (info.ptPosition.y != kDefaultPosition)
        store.WriteInt(section, "YPos", info.ptPosition.y);
    if (info.nMRUWidth != kDefaultMRUWidth)
        store.WriteInt(section, "MRUWidth", info.nMRUWidth);
    store.WriteInt(section, "MRUDockID", static_cast<int>(info.nMRUDockId));
    store.WriteInt(section, "MRUDockLeftPos", info.rcMRUDock.left);
    store.WriteInt(section, "MRUDockTopPos", info.rcMRUDock.top);
    store.WriteInt(section, "MRUDockRightPos", info.rcMRUDock.right);
    store.WriteInt(section, "MRUDockBottomPos", info.rcMRUDock.bottom);
    store.WriteInt(section, "MRUFloatXPos", info.ptMRUFloat.x);
    store.WriteInt(section, "MRUFloatYPos", info.ptMRUFloat.y);
}

void CTKBarStateInfo::Save(const CSettingsStore& store, const std::string& profile) const
{
    for (std::size_t i = 0; i < bars.size(); ++i)
        SaveRecord(store, BarSection(profile, static_cast<int>(i)), *bars[i]);
    const std::string summary = SummarySection(profile);
    store.WriteInt(summary, "Bars", static_cast<int>(bars.size()));
    store.WriteInt(summary, "ScreenCX", m_szScreen.cx);
    store.WriteInt(summary, "ScreenCY", m_szScreen.cy);
}

CPoint CTKBarStateInfo::ScalePoint(CPoint point) const
{
    if (m_bScaling) {
        point.x = MulDiv(point.x, m_szScreen.cx, m_szSaved.cx);
        point.y = MulDiv(point.y, m_szScreen.cy, m_szSaved.cy);
    }
    return CPoint(std::min(point.x, m_ptLimit.x), std::min(point.y, m_ptLimit.y));
}

void CTKBarStateInfo::LoadRecord(const CSettingsStore& store, const std::string& section, CTKBarInfo* info) const
{
    info->nBarId = static_cast<UINT>(store.GetInt(section, "BarID", 0));
    info->bVisible = store.GetInt(section, "Visible", TRUE);
    info->bFloating = store.GetInt(section, "Floating", FALSE);
    info->ptPosition = ScalePoint(
        CPoint(store.GetInt(section, "XPos", kDefaultPosition), store.GetInt(section, "YPos", kDefaultPosition)));
    info->nMRUWidth = store.GetInt(section, "MRUWidth", kDefaultMRUWidth);
    info->nMRUDockId = static_cast<UINT>(store.GetInt(section, "MRUDockID", 0));
    CRect dock(store.GetInt(section, "MRUDockLeftPos", 0), store.GetInt(section, "MRUDockTopPos", 0),
               store.GetInt(section, "MRUDockRightPos", 0), store.GetInt(section, "MRUDockBottomPos", 0));
    const CPoint corner = ScalePoint(dock.TopLeft());
    dock.OffsetRect(corner.x - dock.left, corner.y - dock.top);
    info->rcMRUDock = dock;
    info->ptMRUFloat =
        ScalePoint(CPoint(store.GetInt(section, "MRUFloatXPos", 0), store.GetInt(section, "MRUFloatYPos", 0)));
}

BOOL CTKBarStateInfo::Load(const CSettingsStore& store, const std::string& profile)
{
    bars.clear();
    const std::string summary = SummarySection(profile);
    const int count = store.GetInt(summary, "Bars", 0);
    if (count < 0 || count > kMaxBars)
        return FALSE;
    m_szSaved = CSize(store.GetInt(summary, "ScreenCX", 0), store.GetInt(summary, "ScreenCY", 0));
    // A size that was never written (or is no size) gives nothing to scale by.
    m_bScaling = m_szSaved.cx > 0 && m_szSaved.cy > 0 && m_szSaved != m_szScreen;
    for (int i = 0; i < count; ++i) {
        auto info = std::make_unique<CTKBarInfo>();
        LoadRecord(store, BarSection(profile, i), info.get());
        bars.push_back(std::move(info));
    }
    return TRUE;
}
