#include "toolkit/commandbars/images/CTKCommandImages.h"

#include "platform/CArchive.h"
#include "platform/CClipboard.h"
#include "platform/CImageList.h"
#include "platform/ui/CResourceStore.h"
#include "toolkit/commandbars/images/IconBitmaps.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <tuple>

namespace {

constexpr COLORREF kDefaultMaskColor = RGB(192, 192, 192);
// The tag that starts every icon set record.
constexpr const char* kIconSetTag = "CTKImageManagerIcons";
// A width key and the smallest icon record: height, alpha and six empty bitmaps.
constexpr std::size_t kMinIconEntry = 4 + 4 + 4 + 6 * 2;

} // namespace

CTKCommandImages::CTKCommandImages()
    : m_toolBarImageFormat(CClipboard::RegisterFormat(kToolBarImageFormat)),
      m_alphaMarkerFormat(CClipboard::RegisterFormat(kAlphaBitmapImageFormat)), m_maskColor(kDefaultMaskColor)
{
}

CTKCommandImages::~CTKCommandImages()
{
    RemoveAll();
}

CTKCommandImages& CTKCommandImages::Global()
{
    static CTKCommandImages store;
    return store;
}

CTKImageManagerIcons* CTKCommandImages::GetCommandIcons(UINT command) const
{
    auto it = m_commands.find(command);
    return it == m_commands.end() ? nullptr : it->second.icons.get();
}

CTKImageManagerIcons* CTKCommandImages::EnterSet(UINT command, std::unique_ptr<CTKImageManagerIcons> icons)
{
    Entry& entry = m_commands[command];
    entry.icons = std::move(icons);
    entry.sequence = m_nextSequence++;
    return entry.icons.get();
}

std::vector<CTKImageManagerIcons*> CTKCommandImages::Walk() const
{
    std::vector<std::tuple<UINT, unsigned, CTKImageManagerIcons*>> order;
    for (const auto& [command, entry] : m_commands)
        order.emplace_back(HashBucket(command), ~entry.sequence, entry.icons.get());
    std::sort(order.begin(), order.end());
    std::vector<CTKImageManagerIcons*> result;
    for (const auto& item : order)
        result.push_back(std::get<2>(item));
    return result;
}

CTKCommandIcon* CTKCommandImages::FindIcon(UINT command, int width)
{
    CTKImageManagerIcons* icons = GetCommandIcons(command);
    if (icons == nullptr || icons->IsEmpty())
        return nullptr;
    if (CTKCommandIcon* exact = icons->Lookup(static_cast<UINT>(width)))
        return exact;
    // Scaled copies are never the source: a later refresh may delete them.
    CTKCommandIcon* nearest = nullptr;
    int nearestDifference = std::numeric_limits<int>::max();
    for (const auto& [iconWidth, icon] : icons->Walk()) {
        const int difference = std::abs(static_cast<int>(iconWidth) - width);
        if (icon->IsScaledCopy() || difference >= nearestDifference)
            continue;
        nearest = icon;
        nearestDifference = difference;
    }
    if (nearest == nullptr)
        return nullptr;
    if (nearest->IsAlpha())
        return nearest;
    std::unique_ptr<CTKCommandIcon> copy(nearest->Scale(width));
    if (!copy)
        return nearest;
    copy->SetScaledCopy(TRUE);
    return icons->Enter(static_cast<UINT>(width), std::move(copy));
}

BOOL CTKCommandImages::SetIcon(const CIconImage& icon, UINT command, int cx, int cy, int state, BOOL alpha)
{
    if (icon.IsEmpty() || cx < 0 || cy < 0)
        return FALSE;
    if (cx == 0 && cy == 0) {
        const CSize size = GetIconSize(icon);
        cx = size.cx;
        cy = size.cy;
    }
    if (cx == 0 && cy == 0)
        return FALSE;
    const UINT width = static_cast<UINT>(cx);
    CTKImageManagerIcons* icons = GetCommandIcons(command);
    if (icons == nullptr) {
        if (state != kNormal)
            return FALSE;
        icons = EnterSet(command, std::make_unique<CTKImageManagerIcons>(command));
    }
    switch (state) {
    case kNormal:
        icons->SetIcon(icon, width, alpha);
        break;
    case kDisabled:
        icons->SetDisabledIcon(icon, width);
        break;
    case kHot:
        icons->SetHotIcon(icon, width);
        break;
    default:
        break;
    }
    return TRUE;
}

BOOL CTKCommandImages::AddIconsFromImageList(const CImageList* list, const UINT* commands, int count, int cx, int cy,
                                             int state, BOOL alpha)
{
    if (list == nullptr || commands == nullptr)
        return FALSE;
    int image = 0;
    for (int i = 0; i < count; ++i) {
        if (commands[i] == 0)
            continue;
        const CIconImage icon = list->GetIcon(image++);
        if (icon.IsEmpty())
            return FALSE;
        SetIcon(icon, commands[i], cx, cy, state, alpha);
    }
    return TRUE;
}

