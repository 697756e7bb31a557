#pragma once
// When the main window's own commands are enabled: the seven enable rules
// over the monitoring, project, PID trend, CPU family and active-child
// states, and the frame's command table that names each command's rule.

#include "platform/WinTypes.h"

// What the enable rules look at.
struct CFrameCommandState {
    BOOL monitoring = FALSE;
    BOOL projectOpen = FALSE;
    BOOL pidTrendOpen = FALSE;
    DWORD cpuFamilyMask = 0;
    BOOL childActive = FALSE;
    BOOL pouEditorActive = FALSE;
};

enum class EnableRule {
    Always,
    NotMonitoring,              // R1
    ProjectNotMonitoring,       // R2
    ProjectOpen,                // R3
    NoMonitorNoTrend,           // R4
    ProjectNoMonitorNoTrend,    // R5
    ChildActive,                // R6
    PidFamily,                  // R7
    POUEditorActive,            // Symbolic Addressing
    OwnHandler,                 // the command's service decides (Compile All, Monitor, Communications)
    Untouched,                  // the update handler leaves the item as it is
};

struct CFrameCommandRule {
    UINT id;
    EnableRule rule;
};

// The CPU family bits whose PLCs carry the PID loops.
constexpr DWORD kPidFamilyBits[] = {4, 16};

BOOL IsRuleEnabled(EnableRule rule, const CFrameCommandState& state);
// The frame command's rule; FALSE when the frame does not handle the command.
BOOL FindFrameCommandRule(UINT id, EnableRule& rule);
// Every command of the frame's table, in table order.
const CFrameCommandRule* FrameCommandRules(int& count);

// The help topic of F1 with a child window of this class in front; "" for
// any other window or none.
const char* ChildHelpTopic(const char* frameClassName);
