#pragma once
// The rules of the General page of the Options sheet that need no window:
// the CPU models offered for new projects with their module-catalogue rows,
// and how the page's controls map to the settings.

#include "model/LanguageLibrary.h"
#include <string>

class CZULAppData;

struct CCpuListEntry {
    const char* model;
    int catalogueRow;
};

constexpr int CPU_LIST_COUNT = 18;
extern const CCpuListEntry CPU_LIST[CPU_LIST_COUNT];
// The model shown for a stored row that the list does not offer ("VB14-24AR").
constexpr int CPU_LIST_FALLBACK = 6;


// The page's controls: check boxes shown inverted, radio index, list positions.
struct CGeneralSettingsControls {
    int compileBeforeDownload = 0;
    int compileBeforeMonitoring = 0;
    int integerFormat = -1;
    int cpuPosition = -1;
    int languagePosition = -1;
};

// The list position of a catalogue row; the fallback when the list lacks it.
int CpuListPosition(int catalogueRow);

// The controls as the page shows the settings.
CGeneralSettingsControls LoadGeneralSettings(const CZULAppData& app);
// Stores the controls. A stored CPU row that the list does not offer stays
// as it is while the list still shows the position it was loaded with.
void StoreGeneralSettings(CZULAppData& app, const CGeneralSettingsControls& loaded,
                          const CGeneralSettingsControls& controls);
