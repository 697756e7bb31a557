#include "CWorkbenchWindow.h"

#include <QMenuBar>

CWorkbenchWindow::CWorkbenchWindow()
{
    setWindowTitle(QStringLiteral("OrvelBuilder V1.1.8.0"));
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    QAction* exit = file->addAction(QStringLiteral("E&xit"));
    connect(exit, &QAction::triggered, this, &QWidget::close);
    resize(1024, 768);
}
