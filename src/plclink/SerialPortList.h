#pragma once
// The serial ports of the machine, as the Communications dialog offers them:
// the stable names under /dev/serial/by-id, then /dev/ttyS*, /dev/ttyUSB*
// and /dev/ttyACM*, each group sorted by name.

#include <string>
#include <vector>

std::vector<std::string> ListSerialPorts();
// The same under another device folder (for tests).
std::vector<std::string> ListSerialPorts(const std::string& deviceFolder);
