#include "toolkit/commandbars/CTKMenuBarMDIButton.h"

#include "platform/CDC.h"
#include "platform/CFont.h"
#include "platform/MulDiv.h"
#include "platform/ui/CMDIChildWnd.h"
#include "toolkit/commandbars/CTKCommandBar.h"
#include "toolkit/commandbars/CTKCommandBars.h"
#include "toolkit/commandbars/CTKMenuBar.h"
#include "toolkit/commandbars/CTKPopupTracker.h"
#include "toolkit/commandbars/draw/CTKBarRenderer.h"
#include "toolkit/commandbars/draw/CTKDCSelectGuard.h"

IMPLEMENT_SERIAL(CTKMenuBarMDIButton, CTKControlButton, 0x80000006)

namespace {

// The glyphs are drawn in an 8-point symbol font scaled back to 96 dots
// per inch, so they keep their pixel size on every display density.
constexpr int kGlyphPointTenths = 80;
constexpr int kReferenceDpi = 96;

// The system command of each MDI button; the items of a system menu carry
// their system command as their id.
struct ButtonCommand {
    UINT id;
    WPARAM command;
};
const ButtonCommand kButtonCommands[] = {
    {kTKMDIMinimizeId, SC_MINIMIZE},
    {kTKMDIRestoreId, SC_RESTORE},
    {kTKMDICloseId, SC_CLOSE},
};

WPARAM SystemCommandOf(UINT id)
{
    for (const ButtonCommand& entry : kButtonCommands)
        if (entry.id == id)
            return entry.command;
    return id;
}

} // namespace

CTKMenuBarMDIButton::CTKMenuBarMDIButton() = default;

void CTKMenuBarMDIButton::Execute()
{
    CTKCommandBar* parent = GetParent();
    CTKCommandBars* bars = parent ? parent->GetCommandBars() : nullptr;
    CTKMenuBar* menuBar = bars ? bars->GetMenuBar() : nullptr;
    CTKPopupTracker::Get().CloseTrackedBars();
    CWnd* child = menuBar ? menuBar->GetActiveMDIChild(nullptr) : nullptr;
    if (child)
        child->PostMessage(WM_SYSCOMMAND, SystemCommandOf(GetID()), 0);
}

CSize CTKMenuBarMDIButton::GetSize(CDC* dc)
{
    if (!HasGlyph())
        return CTKControlButton::GetSize(dc);
    return CSize(kTKMDIControlSize, kTKMDIControlSize);
}

void CTKMenuBarMDIButton::Draw(CDC* dc)
{
    if (!HasGlyph()) {
        CTKControlButton::Draw(dc);
        return;
    }
    CTKCommandBar* parent = GetParent();
    CTKBarRenderer* renderer = parent ? parent->GetBarRenderer() : CTKBarRenderer::GetCurrent();
    if (!renderer)
        return;
    CFont glyphFont;
    glyphFont.CreatePointFont(MulDiv(kGlyphPointTenths, kReferenceDpi, dc->GetDeviceCaps(LOGPIXELSX)), "Marlett");
    CTKDCSelectGuard font(dc, &glyphFont);
    renderer->DrawControlEntry(dc, this);
    CRect rect = GetRect();
    dc->DrawText(GetParameter(), &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}
