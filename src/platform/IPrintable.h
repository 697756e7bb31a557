#pragma once
// What a view or editor does to be printed: prepare (print dialog, page
// count), begin, print one page, end.

#include "WinTypes.h"

class CDC;
class CPrintInfo;

class IPrintable {
public:
    virtual ~IPrintable() = default;
    // FALSE cancels the job (the print dialog was cancelled).
    virtual BOOL OnPreparePrinting(CPrintInfo* info) = 0;
    virtual void OnBeginPrinting(CDC*, CPrintInfo*) {}
    // Prints the page info->m_nCurPage into info->m_rectDraw.
    virtual void OnPrint(CDC* dc, CPrintInfo* info) = 0;
    virtual void OnEndPrinting(CDC*, CPrintInfo*) {}
};
