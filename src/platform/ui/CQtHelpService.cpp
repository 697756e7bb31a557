#include "CQtHelpService.h"

#include "platform/CPathProvider.h"
#include "platform/CUserInterface.h"
#include "platform/FileSystem.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

namespace {

constexpr const char* kHelpCaption = "Help";
constexpr const char* kNoHelp = "No help is installed.";
constexpr const char* kNoPage = "No help is installed for this topic.";
constexpr const char* kNotOpened = "The help page could not be opened.";

BOOL OpenInDesktopViewer(const std::string& path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path))) ? TRUE : FALSE;
}

} // namespace

CQtHelpService::CQtHelpService(const std::string& folder) : m_folder(folder), m_viewer(OpenInDesktopViewer)
{
}

std::string CQtHelpService::HelpFolder() const
{
    if (!m_folder.empty())
        return m_folder;
    return FileSystem::JoinPath(CPathProvider::SharedDataFolder(), "help");
}

std::string CQtHelpService::PagePath(int context) const
{
    return FileSystem::JoinPath(HelpFolder(), std::to_string(context) + ".html");
}

void CQtHelpService::ShowHelp(const std::string&, int context)
{
    if (!FileSystem::FolderExists(HelpFolder())) {
        ShowMessage(kHelpCaption, kNoHelp, MB_OK | MB_ICONINFORMATION);
        return;
    }
    const std::string page = PagePath(context);
    if (!FileSystem::FileExists(page)) {
        ShowMessage(kHelpCaption, kNoPage, MB_OK | MB_ICONINFORMATION);
        return;
    }
    if (!m_viewer(page))
        ShowMessage(kHelpCaption, kNotOpened, MB_OK | MB_ICONWARNING);
}
