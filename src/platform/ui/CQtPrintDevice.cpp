#include "CQtPrintDevice.h"

#include "QtText.h"

#include "platform/CPrintInfo.h"

#include <QPrintDialog>
#include <QPrinter>

CQtPrintDevice::CQtPrintDevice(QPrinter* printer, BOOL showDialog, BOOL preview)
    : m_printer(printer), m_showDialog(showDialog), m_preview(preview)
{
}

CQtPrintDevice::~CQtPrintDevice()
{
    if (m_painter.isActive())
        m_painter.end();
}

std::unique_ptr<QPrinter> CQtPrintDevice::MakePdfPrinter(const std::string& path)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(ToQString(path));
    return printer;
}

BOOL CQtPrintDevice::ChoosePrinter(CPrintInfo* info)
{
    if (!m_showDialog || m_preview)
        return TRUE;
    QPrintDialog dialog(m_printer);
    if (info != nullptr && info->GetMaxPage() != CPrintInfo::kUnknownPage)
        dialog.setMinMax(static_cast<int>(info->GetMinPage()), static_cast<int>(info->GetMaxPage()));
    if (dialog.exec() != QDialog::Accepted)
        return FALSE;
    if (info != nullptr && m_printer->fromPage() > 0)
        info->SetPageRange(static_cast<UINT>(m_printer->fromPage()), static_cast<UINT>(m_printer->toPage()));
    m_attributeDC.reset();
    return TRUE;
}

CDC* CQtPrintDevice::GetAttributeDC()
{
    if (m_pageDC)
        return m_pageDC.get();
    if (!m_attributeDC)
        m_attributeDC = std::make_unique<CQtDC>(static_cast<QPaintDevice*>(m_printer));
    return m_attributeDC.get();
}

BOOL CQtPrintDevice::StartDoc(const std::string& title)
{
    m_printer->setDocName(ToQString(title));
    return TRUE;
}

CDC* CQtPrintDevice::StartPage()
{
    if (!m_painter.isActive()) {
        if (!m_painter.begin(m_printer))
            return nullptr;
        m_pageDC = std::make_unique<CQtDC>(&m_painter);
        return m_pageDC.get();
    }
    if (!m_printer->newPage())
        return nullptr;
    return m_pageDC.get();
}

BOOL CQtPrintDevice::EndPage()
{
    return m_painter.isActive() ? TRUE : FALSE;
}

BOOL CQtPrintDevice::EndDoc()
{
    if (m_painter.isActive())
        return m_painter.end() ? TRUE : FALSE;
    return TRUE;
}

void CQtPrintDevice::AbortDoc()
{
    if (!m_painter.isActive())
        return;
    m_printer->abort();
    m_painter.end();
}

CRect CQtPrintDevice::GetPageRect() const
{
    return CRect(0, 0, m_printer->width(), m_printer->height());
}
