#pragma once
// Fonts, cursors, a copy of the colours and a few system metrics for the
// command bars, panes and tabs and for the program's own windows. Built on
// first use through GetUIMetrics and never rebuilt: a change of system
// fonts or colours shows after a restart.

#include "platform/CFont.h"

#include <QCursor>

#include <string>

class CTKUIMetrics {
public:
    // The eight interface fonts.
    enum FontIndex {
        kRegular,
        kBold,
        kUnderlined,
        kRegularSecond,
        kVerticalUp,
        kVerticalUpBold,
        kVerticalDown,
        kVerticalDownBold,
        kFontCount
    };
    // The cursors, in the order they load.
    enum CursorIndex {
        kCursor9008,
        kCursor9009,
        kCursor9011,
        kCursorHand,
        kCursor9012,
        kCursorSplitter,
        kCursor9971,
        kCursorSizeAll,
        kCursorCount
    };

    CTKUIMetrics();
    virtual ~CTKUIMetrics() = default;
    CTKUIMetrics(const CTKUIMetrics&) = delete;
    CTKUIMetrics& operator=(const CTKUIMetrics&) = delete;

    static BOOL FontExists(const std::string& face);
    static BOOL CreateFontVariant(LOGFONT* base, CFont* font, int weight, BYTE underline, int orientation,
                                  int escapement);
    // (major << 16) | minor of the common controls; 0 when unknown.
    DWORD GetComCtlVersion();

    // Colour copies.
    COLORREF clrFace = 0;
    COLORREF clrShadow = 0;
    COLORREF clrDarkShadow = 0;
    COLORREF clrHighlightEdge = 0;
    COLORREF clrLightFace = 0;
    COLORREF clrButtonText = 0;
    COLORREF clrGrayText = 0;
    COLORREF clrSelection = 0;
    COLORREF clrSelectionText = 0;
    COLORREF clrMenu = 0;
    COLORREF clrMenuText = 0;
    COLORREF clrWindow = 0;
    COLORREF clrWindowFrame = 0;
    COLORREF clrWindowText = 0;
    COLORREF clrActiveCaption = 0;
    COLORREF clrInactiveCaption = 0;
    COLORREF clrActiveCaptionGradient = 0;
    COLORREF clrEntry28 = 0;
    COLORREF clrCaptionText = 0;
    COLORREF clrInactiveCaptionText = 0;
    static constexpr int kDerivedFirst = 30;
    static constexpr int kDerivedCount = 20;
    COLORREF clrDerived[kDerivedCount] {};   // colour indices 30 to 49

    QCursor cursors[kCursorCount];

    int smallIconWidth = 0;
    int smallIconHeight = 0;
    int buttonImageWidth = 0;
    int buttonImageHeight = 0;
    int horizontalThumb = 0;
    int verticalThumb = 0;
    int menuHeight = 0;

    CFont fonts[kFontCount];
    std::string profileName;

private:
    void CopyColors();
    void ReadMetrics();
    void CreateFonts();
    void LoadCursors();

    LONG m_comCtlVersion = -1;
};

// The one metrics object of the process, built on the first call.
CTKUIMetrics* GetUIMetrics();
