#pragma once
// What start-up and the Qt test programs call so that the command bars'
// resources (cursors, bitmaps) are present in a static build.

#include <string>

bool RegisterToolkitCommandBarsClasses(std::string* error);
