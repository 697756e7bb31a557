#pragma once
// The checks of the project's CANopen master configuration that every
// compilation runs on the CPU families with a CANopen master: PDO rows of
// one kind that overlap in V memory, PDOs with mapped memory but COB-ID 0,
// too many distinct event times, slave types and mapped objects the
// slave-type library does not know, rows and slaves the download will
// ignore, and the size limits of the network.

#include "platform/WinTypes.h"

#include <functional>
#include <string>

class CCanOpenSlaveType;

// Writes one project-level diagnostic: code, kind, detail.
using CompileReportFn = std::function<void(int code, int kind, const std::string& detail)>;

constexpr int CANOPEN_MAX_EVENT_TIMES = 8;
constexpr int CANOPEN_MAX_PDOS = 64;
constexpr int CANOPEN_MAX_USABLE_SLAVES = 64;

// Runs the checks on the open project, reports every finding and adds one to
// errorCount per error and to warningCount per warning.
void CheckCanOpenConfig(int& errorCount, int& warningCount, const CompileReportFn& report);

// The first slave type of the library whose name equals the text exactly.
BOOL FindSlaveType(const std::string& name, CCanOpenSlaveType*& type);
// The slave type has a dictionary entry of that name; FALSE without a type.
BOOL HasODEntry(const std::string& mappingText, const CCanOpenSlaveType* type);
