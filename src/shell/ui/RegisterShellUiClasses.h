#pragma once
// Registers the shell's window classes by name and makes its built-in images
// available (a static library drops both otherwise); the program's start-up
// calls it once. False with the reason in *error when the program's
// resources cannot be read.

#include <string>

bool RegisterShellUiClasses(std::string* error);