BOOL CTKCommandImages::SetIconsFromBitmap(const CIconImage& bitmap, const UINT* commands, int count, int cx, int cy,
                                          int state, BOOL alpha)
{
    if (cx <= 0 || cy <= 0 || cx > kMaxIconSide || cy > kMaxIconSide || commands == nullptr || bitmap.IsEmpty())
        return FALSE;
    if (!alpha) {
        CImageList list;
        if (!list.Create(cx, cy, ILC_COLOR24 | ILC_MASK))
            return FALSE;
        list.Add(bitmap, m_maskColor);
        return AddIconsFromImageList(&list, commands, count, cx, cy, state, FALSE);
    }
    if (bitmap.Width() % cx != 0)
        return FALSE;
    std::vector<CIconImage> pieces;
    if (!SplitAlphaBitmap(bitmap, bitmap.Width() / cx, &pieces))
        return FALSE;
    std::size_t next = 0;
    for (int i = 0; i < count && next < pieces.size(); ++i) {
        if (commands[i] == 0)
            continue;
        SetIcon(CreateAlphaIcon(pieces[next++]), commands[i], cx, cy, state, TRUE);
    }
    return TRUE;
}

BOOL CTKCommandImages::SetIcons(UINT bitmapId, const UINT* commands, int count, int cx, int cy, int state)
{
    // Without commands there is nothing to cut the strip for.
    if (count <= 0)
        return FALSE;
    const CIconImage* bitmap = CResourceStore::Instance().FindBitmap(bitmapId);
    if (bitmap == nullptr)
        return FALSE;
    if (cx == 0 && cy == 0) {
        cy = bitmap->Height();
        cx = bitmap->Width() / count;
    }
    return SetIconsFromBitmap(*bitmap, commands, count, cx, cy, state, bitmap->IsAlpha());
}

UINT CTKCommandImages::AddCustomIcon(const CIconImage& icon, BOOL alpha)
{
    const UINT id = ++m_customIconId;
    auto icons = std::make_unique<CTKImageManagerIcons>(id);
    icons->SetIcon(icon, static_cast<UINT>(icon.Width()), alpha);
    EnterSet(id, std::move(icons));
    return id;
}

void CTKCommandImages::RemoveAll()
{
    m_commands.clear();
}

void CTKCommandImages::RefreshAll()
{
    for (auto& [command, entry] : m_commands)
        entry.icons->Refresh();
}

BOOL CTKCommandImages::SplitAlphaBitmap(const CIconImage& strip, int n, std::vector<CIconImage>* pieces)
{
    pieces->clear();
    if (n <= 0 || strip.IsEmpty() || strip.Width() % n != 0)
        return FALSE;
    const int width = strip.Width() / n;
    for (int i = 0; i < n; ++i)
        pieces->push_back(CreateAlphaIcon(strip.Copy(i * width, 0, width, strip.Height())));
    return TRUE;
}

void CTKCommandImages::CopyToClipboard(UINT command)
{
    CArchive ar;
    SerializeIcons(command, ar);
    CClipboard::Get().SetData(m_toolBarImageFormat, ar.GetBuffer());
}

UINT CTKCommandImages::PasteFromClipboard()
{
    std::vector<BYTE> bytes;
    if (!CClipboard::Get().GetData(m_toolBarImageFormat, &bytes))
        return 0;
    const UINT id = ++m_customIconId;
    CArchive ar(std::move(bytes));
    if (!SerializeIcons(id, ar))
        return 0;
    return id;
}

BOOL CTKCommandImages::ReadIconSet(CArchive& ar, CTKImageManagerIcons* icons)
{
    std::string tag;
    ar >> tag;
    if (!ar.IsOK())
        return FALSE;
    if (tag != kIconSetTag) {
        ar.SetError(CArchive::badClass);
        return FALSE;
    }
    const DWORD count = ar.ReadCount(kMinIconEntry);
    for (DWORD i = 0; i < count && ar.IsOK(); ++i) {
        DWORD width = 0;
        ar >> width;
        if (ar.IsOK() && (width == 0 || width > static_cast<DWORD>(kMaxIconSide))) {
            ar.SetError(CArchive::badClass);
            return FALSE;
        }
        auto icon = std::make_unique<CTKCommandIcon>(icons->GetCommand(), static_cast<int>(width), 0, icons);
        icon->Serialize(ar);
        if (!ar.IsOK())
            return FALSE;
        icons->Enter(width, std::move(icon));
    }
    return ar.IsOK();
}

BOOL CTKCommandImages::SerializeIcons(UINT command, CArchive& ar)
{
    m_customIconId = std::max(m_customIconId, command);
    if (ar.IsStoring()) {
        ar << std::string(kIconSetTag);
        CTKImageManagerIcons* icons = GetCommandIcons(command);
        if (icons == nullptr) {
            ar.WriteCount(0);
            return TRUE;
        }
        const auto walk = icons->Walk();
        ar.WriteCount(static_cast<DWORD>(walk.size()));
        for (const auto& [width, icon] : walk) {
            ar << static_cast<DWORD>(width);
            icon->Serialize(ar);
        }
        return TRUE;
    }
    // Read aside, so that a damaged record leaves no half-read set behind.
    auto icons = std::make_unique<CTKImageManagerIcons>(command);
    if (!ReadIconSet(ar, icons.get()))
        return FALSE;
    EnterSet(command, std::move(icons));
    return TRUE;
}

void CTKCommandImages::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        const auto walk = Walk();
        ar.WriteCount(static_cast<DWORD>(walk.size()));
        for (CTKImageManagerIcons* icons : walk) {
            ar << static_cast<DWORD>(icons->GetCommand());
            SerializeIcons(icons->GetCommand(), ar);
        }
        return;
    }
    RemoveAll();
    const DWORD count = ar.ReadCount();
    for (DWORD i = 0; i < count && ar.IsOK(); ++i) {
        DWORD command = 0;
        ar >> command;
        if (!ar.IsOK() || !SerializeIcons(command, ar))
            return;
    }
}
