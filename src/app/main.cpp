#include "CWorkbenchWindow.h"

#include "hardware/canopen/ui/RegisterCanopenUiClasses.h"
#include "platform/CUserInterface.h"
#include "platform/ui/CQtHelpService.h"
#include "platform/ui/CQtStartup.h"
#include "plclink/ui/RegisterPlclinkUiClasses.h"
#include "shell/ui/RegisterShellUiClasses.h"
#include "toolkit/commandbars/RegisterToolkitCommandBarsClasses.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <cstring>
#include <string>

int main(int argc, char** argv)
{
    CQtStartup::Prepare(argc, argv);
    QApplication app(argc, argv);
    std::string error;
    if (!RegisterToolkitCommandBarsClasses(&error) || !RegisterPlclinkUiClasses(&error)
        || !RegisterShellUiClasses(&error) || !RegisterCanopenUiClasses(&error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
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
