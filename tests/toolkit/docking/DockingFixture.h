#pragma once
// The toolkit fixture frame with the program's four docking panes: the
// workspace, the instruction and hardware catalogues tabbed together on the
// left, the output below, the MDI client in between. It answers the pane
// notification as the program does: the view of a pane is created when the
// pane is first shown, and a closed pane clears its shown flag.

#include "platform/ui/CView.h"
#include "toolkit/ToolkitFixture.h"
#include "toolkit/docking/CTKDockingPaneHost.h"

#include <map>
#include <vector>

constexpr UINT kWorkspacePane = 32690;
constexpr UINT kOutputPane = 32692;
constexpr UINT kInstructionsPane = 32554;
constexpr UINT kCatalogPane = 32845;

// A pane's view: a white window.
class CTKFixturePaneView : public CView {
    DECLARE_DYNCREATE(CTKFixturePaneView)

protected:
    void OnPaint() override;
};

class CTKDockingFixtureFrame : public CTKFixtureFrame {
public:
    struct Notice {
        WPARAM kind;
        LPARAM lParam;
        int action;   // the action code of kind 4, else -1
    };

    CTKDockingFixtureFrame();
    CTKDockingPaneHost& Host() { return m_host; }
    CTKDockingPaneItem* Pane(UINT id) { return m_host.FindPane(id); }
    // The interface setting: bar theme with docking style 3 (0 and 3) or 5.
    void SetInterface(int setting);
    // The program's pane options; tests may change them before the panes show.
    static constexpr DWORD kPaneOptions = 1 | 4;

    std::vector<Notice> notices;
    std::map<UINT, int> viewsCreated;
    std::map<UINT, bool> shown;
    // Answer of kind 4: the cancel value written into the action record.
    int refuseAction = -1;
    // Answers the closing notice with the veto.
    bool vetoClose = false;

protected:
    int OnCreate() override;

private:
    LRESULT OnPaneNotify(WPARAM kind, LPARAM lParam);

    CTKDockingPaneHost m_host;
};
