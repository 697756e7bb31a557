#pragma once
// Makes the ladder editor's windows known to the program; its dialogs are
// created directly by their opener, so nothing is created by class name yet.
// The program's start-up calls it once.

#include <string>

bool RegisterLadderUiClasses(std::string* error);
