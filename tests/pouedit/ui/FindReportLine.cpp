#include "FindReportLine.h"

#include "model/LanguageLibrary.h"

bool ReadILReportLine(const std::string& line, std::string& pouName, int& row, int& column, int& item)
{
    int kind = 0;
    int network = 0;
    FindReportElement element;
    return ParseFindReportLine(line, kind, pouName, network, row, column, item, element) && kind == FIND_REPORT_IL;
}
