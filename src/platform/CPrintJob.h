#pragma once
// Runs a printout on a print device: prepare, begin, every page from the
// first to the last chosen, end. A page that ends the document (EndDoc on
// its device context) stops the job after it.

#include "IPrintDevice.h"
#include "IPrintable.h"

#include <string>

class CPrintJob {
public:
    explicit CPrintJob(IPrintDevice& device) : m_device(device) {}

    IPrintDevice& Device() { return m_device; }
    // TRUE when the job ran to its end; FALSE when preparing was cancelled
    // or the device failed (the document is then aborted).
    BOOL Print(IPrintable& printable, const std::string& title);
    int PagesPrinted() const { return m_pagesPrinted; }

private:
    IPrintDevice& m_device;
    int m_pagesPrinted = 0;
};
