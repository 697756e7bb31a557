#pragma once
// Print preview of a printout: the preview dialog renders the pages by
// running the print job on its preview printer, and its print button prints
// them on the chosen printer.

#include "platform/IPrintable.h"

#include <string>

class QPrinter;
class QWidget;

class CQtPrintPreview {
public:
    CQtPrintPreview(IPrintable& printable, const std::string& title);

    // Shows the preview dialog modally; returns the dialog's result.
    int Exec(QWidget* parent);
    // Runs the print job on a preview printer; FALSE when it did not complete.
    BOOL Render(QPrinter* printer);

private:
    IPrintable& m_printable;
    std::string m_title;
};
