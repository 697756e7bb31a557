#pragma once
// The toolkit fixture frame with command bars and the MDI tab client,
// attached as the program attaches it (strip mode: no tab icons, scroll
// buttons always, no close button) or in groups mode. It answers message
// 1156 as the program does: a right click on the tabs activates the tab's
// child and opens the first submenu of menu 161 there; every other button
// goes on to the tabs. The commands of that menu are recorded.

#include "toolkit/ToolkitFixture.h"
#include "toolkit/docking/tabs/CTKTabClientWnd.h"

#include <string>
#include <vector>

constexpr UINT kTabMenuId = 161;
constexpr UINT kTabMenuClose = 32876;
constexpr UINT kTabMenuCloseAll = 32880;

class CTKTabFixtureFrame : public CTKFixtureFrame {
public:
    explicit CTKTabFixtureFrame(BOOL groupsMode);
    CTKTabClientWnd& TabClient() { return m_tabClient; }
    // The interface setting: its bar theme, then every bar and the tabs refresh.
    void SetInterface(int setting);
    // A new visible child with the title; it becomes the active one.
    CMDIChildWnd* OpenChild(const std::string& title);

    std::vector<WPARAM> notices;
    std::vector<UINT> commands;

protected:
    int OnCreate() override;
    void OnDestroy() override;

private:
    LRESULT OnTabNotify(WPARAM mouseMessage, LPARAM point);
    void OnTabMenuCommand(UINT id);

    CTKTabClientWnd m_tabClient;
    BOOL m_groupsMode;
};
