#include "shell/FrameCommandRules.h"

#include <cstring>
#include <iterator>

namespace {

using R = EnableRule;

// The frame's commands in menu order. Reset local variable re-allocates the
// local addresses of every POU, so it needs a project and no monitoring.
const CFrameCommandRule kFrameCommands[] = {
    {32695, R::NotMonitoring},           // New Project
    {32696, R::NotMonitoring},           // Open Project
    {32697, R::ProjectNotMonitoring},    // Close Project
    {32779, R::ProjectNotMonitoring},    // Save Project
    {32780, R::ProjectNotMonitoring},    // Save Project As
    {32781, R::NotMonitoring},           // Import
    {32782, R::ProjectNotMonitoring},    // Export
    {32921, R::ProjectNotMonitoring},    // New Subroutine
    {32922, R::ProjectNotMonitoring},    // New Interrupt
    {32962, R::Always},                  // Open All Programs
    {32935, R::ProjectNotMonitoring},    // Compile All
    {32936, R::ProjectOpen},             // Global Variable
    {32928, R::ProjectOpen},             // Cross Reference
    {32927, R::POUEditorActive},         // Symbolic Addressing
    {32793, R::NoMonitorNoTrend},        // Upload
    {32794, R::ProjectNoMonitorNoTrend}, // Download
    {32795, R::ProjectNoMonitorNoTrend}, // Compare
    {32796, R::NoMonitorNoTrend},        // Clear
    {32889, R::NoMonitorNoTrend},        // Password
    {32798, R::NoMonitorNoTrend},        // Information
    {32799, R::NoMonitorNoTrend},        // Time of Day Clock
    {32802, R::NoMonitorNoTrend},        // RUN
    {32804, R::NoMonitorNoTrend},        // STOP
    {32806, R::OwnHandler},              // Monitor
    {32932, R::ProjectOpen},             // Status Chart
    {32874, R::Always},                  // Options
    {32907, R::OwnHandler},              // Communications
    {32959, R::ProjectNotMonitoring},    // Reset local variable
    {32910, R::ChildActive},             // Window Close
    {32876, R::Always},                  // tab menu Close
    {32911, R::ChildActive},             // Window Close All
    {32880, R::Always},                  // tab menu Close All
    {32879, R::Always},                  // Toggle Tab
    {32964, R::Always},                  // Full Screen
    {32966, R::Always},                  // Restore
    {32943, R::Always},                  // theme WindowsXP
    {32944, R::Always},                  // theme OfficeXP
    {32952, R::Always},                  // theme Office2003
    {32811, R::Always},                  // Contents and Index
    {32812, R::Always},                  // web site
    {32961, R::Always},                  // hardware manual
    {32967, R::PidFamily},               // PID wizard
    {61449, R::PidFamily},               // PID trend
    {32694, R::Untouched},               // instruction tree toggle
    {32871, R::Untouched},               // catalogue toggle
    {32971, R::Untouched},
};

BOOL IsPidFamily(DWORD mask)
{
    for (DWORD bit : kPidFamilyBits) {
        if (mask == bit)
            return TRUE;
    }
    return FALSE;
}

} // namespace

BOOL IsRuleEnabled(EnableRule rule, const CFrameCommandState& state)
{
    const bool idle = !state.monitoring;
    switch (rule) {
    case R::Always:
    case R::OwnHandler:
    case R::Untouched:
        return TRUE;
    case R::NotMonitoring:
        return idle;
    case R::ProjectNotMonitoring:
        return idle && state.projectOpen;
    case R::ProjectOpen:
        return state.projectOpen;
    case R::NoMonitorNoTrend:
        return idle && !state.pidTrendOpen;
    case R::ProjectNoMonitorNoTrend:
        return idle && state.projectOpen && !state.pidTrendOpen;
    case R::ChildActive:
        return state.childActive;
    case R::PidFamily:
        return idle && state.projectOpen && IsPidFamily(state.cpuFamilyMask);
    case R::POUEditorActive:
        return state.pouEditorActive;
    }
    return FALSE;
}

BOOL FindFrameCommandRule(UINT id, EnableRule& rule)
{
    for (const CFrameCommandRule& entry : kFrameCommands) {
        if (entry.id == id) {
            rule = entry.rule;
            return TRUE;
        }
    }
    return FALSE;
}

const CFrameCommandRule* FrameCommandRules(int& count)
{
    count = static_cast<int>(std::size(kFrameCommands));
    return kFrameCommands;
}

namespace {

struct ChildHelpRecord {
    const char* frameClass;
    const char* topic;
};

const ChildHelpRecord kChildHelp[] = {
    {"CChildFrmEditor", "bianliang-IL"},
    {"CChildFrmStatus", "biao-bianliang"},
    {"CChFrmInitData", "chushihuabiao"},
    {"CChFrmCrossRef", "biao-jiaochasuoyin"},
    {"CChildFrameHW", "yingjianpeizhibiao"},
    {"CChildFrameVar", "biao-quanju"},
};

} // namespace

const char* ChildHelpTopic(const char* frameClassName)
{
    if (frameClassName == nullptr)
        return "";
    for (const ChildHelpRecord& record : kChildHelp) {
        if (std::strcmp(record.frameClass, frameClassName) == 0)
            return record.topic;
    }
    return "";
}
