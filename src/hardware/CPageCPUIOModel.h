#pragma once
// The "I/O Configuration" page without its window: the CPU's I and Q byte
// ranges (always from byte 0), the input filter list of each group of four
// inputs and the state of outputs 0 to 15 while the PLC is in STOP. The
// window copies its controls in before each operation and shows the state
// after; the record's filters and STOP states change only with the apply.

#include "CpuPageContext.h"

#include <string>
#include <vector>

constexpr int CPU_FILTER_GROUPS = 8;
constexpr int CPU_STOP_BOXES = 16;
constexpr int CPU_STOP_ROWS = 2;

class CPageCPUIOModel {
public:
    explicit CPageCPUIOModel(CZULAppData& app);

    CpuPageContext& Context() { return m_context; }

    static std::vector<std::string> FilterItems();

    void OnInitDialog();
    void SetDefaultSettings();
    void ReloadSettings();
    void OnSelectAllClicked();
    void OnStopBoxClicked(int output);
    BOOL ApplyIOSettings();

    // Control state.
    std::string iStartText;
    std::string iLengthText;
    std::string qStartText;
    std::string qLengthText;
    int filterSelection[CPU_FILTER_GROUPS] = {};
    bool filterEnabled[CPU_FILTER_GROUPS] = {};
    bool selectAll = false;
    bool stop[CPU_STOP_BOXES] = {};
    bool stopEnabled[CPU_STOP_BOXES] = {};
    std::string rowLabel[CPU_STOP_ROWS];

private:
    // STOP states the page copies for the record's DO count.
    int StartedOutputs() const;
    void CopyStopStatesFromRecord();
    void SelectRecordFilters();

    CpuPageContext m_context;
    int m_iLength = 0;
    int m_qLength = 0;
};
