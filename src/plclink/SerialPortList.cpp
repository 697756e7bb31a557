#include "SerialPortList.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <system_error>

namespace {

const char* const kDevicePrefixes[] = {"ttyS", "ttyUSB", "ttyACM"};

std::vector<std::string> SortedEntries(const std::filesystem::path& folder, const std::string& prefix)
{
    std::vector<std::string> names;
    std::error_code error;
    std::filesystem::directory_iterator it(folder, error);
    if (error)
        return names;
    for (const auto& entry : it) {
        std::string name = entry.path().filename().string();
        if (name.compare(0, prefix.size(), prefix) == 0)
            names.push_back(entry.path().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Appends each absolute path of the list that exists and is not listed yet.
void AppendExtraPorts(const char* extraPorts, std::vector<std::string>& ports)
{
    if (extraPorts == nullptr)
        return;
    std::istringstream list(extraPorts);
    std::string path;
    while (std::getline(list, path, ':')) {
        if (path.empty() || path[0] != '/')
            continue;
        std::error_code error;
        if (!std::filesystem::exists(path, error))
            continue;
        if (std::find(ports.begin(), ports.end(), path) == ports.end())
            ports.push_back(path);
    }
}

} // namespace

std::vector<std::string> ListSerialPorts(const std::string& deviceFolder, const char* extraPorts)
{
    std::filesystem::path folder(deviceFolder);
    std::vector<std::string> ports = SortedEntries(folder / "serial" / "by-id", "");
    for (const char* prefix : kDevicePrefixes) {
        std::vector<std::string> group = SortedEntries(folder, prefix);
        ports.insert(ports.end(), group.begin(), group.end());
    }
    AppendExtraPorts(extraPorts, ports);
    return ports;
}

std::vector<std::string> ListSerialPorts()
{
    return ListSerialPorts("/dev", std::getenv(kExtraPortsVariable));
}
