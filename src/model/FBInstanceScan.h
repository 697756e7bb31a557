#pragma once
// The project's table of function-block instances (timers, counters and
// bistables) derived again from the POU programs: every line that calls one
// of the eight standard FB types with operands that validate contributes its
// instance with the FB type and the owning POU. The table is replaced only
// when the scanned set differs from it.

#include "ILVocabulary.h"
#include "OperandTypeFlags.h"
#include "platform/WinTypes.h"

#include <string>
#include <vector>

class CSourceFileCache;
class CZULAppData;

// The steps of CZULAppData::RebuildFBInstanceTable.

// Fills the scan buffer; TRUE when it holds the same instances as the table.
// A run's cache, when given, reads each file once for the whole run.
BOOL ScanPOUSources(CZULAppData& app, CSourceFileCache* cache = nullptr);
void ScanILLine(CZULAppData& app, const std::string& line, const std::string& POUName);
BOOL SplitScannedLine(const std::string& line, std::vector<std::string>& words);
BOOL GetScanOperandFlags(const CZULAppData& app, const std::string& operand, OperandTypeFlags& flags);
// 1 valid, 2 valid through the pointer signatures, 0 or -1 not valid.
int CheckScannedOperands(const CZULAppData& app, const std::vector<std::string>& words, COpcodeDef& signature);
void RecordScannedInstance(CZULAppData& app, const std::vector<std::string>& words, const std::string& POUName);
