#pragma once
// The force-table exchange with the PLC: reading the PLC's force table ('P'),
// sending the project's table ('J') and unforcing everything ('K'). While
// monitoring, each exchange borrows the monitor's open port between two
// cycles: it waits for the end of a cycle, pauses the monitor thread and
// exchanges on the open port. Otherwise it takes the port lock and opens and
// closes the port itself. Failures are reported to the user.

#include "IForceMapBuilder.h"
#include "platform/WinTypes.h"

#include <vector>

// The force-table block: the image block header {length of the whole block
// (16 bits, little-endian), block type, 6, block type, variant byte}, one
// count byte each for the BOOL, BYTE, WORD, DWORD and REAL entries, then the
// entries.
constexpr int FORCE_TABLE_HEADER_BYTES = 6;
constexpr int FORCE_TABLE_COUNT_BYTES = 5;
constexpr int FORCE_TABLE_EMPTY_BYTES = FORCE_TABLE_HEADER_BYTES + FORCE_TABLE_COUNT_BYTES;

// Waits of the port arbitration.
constexpr DWORD FORCE_ROUND_WAIT_MS = 5000;
constexpr DWORD FORCE_PORT_LOCK_WAIT_MS = 1500;
// Shown when the monitor ended no cycle within FORCE_ROUND_WAIT_MS.
constexpr const char* FORCE_NO_MONITOR_CYCLE_TEXT =
    "The force table could not be exchanged because the PLC did not finish a monitor cycle within 5 seconds.";

// The table without entries: length 11, variant 0, five zero counts.
std::vector<BYTE> MakeEmptyForceTable(BYTE blockType);
// The block's own length field; -1 when the block is too short to hold one.
int ForceTableLengthField(const std::vector<BYTE>& block);

// Reads the PLC's table into the project's force-table block; a PLC without
// a table (result 3) leaves the block as it was and counts as success.
BOOL RequestForcedTable();
// Sends the project's force-table block.
BOOL SendForceTable();
// Has the PLC unforce every operand.
BOOL SendUnforceAll();
// Puts an empty table of the profile's block type into the project, reads
// the PLC's table over it and checks it section by section ("Received Data
// error." unless its length field and sections add up to its size and every
// entry lies inside the force image); then the force map is rebuilt from it.
BOOL ReadForcedTable();

// Installs who rebuilds the force map; nullptr leaves the map alone.
void SetForceMapBuilder(IForceMapBuilder* builder);
