#pragma once
// Registering the operands the compiler meets as monitor items of the open
// project, and showing their values in the online number format.

#include "OperandTypeFlags.h"
#include "platform/WinTypes.h"

#include <string>

// Monitor classes of a key.
constexpr int MONITOR_CLASS_NONE = -1;
constexpr int MONITOR_CLASS_BYTE = 1;
constexpr int MONITOR_CLASS_WORD = 2;
constexpr int MONITOR_CLASS_TIMER_COUNTER = 3;
constexpr int MONITOR_CLASS_DWORD = 4;

// Online number formats.
constexpr int ONLINE_FORMAT_MIXED = 0;
constexpr int ONLINE_FORMAT_DEC = 1;
constexpr int ONLINE_FORMAT_HEX = 2;

// Registers the keys of an operand in the open project's table; FALSE when
// the text is no valid direct address or its type has no monitor form.
BOOL AddMonitorAddress(const std::string& operand);

// The value of an operand from its items, as text in the online number
// format, as a number and, for timers and counters, as the bit text. FALSE
// when an item is missing or the flags name no monitored type.
BOOL FormatMonitoredValue(const std::string& operand, std::string& valueText, int& value, std::string& bitText,
                          OperandTypeFlags flags);
