#pragma once
// The monitor address lists of the download image: every monitor item of the
// last compilation, sorted by its monitor class into the byte, word,
// timer/counter and double-word lists whose order fixes the order of the
// values in every monitor reply. Beside them, the two bit helpers that pack
// bits for the image and the force table.

#include "platform/WinTypes.h"

class CZULAppData;

// Rebuilds the project's four lists, the items' operand and address, and the
// map from monitor code to item. Keys without a monitor class are skipped.
void BuildMonitorLists(CZULAppData& app);

// Number of value bytes the PLC sends for the current lists: one per byte
// code, two per word code, three per timer/counter code, four per double word.
int MonitorReplyLength(const CZULAppData& app);

// Sets bit 0..7 of the byte; returns the pointer.
BYTE* SetBit(BYTE* byte, int bit);
// Sets the bit when value is non-zero and clears it otherwise; returns the pointer.
BYTE* SetByteBit(BYTE* byte, int bit, int value);
