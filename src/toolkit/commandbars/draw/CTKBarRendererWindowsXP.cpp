#include "toolkit/commandbars/draw/CTKBarRendererWindowsXP.h"

CTKBarRendererWindowsXP::CTKBarRendererWindowsXP()
{
    m_bFadedIcons = TRUE;
    m_bHotIconShadow = FALSE;
    RefreshMetrics();
}

void CTKBarRendererWindowsXP::RefreshMetrics()
{
    CTKBarRendererClassic::RefreshMetrics();
    m_themeToolbar.CloseThemeData();
    m_themeToolbar.OpenThemeData(nullptr, "TOOLBAR");
    m_themeRebar.CloseThemeData();
    m_themeRebar.OpenThemeData(nullptr, "REBAR");
}
