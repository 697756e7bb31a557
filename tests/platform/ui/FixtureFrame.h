#pragma once
// A small MDI frame built like the workbench's main frame: a bar at the
// top and a menu strip from menu resource 123 that take their share of the
// client area, a status strip at the bottom, the MDI client in the rest,
// Ctrl+Tab to the next child, and command tables on the application, the
// frame, the child frames, their views and documents.

#include "platform/ui/CCmdUI.h"
#include "platform/ui/CDocument.h"
#include "platform/ui/CMDIChildWnd.h"
#include "platform/ui/CMDIFrameWnd.h"
#include "platform/ui/CMenu.h"
#include "platform/ui/CView.h"
#include "platform/ui/CWinApp.h"

#include <string>
#include <vector>

// Every handler of the fixture writes "<who>:<command id>" here.
std::vector<std::string>& FixtureLog();
// Loads fixture.rc from the Qt resources (once).
void LoadFixtureResources();

// Answers WM_SIZEPARENT by taking a strip of fixed height at the top or bottom.
class CFixtureStrip : public CWnd {
public:
    CFixtureStrip(int height, bool bottom) : m_height(height), m_bottom(bottom) {}
    void SetHeight(int height) { m_height = height; }

protected:
    LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam) override;

private:
    int m_height;
    bool m_bottom;
};

// The menu of resource 123; at idle every item asks the frame's update handlers.
class CFixtureMenuStrip : public CFixtureStrip {
public:
    CFixtureMenuStrip();
    CMenu& Menu() { return m_menu; }
    int IdleUpdates() const { return m_idleUpdates; }

protected:
    void OnIdleUpdateCmdUI(BOOL disableIfNoHandler) override;

private:
    void UpdateMenu(CMenu& menu, CCmdTarget* target, BOOL disableIfNoHandler);
    CMenu m_menu;
    int m_idleUpdates = 0;
};

class CFixtureDocument : public CDocument {
public:
    CFixtureDocument();
    void OnEditPaste();
};

class CFixtureView : public CView {
public:
    CFixtureView();
    void OnEditCopy();
    int keyDowns = 0;   // keys other than Shift, Ctrl and Alt

protected:
    void OnKeyDown(UINT ch, UINT repeat, UINT flags) override;
};

class CFixtureChild : public CMDIChildWnd {
public:
    explicit CFixtureChild(const std::string& name);
    ~CFixtureChild() override;
    CFixtureView* View() { return m_view; }
    CFixtureDocument& Document() { return m_document; }
    const std::string& Name() const { return m_name; }
    int activations = 0;

    void OnSymbolicAddressing();
    void OnUpdateSymbolicAddressing(CCmdUI* cmdUI);

protected:
    int OnCreate() override;
    void OnMDIActivate(BOOL activate, CWnd* activateWnd, CWnd* deactivateWnd) override;

private:
    std::string m_name;
    CFixtureDocument m_document;
    CFixtureView* m_view = nullptr;
};

class CFixtureFrame : public CMDIFrameWnd {
public:
    CFixtureFrame();
    BOOL monitoring = FALSE;
    BOOL projectOpen = FALSE;

    CFixtureStrip& TopBar() { return m_topBar; }
    CFixtureMenuStrip& MenuStrip() { return m_menuStrip; }
    CFixtureStrip& StatusStrip() { return m_statusStrip; }
    CFixtureChild* OpenChild(const std::string& name);

    BOOL PreTranslateMessage(MSG* msg) override;

    void OnNewProject();
    void OnCloseProject();
    void OnWindowClose();
    void OnMonitor();
    void OnUpdateNotMonitoring(CCmdUI* cmdUI);
    void OnUpdateProjectOpen(CCmdUI* cmdUI);
    void OnUpdateChildActive(CCmdUI* cmdUI);
    void OnUpdateSave(CCmdUI* cmdUI);

protected:
    int OnCreate() override;

private:
    CFixtureStrip m_statusStrip{20, true};
    CFixtureMenuStrip m_menuStrip;
    CFixtureStrip m_topBar{24, false};
};

class CFixtureApp : public CWinApp {
public:
    CFixtureApp();
    void OnSaveProject();
    void OnAbout();
    void OnUpdateSave(CCmdUI* cmdUI);
};
