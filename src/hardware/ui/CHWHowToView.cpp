#include "CHWHowToView.h"

#include "platform/ui/DialogUnits.h"

#include <QLabel>

IMPLEMENT_DYNCREATE(CHWHowToView, CFormView)

namespace {

constexpr UINT IDD_HW_HOW_TO = 171;
constexpr int kWidth = 300;
constexpr int kHeight = 80;
constexpr int kLineHeight = 14;

const char* const kNoteLines[] = {
    "The Configuration table represents the real configuration.",
    "Step 1. Click a row to place the focus on it.",
    "Step 2. Dblclick a module in the HW Catalog window to add it.",
    "Step 3. Click a module in the table to modify its parameters.",
};

} // namespace

CHWHowToView::CHWHowToView()
    : CFormView(IDD_HW_HOW_TO, QSize(DialogUnitsToPixelsX(kWidth), DialogUnitsToPixelsY(kHeight)))
{
}

void CHWHowToView::OnInitialUpdate()
{
    CFormView::OnInitialUpdate();
    int top = 10;
    for (const char* line : kNoteLines) {
        auto* label = new QLabel(line, GetForm());
        label->setGeometry(DialogRect(12, top, 280, 10));
        label->show();
        top += kLineHeight;
    }
}
