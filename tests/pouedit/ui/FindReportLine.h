#pragma once
// The output window's reading of an IL find report line, kept apart from
// the POU editor headers whose language constants it would clash with.

#include <string>

bool ReadILReportLine(const std::string& line, std::string& pouName, int& row, int& column, int& item);
