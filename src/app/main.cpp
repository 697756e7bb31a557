#include "CWorkbenchWindow.h"

#include "platform/CUserInterface.h"
#include "platform/ui/CQtHelpService.h"
#include "platform/ui/CQtStartup.h"
#include "plclink/ui/RegisterPlclinkUiClasses.h"

#include <QApplication>
#include <QTimer>

#include <cstring>

int main(int argc, char** argv)
{
    CQtStartup::Prepare(argc, argv);
    QApplication app(argc, argv);
    RegisterPlclinkUiClasses();
    CQtHelpService help;
    CUserInterface::SetHelp(&help);
    CWorkbenchWindow window;
    window.show();
    // --quit-after-start: open the window, let the event loop run once, exit.
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--quit-after-start") == 0)
            QTimer::singleShot(0, &window, &QWidget::close);
    int exitCode = app.exec();
    CUserInterface::SetHelp(nullptr);
    return exitCode;
}
