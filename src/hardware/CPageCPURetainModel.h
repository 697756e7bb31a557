#pragma once
// The "Retentive Ranges" page without its window: four ranges, each a run
// of V bytes ("VB") or of counters ("C") given by start and length, with the
// ranges of their spins taken from the live memory-area table. The window
// copies its controls in before each operation and shows the state after.

#include "CpuPageContext.h"

#include <string>
#include <vector>

constexpr int CPU_RETAIN_RANGES = 4;

enum RetainArea { RETAIN_AREA_VB = 0, RETAIN_AREA_C = 1 };

struct CSpinRange {
    int low = 0;
    int high = 0;
};

class CPageCPURetainModel {
public:
    explicit CPageCPURetainModel(CZULAppData& app);

    CpuPageContext& Context() { return m_context; }

    static std::vector<std::string> AreaItems();

    void OnInitDialog();
    void SetDefaultSettings();
    void ReloadSettings();
    void OnAreaChanged(int range);
    // A start or length field reports a change; the first report of each
    // field comes from the page's own loading and is ignored.
    void OnStartChanged(int range);
    void OnLengthChanged(int range);
    BOOL ApplyRetentiveRanges();

    // Control state.
    int area[CPU_RETAIN_RANGES] = {};
    std::string startText[CPU_RETAIN_RANGES];
    std::string lengthText[CPU_RETAIN_RANGES];
    CSpinRange startSpin[CPU_RETAIN_RANGES];
    CSpinRange lengthSpin[CPU_RETAIN_RANGES];

private:
    void SetLengthSpin(int range, int start);

    CpuPageContext m_context;
    bool m_startChangedOnce[CPU_RETAIN_RANGES] = {};
    bool m_lengthChangedOnce[CPU_RETAIN_RANGES] = {};
};
