#pragma once
// The workbench's application object: start-up (application data, settings,
// main window, file type, the project named on the command line), the
// interface theme, the recent-project filter, the About box and exit.

#include "platform/ui/CWinApp.h"
#include "shell/CRecentFileList.h"
#include "shell/ui/CMainFrame.h"

#include <QPointer>

#include <memory>
#include <string>
#include <vector>

class CCmdUI;
class CDocument;
class QPrinter;
class CPOUDocTemplate;
class CWinAppProfile;
class CZULAppData;

// The command-line switch that starts without the splash picture.
inline constexpr const char* kNoSplashSwitch = "--no-splash";

// What an interface theme chooses: the command-bar renderer and the docking style.
struct InterfaceThemeRecord {
    int theme;
    int barTheme;
    int dockingStyle;
};

class CZULApp : public CWinApp {
public:
    CZULApp();
    ~CZULApp() override;

    // The start-up sequence; args are the program's arguments without its
    // name. FALSE when the main window could not be made.
    BOOL InitInstance(const std::vector<std::string>& args);
    // Writes the recent projects and the settings, frees the application data; 1.
    int ExitInstance();
    BOOL PreTranslateMessage(MSG* msg) override;

    // Only project files (".qpj", any case) enter the recent list.
    void AddToRecentFileList(const std::string& path);
    // Stores the theme and applies its bars and docking style; unknown themes look like 2.
    void SetInterfaceTheme(int theme);
    static InterfaceThemeRecord LookupInterfaceTheme(int theme);
    void OnHelpAbout();
    // The commands no window before the application handled: the framework's
    // New and Open (the project's own New and Open), Print Setup, Exit and
    // the four recent projects of the File menu.
    void OnFileNew();
    void OnFileOpen();
    void OnFilePrintSetup();
    void OnAppExit();
    void OnOpenRecentProject(UINT id);
    void OnUpdateRecentFileMenu(CCmdUI* cmdUI);
    // The printer the print setup chose; made on first use.
    QPrinter& GetPrinter();
    // Creates the file of a new POU through the template of its extension,
    // in a window or as a document alone, and saves it at once. FALSE for a
    // path without an extension or when no document results.
    BOOL CreatePOUDocumentFile(const std::string& path, BOOL withWindow);
    CPOUDocTemplate* GetPOUTemplate() const { return m_pouTemplate.get(); }

    // The project the command line names: the first argument not starting
    // with "--" and not blank, made absolute; "" when there is none.
    static std::string CommandLineProjectPath(const std::vector<std::string>& args);
    static BOOL SplashWanted(const std::vector<std::string>& args);

    CMainFrame* GetMainFrame() const { return m_frame; }
    CZULAppData* GetAppData() const { return m_appData.get(); }
    CRecentFileList& GetRecentFiles() { return m_recent; }
    const std::string& GetProgramFolder() const { return m_programFolder; }

private:
    void OpenProjectFromCommandLine(const std::vector<std::string>& args);
    std::unique_ptr<CDocument> NewPOUDocument();

    std::string m_programFolder;
    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<CZULAppData> m_appData;
    std::unique_ptr<CWinAppProfile> m_profile;
    std::unique_ptr<CPOUDocTemplate> m_pouTemplate;
    // The documents of new POUs made without a window.
    std::vector<std::unique_ptr<CDocument>> m_windowlessDocuments;
    CRecentFileList m_recent;
    QPointer<CMainFrame> m_frame;
};
