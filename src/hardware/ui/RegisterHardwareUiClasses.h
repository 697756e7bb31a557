#pragma once
// Registers the hardware windows that the main window creates by class
// name (the hardware window and the HW Catalog view); the program's
// start-up calls it once.

#include <string>

bool RegisterHardwareUiClasses(std::string* error);
