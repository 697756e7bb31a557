#include "SerialPortList.h"

#include <algorithm>
#include <filesystem>
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

} // namespace

std::vector<std::string> ListSerialPorts(const std::string& deviceFolder)
{
    std::filesystem::path folder(deviceFolder);
    std::vector<std::string> ports = SortedEntries(folder / "serial" / "by-id", "");
    for (const char* prefix : kDevicePrefixes) {
        std::vector<std::string> group = SortedEntries(folder, prefix);
        ports.insert(ports.end(), group.begin(), group.end());
    }
    return ports;
}

std::vector<std::string> ListSerialPorts()
{
    return ListSerialPorts("/dev");
}
