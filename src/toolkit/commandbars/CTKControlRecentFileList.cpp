#include "toolkit/commandbars/CTKControlRecentFileList.h"

#include "platform/FileSystem.h"
#include "platform/Gbk.h"
#include "platform/ui/CFrameWnd.h"
#include "platform/ui/CWinApp.h"
#include "toolkit/commandbars/CTKCommandBar.h"
#include "toolkit/commandbars/CTKControls.h"
#include "toolkit/commandbars/ITKRecentFileSource.h"

#include <algorithm>
#include <cstdio>

IMPLEMENT_SERIAL(CTKControlRecentFileList, CTKControlButton, 0x80000006)

namespace {

constexpr int kNumberBase = 10;

// The frame of the bar, then the application, as the keeper of the list.
const ITKRecentFileSource* FindSource(const CTKCommandBar* bar)
{
    if (const auto* source = dynamic_cast<const ITKRecentFileSource*>(bar ? bar->GetFrameSite() : nullptr))
        return source;
    return dynamic_cast<const ITKRecentFileSource*>(AfxGetApp());
}

// Every '&' doubled, so the menu shows it; a double-byte character stays whole.
std::string EscapeAmpersands(const std::string& name)
{
    std::string escaped;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (IsGbkLeadByte(static_cast<BYTE>(name[i])) && i + 1 < name.size()) {
            escaped += name.substr(i++, 2);
            continue;
        }
        if (name[i] == '&')
            escaped += '&';
        escaped += name[i];
    }
    return escaped;
}

} // namespace

CTKControlRecentFileList::CTKControlRecentFileList()
{
    m_nId = kTKRecentFileFirstId;
}

void CTKControlRecentFileList::OnCalcDynamicSize(DWORD)
{
    const ITKRecentFileSource* source = FindSource(m_pParent);
    if (!source)
        return;
    RemoveFollowing([](const CTKControl* control) {
        return control->GetID() >= kTKRecentFileFirstId && control->GetID() <= kTKRecentFileLastId;
    });
    if (IsCustomizeMode()) {
        SetHideFlags(0);
        SetEnabled(TRUE);
        return;
    }
    std::string folder = FileSystem::GetCurrentFolder();
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    std::string name;
    if (!source->GetRecentDisplayName(0, folder, &name)) {
        SetHideFlags(0);
        SetEnabled(FALSE);
        return;
    }
    SetHideFlags(m_dwHideFlags | kTKHideListPlaceholder);
    const int count = std::min(source->GetRecentFileCount(),
                               static_cast<int>(kTKRecentFileLastId - kTKRecentFileFirstId + 1));
    for (int i = 0; i < count && source->GetRecentDisplayName(i, folder, &name); ++i) {
        char number[16];
        std::snprintf(number, sizeof number, "&%d ", (source->GetRecentStartIndex() + i + 1) % kNumberBase);
        CTKControl* item = m_pControls->AddNewControl(kTKControlButton, kTKRecentFileFirstId + static_cast<UINT>(i),
                                                      {}, m_nIndex + i + 1, TRUE);
        item->SetCaption(number + EscapeAmpersands(name));
        item->SetFlags(kTKListItemFlags);
        item->SetBeginGroup(i == 0 && m_nIndex > 0);
    }
}
