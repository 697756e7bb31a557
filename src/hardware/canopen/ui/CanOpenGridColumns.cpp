#include "CanOpenGridColumns.h"

#include "platform/ui/CCPGridCtrl.h"
#include "platform/ui/QtText.h"

#include <QHeaderView>
#include <QTableView>

#include <algorithm>

namespace {

// Room for the cell's margins and grid lines beside the text.
constexpr int kCellPadding = 10;

} // namespace

int FitColumnWidth(const CCPGridCtrl& grid, int width, const std::string& header, const std::string& widest)
{
    const QTableView* table = grid.GetTableView();
    const int headerWidth = table->horizontalHeader()->fontMetrics().horizontalAdvance(ToQString(header));
    const int textWidth = table->fontMetrics().horizontalAdvance(ToQString(widest));
    return std::max(width, std::max(headerWidth, textWidth) + kCellPadding);
}
