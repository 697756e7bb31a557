#pragma once
// The options of one frame's command bars: menu and tooltip behaviour,
// icon sizes, the expand button, and the hidden (rarely used) commands with
// those of them the user has executed.

#include "platform/CArchive.h"
#include "platform/ui/CCmdTarget.h"

#include <set>
#include <vector>

class CTKCommandBars;

class CTKCommandBarsOptions : public CCmdTarget {
public:
    explicit CTKCommandBarsOptions(CTKCommandBars* commandBars);
    ~CTKCommandBarsOptions() override;

    // The archive form inside the saved bar state.
    void Serialize(CArchive& ar) override;

    // A set of commands in the archive's hash-map form: count, then id and 1 per
    // entry in bucket order. Reading merges into the set; FALSE on a bad archive.
    static void StoreCommandSet(CArchive& ar, const std::set<UINT>& commands);
    static BOOL LoadCommandSet(CArchive& ar, std::set<UINT>* commands);

    CTKCommandBars* m_pCommandBars;
    BOOL bAlwaysShowFullMenus = TRUE;
    BOOL bShowFullAfterDelay = TRUE;
    BOOL bToolBarScreenTips = TRUE;
    BOOL bToolBarAccelTips = FALSE;
    BOOL bLargeIcons = FALSE;
    BOOL bSyncFloatingBars = TRUE;
    BOOL bShowExpandButtonAlways = TRUE;
    BOOL bDblClickFloat = FALSE;
    BOOL bShowTextBelowIcons = FALSE;
    int nAnimationType = 0;
    CSize szIcons;
    CSize szLargeIcons;
    std::set<UINT> hiddenCommands;
    std::set<UINT> usedCommands;
};
