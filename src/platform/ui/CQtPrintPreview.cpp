#include "CQtPrintPreview.h"

#include "CQtPrintDevice.h"
#include "platform/CPrintJob.h"

#include <QPrintPreviewDialog>
#include <QPrinter>

CQtPrintPreview::CQtPrintPreview(IPrintable& printable, const std::string& title)
    : m_printable(printable), m_title(title)
{
}

int CQtPrintPreview::Exec(QWidget* parent)
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog dialog(&printer, parent);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [this](QPrinter* target) { Render(target); });
    return dialog.exec();
}

BOOL CQtPrintPreview::Render(QPrinter* printer)
{
    CQtPrintDevice device(printer, FALSE, TRUE);
    CPrintJob job(device);
    return job.Print(m_printable, m_title);
}
