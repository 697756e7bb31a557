#pragma once
// Opening a fixture frame with command bars, as most command-bar tests
// start: the frame, its bars manager and, where asked, toolbars loaded
// from their resources.

#include "toolkit/ToolkitFixture.h"
#include "toolkit/commandbars/CTKCommandBars.h"
#include "toolkit/commandbars/CTKToolBar.h"
#include "toolkit/commandbars/draw/CTKBarRenderer.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <utility>

// The program's four toolbars, in the order of its creation sequence.
struct ProgramBar {
    const char* title;
    UINT id;
};
inline constexpr ProgramBar kProgramBars[] = {{"Standard", 123}, {"Project", 284}, {"LD", 286}, {"Debug", 288}};

// Makes a frame of the type from the arguments, opens it at the rectangle
// and gives it command bars. A frame or bars that cannot be made fail the
// test: wrap the call in ASSERT_NO_FATAL_FAILURE.
template <class Frame, class... Args>
void OpenFrameWithBars(std::unique_ptr<Frame>& frame, CTKCommandBars*& bars, const CRect& rect, Args&&... args)
{
    frame = std::make_unique<Frame>(std::forward<Args>(args)...);
    ASSERT_TRUE(frame->Open(rect));
    bars = AttachCommandBars(*frame);
    ASSERT_NE(bars, nullptr);
}

// The same on the pinned desktop in the classic theme.
template <class Frame>
void OpenClassicFrameWithBars(std::unique_ptr<Frame>& frame, CTKCommandBars*& bars, const CRect& rect)
{
    PinPlatformDefaults();
    CTKBarRenderer::SelectTheme(kTKThemeClassic);
    OpenFrameWithBars(frame, bars, rect);
}

// Docks the bar right of the previous one, in its row, once the frame is laid out.
inline void DockRightOf(CTKCommandBars& bars, CFrameWnd& frame, CTKToolBar* previous, CTKToolBar* bar)
{
    frame.RecalcLayout();
    CRect rect;
    previous->GetWindowRect(&rect);
    rect.OffsetRect(rect.Width(), 0);
    bars.DockBar(bar, &rect, previous->GetDockBar());
}

// Adds a toolbar "Bar <id>" loaded from each toolbar resource, in order,
// then lays the frame out. A bar that cannot be made fails the test: wrap
// the call in ASSERT_NO_FATAL_FAILURE.
inline void AddLoadedToolBars(CTKCommandBars& bars, CFrameWnd& frame, std::initializer_list<UINT> ids)
{
    for (UINT id : ids) {
        CTKToolBar* bar = bars.AddToolBar("Bar " + std::to_string(id), kTKPositionTop, RUNTIME_CLASS(CTKToolBar));
        ASSERT_TRUE(bar && bar->LoadToolBar(id));
    }
    bars.RelayoutFrame(FALSE);
    frame.RecalcLayout();
    ProcessEvents();
}
