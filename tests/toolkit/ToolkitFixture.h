#pragma once
// The toolkit's test fixture: an MDI frame with two children and a status
// strip on a pinned desktop (fixed fonts, colours and metrics, a 1024 by 768
// work area), screenshots of every visible top-level window saved beside
// the test binary, and pixel probes.

#include "platform/ui/CMDIChildWnd.h"
#include "platform/ui/CMDIFrameWnd.h"
#include "toolkit/commandbars/CTKMDIFrameWnd.h"
#include "platform/ui/CWinApp.h"

#include <QImage>

#include <memory>
#include <string>

constexpr UINT kFixtureFrameId = 4000;
constexpr UINT kMaskedStripId = 4001;
constexpr UINT kAlphaStripId = 4002;

// Puts the platform defaults back, pins the work area, refreshes the
// toolkit's colours and loads the program's and the fixture's resources.
void PinPlatformDefaults();

// Saves the screen as a person would see it; returns the full path.
std::string SaveScreenshot(const std::string& name);
// Saves an image beside the test binary; returns the full path.
std::string SaveArtefact(const QImage& image, const std::string& name);
// The colour of a pixel as the drawing code names colours.
COLORREF ProbeColor(const QImage& image, int x, int y);
int ProbeAlpha(const QImage& image, int x, int y);

// Lets posted messages, timers at 0 and paints run.
void ProcessEvents();

// Gives the frame a command-bar manager with its four dock bars; null when
// the dock bars cannot be made. The frame owns the manager.
CTKCommandBars* AttachCommandBars(CTKMDIFrameWnd& frame);

// Answers WM_SIZEPARENT by taking a strip of fixed height at the bottom.
class CTKFixtureStatusStrip : public CWnd {
public:
    static constexpr int kHeight = 20;

protected:
    LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;
};

class CTKFixtureFrame : public CTKMDIFrameWnd {
public:
    CTKFixtureFrame();
    CTKFixtureStatusStrip& StatusStrip() { return m_statusStrip; }
    CMDIChildWnd* Child(int index) { return index == 0 ? m_first : m_second; }

    // Creates, places, shows and fills the frame: two children, tiled side by side.
    BOOL Open(const CRect& rect);
    // Ctrl+Tab moves to the next child, as in the program; then the command bars.
    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    int OnCreate() override;

private:
    CTKFixtureStatusStrip m_statusStrip;
    CMDIChildWnd* m_first = nullptr;
    CMDIChildWnd* m_second = nullptr;
};
