#pragma once
// What the project tree needs of the main frame and the application: the
// POU documents, the single-instance windows, the Communications dialog,
// the subroutine category of the instruction catalogue, the commands it
// forwards and the context menus of the command bars.

#include "platform/WinTypes.h"

#include <string>
#include <vector>

class CWnd;
class CZULFunc;

class IProjTreeHost {
public:
    virtual ~IProjTreeHost() = default;

    // Opens (or activates) the program file as a POU document; FALSE when it does not open.
    virtual BOOL OpenPOUDocument(const std::string& path) = 0;
    // Creates a new POU document for the program file in a visible window
    // and saves it under that path, which writes its program and variable files.
    virtual BOOL CreatePOUDocument(const std::string& path) = 0;
    // The titles of every open document of every document template.
    virtual std::vector<std::string> GetDocumentTitles() = 0;
    // Brings the MDI tabs in line with the child windows.
    virtual void SyncTabs() = 0;

    // Open or activate the single-instance windows.
    virtual void OpenInitialDataWindow() = 0;
    virtual void OpenGlobalVariableWindow() = 0;
    virtual void OpenStatusChartWindow() = 0;
    virtual void OpenHardwareWindow() = 0;
    // The Communications dialog, modal; the tree has checked that the port is free.
    virtual void ShowCommunicationsDialog() = 0;

    // The subroutine category of the instruction catalogue.
    virtual void AddCatalogueSubroutine(CZULFunc* function) = 0;
    virtual void RemoveCatalogueSubroutine(const std::string& name) = 0;
    virtual void RenameCatalogueSubroutine(const std::string& oldName, const std::string& newName) = 0;

    // The project is cleared after an open that found a POU path too long.
    virtual void ResetProject() = 0;
    // The frame's Open All Programs (32962) and Close All (32880).
    virtual void OpenAllPrograms() = 0;
    virtual void CloseAllWindows() = 0;

    // Shows the first popup of a menu resource at a screen point through the
    // command bars; its commands go to target, or to the main frame when
    // target is null.
    virtual int ShowContextMenu(int menuId, int screenX, int screenY, CWnd* target) = 0;
};
