#include "CPathProvider.h"

#include "FileSystem.h"

#include <cstdlib>
#include <mutex>
#include <unistd.h>

namespace {

std::mutex g_lock;
std::string g_sharedOverride;
std::string g_temp;

std::string Env(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string Home()
{
    const std::string home = Env("HOME");
    return home.empty() ? "/tmp" : home;
}

std::string ExecutableFolder()
{
    char buffer[4096];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0)
        return ".";
    return FileSystem::FolderOf(FileSystem::FromNative(std::string(buffer, static_cast<size_t>(n))));
}

void RemoveTempAtExit()
{
    CPathProvider::RemoveTempFolder();
}

} // namespace

std::string CPathProvider::SharedDataFolder()
{
    {
        std::lock_guard<std::mutex> guard(g_lock);
        if (!g_sharedOverride.empty())
            return g_sharedOverride;
    }
    const std::string fromEnv = Env("ORVEL_SHARE_DIR");
    if (!fromEnv.empty())
        return FileSystem::FromNative(fromEnv);
    // Installed: <prefix>/bin/orvelbuilder beside <prefix>/share/orvelbuilder.
    // Build tree: any binary below the build folder, whose share/orvelbuilder
    // is found by walking up.
    std::string folder = ExecutableFolder();
    for (int depth = 0; depth < 6 && !folder.empty(); ++depth) {
        const std::string candidate = FileSystem::JoinPath(folder, "share/orvelbuilder");
        if (FileSystem::FolderExists(candidate))
            return candidate;
        if (folder == "/")
            break;
        folder = FileSystem::FolderOf(folder);
    }
    return FileSystem::JoinPath(ExecutableFolder(), "share/orvelbuilder");
}

std::string CPathProvider::UserDataFolder()
{
    std::string base = Env("XDG_DATA_HOME");
    if (base.empty())
        base = Home() + "/.local/share";
    return FileSystem::FromNative(base) + "/OrvelBuilder";
}

std::string CPathProvider::SettingsFolder()
{
    std::string base = Env("XDG_CONFIG_HOME");
    if (base.empty())
        base = Home() + "/.config";
    return FileSystem::FromNative(base) + "/OrvelBuilder";
}

std::string CPathProvider::DefaultProjectFolder()
{
    return UserDataFolder() + "/project";
}

std::string CPathProvider::UserCanOpenFolder()
{
    return UserDataFolder() + "/CanOpen";
}

std::string CPathProvider::TempFolder()
{
    std::lock_guard<std::mutex> guard(g_lock);
    if (!g_temp.empty())
        return g_temp;
    std::string base = Env("TMPDIR");
    if (base.empty())
        base = "/tmp";
    std::string pattern = base + "/orvelbuilder-XXXXXX";
    if (!::mkdtemp(pattern.data()))
        return "";
    g_temp = FileSystem::FromNative(pattern);
    static bool registered = false;
    if (!registered) {
        std::atexit(RemoveTempAtExit);
        registered = true;
    }
    return g_temp;
}

void CPathProvider::RemoveTempFolder()
{
    std::lock_guard<std::mutex> guard(g_lock);
    if (g_temp.empty())
        return;
    FileSystem::DeleteTree(g_temp);
    g_temp.clear();
}

void CPathProvider::SetSharedDataFolder(const std::string& folder)
{
    std::lock_guard<std::mutex> guard(g_lock);
    g_sharedOverride = folder;
}
