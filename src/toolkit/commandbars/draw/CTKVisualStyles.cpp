#include "toolkit/commandbars/draw/CTKVisualStyles.h"

namespace {

struct PretendedTheme {
    std::string fileName;
    std::string colorName;
};

PretendedTheme& Pretended()
{
    static PretendedTheme theme;
    return theme;
}

} // namespace

CTKVisualStyles::~CTKVisualStyles()
{
    CloseThemeData();
}

void CTKVisualStyles::OpenThemeData(CWnd*, const char*)
{
    CloseThemeData();
}

void CTKVisualStyles::CloseThemeData()
{
}

LONG CTKVisualStyles::DrawThemeBackground(CDC*, int, int, const CRect*, const CRect*)
{
    return E_FAIL;
}

BOOL CTKVisualStyles::IsAppThemed()
{
    return FALSE;
}

LONG CTKVisualStyles::GetCurrentThemeName(std::string* fileName, std::string* colorName, std::string* sizeName)
{
    const PretendedTheme& theme = Pretended();
    if (theme.fileName.empty())
        return E_FAIL;
    if (fileName)
        *fileName = theme.fileName;
    if (colorName)
        *colorName = theme.colorName;
    if (sizeName)
        sizeName->clear();
    return S_OK;
}

void CTKVisualStyles::PretendThemeName(const std::string& fileName, const std::string& colorName)
{
    Pretended() = {fileName, colorName};
}
