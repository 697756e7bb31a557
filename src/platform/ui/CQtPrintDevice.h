#pragma once
// A QPrinter as the device of a print job: a real printer (with the print
// dialog), a PDF file, or the printer of a print preview. Page device
// contexts draw in the printer's device pixels over its printable area.

#include "CQtDC.h"
#include "platform/IPrintDevice.h"

#include <QPainter>

#include <memory>

class QPrinter;

class CQtPrintDevice : public IPrintDevice {
public:
    // The printer is not owned. With showDialog the print dialog chooses the
    // printer and the page range; preview marks the job as a preview.
    CQtPrintDevice(QPrinter* printer, BOOL showDialog, BOOL preview = FALSE);
    ~CQtPrintDevice() override;

    // A high-resolution printer that writes a PDF file.
    static std::unique_ptr<QPrinter> MakePdfPrinter(const std::string& path);

    BOOL ChoosePrinter(CPrintInfo* info) override;
    CDC* GetAttributeDC() override;
    BOOL StartDoc(const std::string& title) override;
    CDC* StartPage() override;
    BOOL EndPage() override;
    BOOL EndDoc() override;
    void AbortDoc() override;
    CRect GetPageRect() const override;
    BOOL IsPreview() const override { return m_preview; }

private:
    QPrinter* m_printer;
    BOOL m_showDialog;
    BOOL m_preview;
    QPainter m_painter;
    std::unique_ptr<CQtDC> m_attributeDC;
    std::unique_ptr<CQtDC> m_pageDC;
};
