#pragma once
// The operands of one IL line whose values are shown while monitoring, and
// the drawing of their labels and values in the monitor column.

#include "model/OperandTypeFlags.h"
#include "platform/WinTypes.h"

#include <string>
#include <vector>

class CDC;
class CZULAppData;
class IPOUEditorHost;

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

    // Formats the values anew and draws the text so that it ends at the right
    // edge on the list's row. The caller holds the monitor-value lock.
    void Draw(CDC& dc, int rightEdge, int scrollY, const CZULAppData& app, const IPOUEditorHost* locals,
              BOOL showAddresses);
    // The text of the last drawing: "label:   value;  \t" per item.
    const std::string& GetText() const { return m_text; }

    void SetMetrics(int charWidth, int lineHeight)
    {
        m_charWidth = charWidth;
        m_lineHeight = lineHeight;
    }
    int GetLine() const { return m_line; }
    const std::vector<CILMonitorItem>& GetItems() const { return m_items; }

private:
    std::string Label(const CILMonitorItem& item, const CZULAppData& app, const IPOUEditorHost* locals,
                      BOOL showAddresses) const;
    void DrawPieces(CDC& dc, int y) const;

    int m_line;
    int m_scrollY = 0;
    int m_rightEdge = 0;
    int m_charWidth = 1;
    int m_lineHeight = 16;
    std::string m_text;
    std::vector<CILMonitorItem> m_items;
};
