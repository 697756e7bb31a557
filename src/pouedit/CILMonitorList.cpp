#include "CILMonitorList.h"

#include "IPOUEditorHost.h"
#include "model/CZULAppData.h"
#include "model/CZULSymbol.h"
#include "model/MonitorItems.h"
#include "platform/ByteString.h"
#include "platform/CDC.h"

namespace {
constexpr size_t VALUE_WIDTH = 8;
constexpr COLORREF LABEL_COLOR = RGB(0, 0, 0);
constexpr COLORREF VALUE_COLOR = RGB(0, 128, 0);
const std::string ITEM_END = ";  \t";
} // namespace

void CILMonitorList::AddItem(const std::string& operand, const std::string& address, OperandTypeFlags flags,
                             BOOL showStatusBit)
{
    for (const CILMonitorItem& item : m_items) {
        if (item.operand == operand)
            return;
    }
    m_items.push_back({operand, address, flags, showStatusBit, std::string()});
}

std::string CILMonitorList::Label(const CILMonitorItem& item, const CZULAppData& app, const IPOUEditorHost* locals,
                                  BOOL showAddresses) const
{
    if (showAddresses) {
        std::string label = item.address;
        if (!ByteString::StartsWith(label, "%"))
            label.insert(0, "%");
        return label;
    }
    std::string address = ByteString::Upper(item.operand);
    if (!ByteString::StartsWith(address, "%"))
        address.insert(0, "%");
    CZULSymbol* symbol = nullptr;
    if (app.FindGlobalSymbol(address, symbol) && symbol)
        return symbol->name;
    std::string name;
    if (locals && locals->FindLocalName(address.substr(1), name))
        return name;
    return item.operand;
}

void CILMonitorList::Draw(CDC& dc, int rightEdge, int scrollY, const CZULAppData& app, const IPOUEditorHost* locals,
                          BOOL showAddresses)
{
    m_text.clear();
    for (CILMonitorItem& item : m_items) {
        std::string value;
        std::string bit;
        int number = 0;
        if (FormatMonitoredValue(item.address, value, number, bit, item.flags))
            item.valueText = item.showStatusBit ? bit : value;
        m_text += Label(item, app, locals, showAddresses) + ":";
        if (item.valueText.size() < VALUE_WIDTH)
            m_text.append(VALUE_WIDTH - item.valueText.size(), ' ');
        m_text += item.valueText + ITEM_END;
    }
    m_rightEdge = rightEdge;
    m_scrollY = scrollY;
    DrawPieces(dc, m_line * m_lineHeight - scrollY);
}

// Labels up to and including ":" in black, values up to the tab in green,
// every byte one character cell, the whole text ending at the right edge.
void CILMonitorList::DrawPieces(CDC& dc, int y) const
{
    const COLORREF oldColor = dc.GetTextColor();
    const int length = static_cast<int>(m_text.size());
    size_t start = 0;
    while (start < m_text.size()) {
        const size_t colon = m_text.find(':', start);
        const size_t labelEnd = colon == std::string::npos ? m_text.size() : colon + 1;
        dc.SetTextColor(LABEL_COLOR);
        dc.TextOut(m_rightEdge - (length - static_cast<int>(start)) * m_charWidth, y,
                   m_text.substr(start, labelEnd - start));
        if (labelEnd >= m_text.size())
            break;
        const size_t tab = m_text.find('\t', labelEnd);
        const size_t valueEnd = tab == std::string::npos ? m_text.size() : tab;
        dc.SetTextColor(VALUE_COLOR);
        dc.TextOut(m_rightEdge - (length - static_cast<int>(labelEnd) - 1) * m_charWidth, y,
                   m_text.substr(labelEnd, valueEnd - labelEnd));
        start = valueEnd + 1;
    }
    dc.SetTextColor(oldColor);
}
