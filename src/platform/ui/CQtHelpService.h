#pragma once
// The help service of the workbench: the page of a context is the file
// "<context>.html" in the folder "help" of the shipped data
// (share/orvelbuilder/help); it opens in the desktop's viewer. Without the
// folder or the page a plain message says that no help is installed.

#include "platform/IHelpService.h"
#include "platform/WinTypes.h"

#include <functional>
#include <string>

class CQtHelpService : public IHelpService {
public:
    // Opens a page (UTF-8 path) in a viewer; FALSE when it cannot.
    using Viewer = std::function<BOOL(const std::string& path)>;

    // folder: the help folder; "" takes the one of the shipped data.
    explicit CQtHelpService(const std::string& folder = {});

    void ShowHelp(const std::string& topic, int context) override;

    std::string HelpFolder() const;
    std::string PagePath(int context) const;
    // Tests look at what would open instead of starting the desktop's viewer.
    void SetViewer(Viewer viewer) { m_viewer = std::move(viewer); }

private:
    std::string m_folder;
    Viewer m_viewer;
};
