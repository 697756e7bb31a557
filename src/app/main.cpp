#include "hardware/canopen/ui/RegisterCanopenUiClasses.h"
#include "hardware/ui/RegisterHardwareUiClasses.h"
#include "ladder/ui/RegisterLadderUiClasses.h"
#include "platform/CPathProvider.h"
#include "platform/ui/CQtStartup.h"
#include "platform/ui/CQtUserInterface.h"
#include "platform/ui/CScreenMetricsFollower.h"
#include "platform/ui/CStatusBar.h"
#include "platform/ui/CWnd.h"
#include "pid/ui/RegisterPidUiClasses.h"
#include "plclink/ui/RegisterPlclinkUiClasses.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CZULApp.h"
#include "shell/ui/RegisterShellUiClasses.h"
#include "toolkit/commandbars/RegisterToolkitCommandBarsClasses.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// Opens the main window, lets the event loop run once and exits.
constexpr const char* kQuitAfterStart = "--quit-after-start";

} // namespace

int main(int argc, char** argv)
{
    CQtStartup::Prepare(argc, argv);
    QApplication qtApp(argc, argv);
    std::string error;
    if (!RegisterToolkitCommandBarsClasses(&error) || !RegisterPlclinkUiClasses(&error)
        || !RegisterLadderUiClasses(&error) || !RegisterPidUiClasses(&error) || !RegisterShellUiClasses(&error) || !RegisterCanopenUiClasses(&error)
        || !RegisterHardwareUiClasses(&error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    CQtUserInterface ui;
    std::vector<std::string> args;
    bool quitAfterStart = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == kQuitAfterStart)
            quitAfterStart = true;
        else
            args.push_back(arg);
    }
    CZULApp theApp;
    if (!theApp.InitInstance(args))
        return 1;
    if (CMainFrame* frame = theApp.GetMainFrame())
        ui.SetStatusBar(frame->GetStatusBar());
    // Menus open, flip and scroll within the screen the main window is on.
    const CScreenMetricsFollower screen(theApp.GetMainFrame());
    if (quitAfterStart)
        QTimer::singleShot(0, [&theApp] {
            if (CWnd* frame = theApp.GetMainWnd())
                frame->SendMessage(WM_CLOSE);
        });
    const int exitCode = qtApp.exec();
    theApp.ExitInstance();
    CPathProvider::RemoveTempFolder();
    return exitCode;
}
