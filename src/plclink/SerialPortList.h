#pragma once
// The serial ports of the machine, as the Communications dialog offers them:
// the stable names under /dev/serial/by-id, then /dev/ttyS*, /dev/ttyUSB*
// and /dev/ttyACM*, each group sorted by name. Devices that are no serial
// port of the machine, such as the pseudo-terminal of the PLC simulator,
// join the list through the environment variable ORVEL_EXTRA_PORTS: a
// colon-separated list of absolute device paths, each listed last, in its
// order, while it exists.

#include <string>
#include <vector>

std::vector<std::string> ListSerialPorts();
// The same under another device folder, with the extra ports given as the
// variable's value (for tests).
std::vector<std::string> ListSerialPorts(const std::string& deviceFolder, const char* extraPorts = nullptr);

// The variable that names the extra ports.
inline constexpr const char* kExtraPortsVariable = "ORVEL_EXTRA_PORTS";
