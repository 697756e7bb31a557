#pragma once
// The arrangement of a frame's toolbars as it is kept in the profile
// between runs: one record per toolbar (id, visibility, docked or floating
// place, the remembered docking and floating places) under "%s-Bar%d", and
// the summary "%s-Summary" with the count and the screen size it was saved
// on. Loading scales the places to the current screen and keeps them on it.

#include "platform/WinTypes.h"

#include <memory>
#include <string>
#include <vector>

class CSettingsStore;
class CTKToolBar;

// One toolbar's record while saving or loading.
struct CTKBarInfo {
    UINT nBarId = 0;
    BOOL bVisible = FALSE;
    BOOL bFloating = FALSE;
    // Relative to the dock bar when docked, on the screen when floating.
    CPoint ptPosition{-1, -1};
    int nMRUWidth = 32767;
    UINT nMRUDockId = 0;
    CRect rcMRUDock;
    CPoint ptMRUFloat;
    CTKToolBar* pBar = nullptr;
};

class CTKBarStateInfo {
public:
    // Takes the current screen size and the limit that keeps places on it.
    CTKBarStateInfo();

    // Section names of a profile: "%s-Summary", "%s-Bar%d", "%s-DockBar%d", "%s-Controls".
    static std::string SummarySection(const std::string& profile);
    static std::string BarSection(const std::string& profile, int index);
    static std::string DockBarSection(const std::string& profile, int index);
    static std::string ControlsSection(const std::string& profile);

    // The records in order, then the summary.
    void Save(const CSettingsStore& store, const std::string& profile) const;
    // The summary and the records it counts, scaled and limited; FALSE
    // (no records) when the count is not one the program can have written.
    BOOL Load(const CSettingsStore& store, const std::string& profile);

    // A place as it comes back: scaled when the screen size changed, then
    // pulled back to at most the limit.
    CPoint ScalePoint(CPoint point) const;
    BOOL IsScaling() const { return m_bScaling; }

    std::vector<std::unique_ptr<CTKBarInfo>> bars;

private:
    static void SaveRecord(const CSettingsStore& store, const std::string& section, const CTKBarInfo& info);
    void LoadRecord(const CSettingsStore& store, const std::string& section, CTKBarInfo* info) const;

    CSize m_szScreen;
    CSize m_szSaved;
    BOOL m_bScaling = FALSE;
    CPoint m_ptLimit;
};
