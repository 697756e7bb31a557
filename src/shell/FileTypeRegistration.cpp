#include "FileTypeRegistration.h"

#include "platform/FileSystem.h"

namespace {

BOOL WriteWhenAbsent(const std::string& folder, const std::string& name, const std::string& text)
{
    const std::string path = FileSystem::JoinPath(folder, name);
    if (FileSystem::FileExists(path))
        return TRUE;
    if (!FileSystem::CreateFolder(folder))
        return FALSE;
    return FileSystem::SafeSave(path, text);
}

} // namespace

std::string DesktopEntryText(const std::string& programPath)
{
    return std::string("[Desktop Entry]\n"
                       "Type=Application\n"
                       "Name=OrvelBuilder\n"
                       "Comment=Programming Tool for Orvel-Q7 Serias Micro PLC\n"
                       "Exec=\"") +
           programPath +
           "\" %f\n"
           "Terminal=false\n"
           "Categories=Development;\n"
           "MimeType=" +
           kProjectMimeType + ";\n";
}

std::string MimePackageText()
{
    return std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                       "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
                       "  <mime-type type=\"") +
           kProjectMimeType +
           "\">\n"
           "    <comment>Project Document</comment>\n"
           "    <glob pattern=\"*.qpj\" case-sensitive=\"false\"/>\n"
           "  </mime-type>\n"
           "</mime-info>\n";
}

BOOL RegisterProjectFileType(const std::string& dataHome, const std::string& programPath)
{
    const BOOL mime = WriteWhenAbsent(dataHome + "/mime/packages", kMimePackageName, MimePackageText());
    const BOOL entry =
        WriteWhenAbsent(dataHome + "/applications", kDesktopEntryName, DesktopEntryText(programPath));
    return mime && entry;
}
