#include "toolkit/commandbars/CTKCommandBarsOptions.h"

#include "toolkit/commandbars/draw/CTKBarRenderer.h"

#include <algorithm>
#include <map>

namespace {

constexpr DWORD kOptionsVersion = 6;
// The hash map the set was kept in: its bucket count and the value of every entry.
constexpr UINT kHashBuckets = 17;
constexpr DWORD kEntryValue = 1;
constexpr int kRendererOptions = 3;

UINT BucketOf(UINT id)
{
    return (id >> 4) % kHashBuckets;
}

void StoreBool(CArchive& ar, BOOL value)
{
    ar << static_cast<DWORD>(value);
}

void LoadBool(CArchive& ar, BOOL* value)
{
    DWORD stored = 0;
    ar >> stored;
    *value = static_cast<BOOL>(stored);
}

} // namespace

CTKCommandBarsOptions::CTKCommandBarsOptions(CTKCommandBars* commandBars) : m_pCommandBars(commandBars) {}

CTKCommandBarsOptions::~CTKCommandBarsOptions()
{
    hiddenCommands.clear();
    usedCommands.clear();
}

void CTKCommandBarsOptions::StoreCommandSet(CArchive& ar, const std::set<UINT>& commands)
{
    ar.WriteCount(static_cast<DWORD>(commands.size()));
    std::vector<UINT> ordered(commands.begin(), commands.end());
    std::stable_sort(ordered.begin(), ordered.end(), [](UINT a, UINT b) { return BucketOf(a) < BucketOf(b); });
    for (UINT id : ordered)
        ar << static_cast<DWORD>(id) << kEntryValue;
}

BOOL CTKCommandBarsOptions::LoadCommandSet(CArchive& ar, std::set<UINT>* commands)
{
    const DWORD count = ar.ReadCount(2 * sizeof(DWORD));
    std::set<UINT> loaded;
    for (DWORD i = 0; i < count && ar.IsOK(); ++i) {
        DWORD id = 0;
        DWORD value = 0;
        ar >> id >> value;
        loaded.insert(id);
    }
    if (!ar.IsOK())
        return FALSE;
    commands->insert(loaded.begin(), loaded.end());
    return TRUE;
}

void CTKCommandBarsOptions::Serialize(CArchive& ar)
{
    BOOL* rendererOptions = CTKBarRenderer::GetCurrent() ? CTKBarRenderer::GetCurrent()->GetOptionBlock() : nullptr;
    if (ar.IsStoring()) {
        ar << kOptionsVersion;
        for (BOOL value : {bAlwaysShowFullMenus, bShowFullAfterDelay, bToolBarScreenTips, bToolBarAccelTips,
                           bLargeIcons, bSyncFloatingBars, bShowExpandButtonAlways})
            StoreBool(ar, value);
        ar << szIcons.cx << szIcons.cy << szLargeIcons.cx << szLargeIcons.cy;
        StoreCommandSet(ar, hiddenCommands);
        for (int i = kRendererOptions - 1; i >= 0; --i)
            StoreBool(ar, rendererOptions ? rendererOptions[i] : FALSE);
        return;
    }
    DWORD version = 0;
    ar >> version;
    for (BOOL* value : {&bAlwaysShowFullMenus, &bShowFullAfterDelay, &bToolBarScreenTips, &bToolBarAccelTips,
                        &bLargeIcons, &bSyncFloatingBars, &bShowExpandButtonAlways})
        LoadBool(ar, value);
    ar >> szIcons.cx >> szIcons.cy >> szLargeIcons.cx >> szLargeIcons.cy;
    std::set<UINT> hidden;
    LoadCommandSet(ar, &hidden);
    BOOL stored[kRendererOptions] = {};
    for (int i = kRendererOptions - 1; i >= 0; --i)
        LoadBool(ar, &stored[i]);
    if (!ar.IsOK())
        return;
    hiddenCommands = hidden;
    if (rendererOptions)
        std::copy(stored, stored + kRendererOptions, rendererOptions);
}
