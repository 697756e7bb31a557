#pragma once
// Registers the CANopen windows that other libraries create by class name
// (the CPU sheet's CANopen page); the program's start-up calls it once.

#include <string>

bool RegisterCanopenUiClasses(std::string* error);
