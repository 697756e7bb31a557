#pragma once
// The check of a value typed for forcing one direct address: the value must
// suit the address's data type, and a REAL must be written with a point.

#include "platform/WinTypes.h"

#include <string>

// TRUE with the 32-bit value to force (a REAL as its IEEE bits); FALSE for
// an empty value, an address that is no direct address or whose type cannot
// be forced here, and a value that does not fit the type.
BOOL CheckForceValue(const std::string& address, const std::string& valueText, DWORD& value);
