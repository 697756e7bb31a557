#include "toolkit/commandbars/images/CTKImageManagerIcons.h"

#include <algorithm>
#include <tuple>

namespace {

constexpr int kNewIconHeight = 15;

} // namespace

CTKCommandIcon* CTKImageManagerIcons::Lookup(UINT width) const
{
    auto it = m_icons.find(width);
    return it == m_icons.end() ? nullptr : it->second.icon.get();
}

CTKCommandIcon* CTKImageManagerIcons::GetIcon(UINT width)
{
    if (CTKCommandIcon* icon = Lookup(width))
        return icon;
    return Enter(width, std::make_unique<CTKCommandIcon>(m_command, static_cast<int>(width), kNewIconHeight, this));
}

CTKCommandIcon* CTKImageManagerIcons::Enter(UINT width, std::unique_ptr<CTKCommandIcon> icon)
{
    icon->SetOwner(this);
    Entry& entry = m_icons[width];
    entry.icon = std::move(icon);
    entry.sequence = m_nextSequence++;
    return entry.icon.get();
}

std::vector<std::pair<UINT, CTKCommandIcon*>> CTKImageManagerIcons::Walk() const
{
    std::vector<std::tuple<UINT, unsigned, UINT, CTKCommandIcon*>> order;
    for (const auto& [width, entry] : m_icons)
        order.emplace_back(HashBucket(width), ~entry.sequence, width, entry.icon.get());
    std::sort(order.begin(), order.end());
    std::vector<std::pair<UINT, CTKCommandIcon*>> result;
    for (const auto& item : order)
        result.emplace_back(std::get<2>(item), std::get<3>(item));
    return result;
}

void CTKImageManagerIcons::SetIcon(const CIconImage& icon, UINT width, BOOL alpha)
{
    GetIcon(width)->SetIcon(icon, alpha);
}

void CTKImageManagerIcons::SetDisabledIcon(const CIconImage& icon, UINT width)
{
    GetIcon(width)->SetDisabledIcon(icon);
}

void CTKImageManagerIcons::SetHotIcon(const CIconImage& icon, UINT width)
{
    GetIcon(width)->SetHotIcon(icon);
}

void CTKImageManagerIcons::Refresh()
{
    for (auto it = m_icons.begin(); it != m_icons.end();) {
        if (it->second.icon->IsScaledCopy()) {
            it = m_icons.erase(it);
            continue;
        }
        it->second.icon->ClearGenerated();
        ++it;
    }
}

void CTKImageManagerIcons::RemoveAll()
{
    m_icons.clear();
}
