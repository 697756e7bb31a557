#pragma once
// The operands of one IL line whose values are shown while monitoring.

#include "model/OperandTypeFlags.h"
#include "platform/WinTypes.h"

#include <string>
#include <vector>

struct CILMonitorItem {
    std::string operand;  // as written in the line
    std::string address;  // the direct address monitored
    OperandTypeFlags flags = 0;
    BOOL showStatusBit = FALSE;
    std::string valueText;
};

class CILMonitorList {
public:
    explicit CILMonitorList(int line) : m_line(line) {}

    // Ignores a second item with the same operand text.
    void AddItem(const std::string& operand, const std::string& address, OperandTypeFlags flags, BOOL showStatusBit);

    int GetLine() const { return m_line; }
    const std::vector<CILMonitorItem>& GetItems() const { return m_items; }

private:
    int m_line;
    std::vector<CILMonitorItem> m_items;
};
