#pragma once
// The program's built-in resources. Start-up and the Qt test programs call
// InitProgramResources once, before the first window is made.

#include <string>

// Registers the built-in resource files and reads them into the resource
// store; FALSE with error set when one of them does not parse.
bool InitProgramResources(std::string* error);
