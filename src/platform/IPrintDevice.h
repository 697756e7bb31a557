#pragma once
// A printer, a PDF file or a print preview: where a print job's pages go.

#include "WinTypes.h"

#include <string>

class CDC;
class CPrintInfo;

class IPrintDevice {
public:
    virtual ~IPrintDevice() = default;
    // The print dialog; FALSE when it is cancelled. May set the page range.
    virtual BOOL ChoosePrinter(CPrintInfo* info) = 0;
    // A device context for measuring on the printer (fonts, resolution, page size).
    virtual CDC* GetAttributeDC() = 0;
    virtual BOOL StartDoc(const std::string& title) = 0;
    // The device context of a new page; nullptr when the page cannot be started.
    virtual CDC* StartPage() = 0;
    virtual BOOL EndPage() = 0;
    virtual BOOL EndDoc() = 0;
    virtual void AbortDoc() = 0;
    // The printable area of a page in device units, from (0, 0).
    virtual CRect GetPageRect() const = 0;
    virtual BOOL IsPreview() const = 0;
};
