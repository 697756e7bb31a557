#pragma once
// Makes the shell's built-in images and its windows created by class name
// available (a static library drops them otherwise); the program's start-up
// calls it once. False with the reason in *error when the program's
// resources cannot be read.

#include <string>

bool RegisterShellUiClasses(std::string* error);
