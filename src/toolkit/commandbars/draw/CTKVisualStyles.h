#pragma once
// Drawing parts of the desktop's visual style. The desktop offers none, so
// every call answers its failure value and callers draw on their own. Tests
// may pretend a current theme name so that the luna colour tables run.

#include "platform/WinTypes.h"

#include <string>

class CDC;
class CWnd;

constexpr LONG E_FAIL = static_cast<LONG>(0x80004005u);
constexpr LONG S_OK = 0;

class CTKVisualStyles {
public:
    CTKVisualStyles() = default;
    virtual ~CTKVisualStyles();
    CTKVisualStyles(const CTKVisualStyles&) = delete;
    CTKVisualStyles& operator=(const CTKVisualStyles&) = delete;

    // Opens the style's data of a class list ("TOOLBAR", "REBAR", ...): none here.
    void OpenThemeData(CWnd* window, const char* classList);
    void CloseThemeData();
    BOOL IsThemeOpen() const { return FALSE; }
    LONG DrawThemeBackground(CDC* dc, int part, int state, const CRect* rect, const CRect* clip);
    BOOL IsAppThemed();
    // The theme file, colour and size names; E_FAIL without visual styles.
    LONG GetCurrentThemeName(std::string* fileName, std::string* colorName, std::string* sizeName);

    // Test hook: from now on GetCurrentThemeName answers these names; an
    // empty file name puts the absent style back.
    static void PretendThemeName(const std::string& fileName, const std::string& colorName);
};
