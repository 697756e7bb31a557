#include "toolkit/docking/tabs/CTKTabColorSetThemed.h"

void CTKTabColorSetThemed::RefreshColors()
{
    CTKTabColorSetDefault::RefreshColors();
    m_tabTheme.CloseThemeData();
    m_tabTheme.OpenThemeData(nullptr, "TAB");
    if (m_tabTheme.IsAppThemed()) {
        light3D = kNoColor;
        shadow3D = kNoColor;
        darkShadow3D = kNoColor;
        hotTextColor = textColor;
    }
    m_toolbarTheme.CloseThemeData();
    m_toolbarTheme.OpenThemeData(nullptr, "TOOLBAR");
}

BOOL CTKTabColorSetThemed::IsThemed()
{
    return m_tabTheme.IsAppThemed();
}
