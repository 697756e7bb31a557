#pragma once
// Makes the PID windows known by class name (the trend display's view,
// which the PID frame creates by name).

#include <string>

bool RegisterPidUiClasses(std::string* error);
