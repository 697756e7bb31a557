#pragma once
// Makes the link's built-in pictures available (a static library drops
// them otherwise); the program's start-up calls it once. False with the
// reason in *error when the program's resources cannot be read.

#include <string>

bool RegisterPlclinkUiClasses(std::string* error);
