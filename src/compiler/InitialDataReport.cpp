#include "InitialDataReport.h"

#include "CCompileMessage.h"
#include "model/CZULInitData.h"
#include "model/CZULProject.h"
#include "platform/ByteString.h"
#include "platform/CUserInterface.h"

namespace {

// The problem texts by the bit the initial-data table marks a column with.
struct InitialDataProblem {
    DWORD bit;
    const char* text;
};

const InitialDataProblem kProblems[] = {
    {0x01, "The address is not legal."},
    {0x02, "You are allowed to make initial value assignments to V memory only. You can make value assignments to "
           "byte (VB), word(VW), double word (VD), or REAL (VD) addresses."},
    {0x04, "The initial value is not legal."},
    {0x08, "The data type of initial value is not appropriate."},
    {0x10, "Unknown intial value due to illegal address."},
    {0x20, "The address is out of range."},
};

// The text of the lowest known bit of the mark; "" when it carries none.
const char* ProblemText(DWORD mark)
{
    for (const InitialDataProblem& problem : kProblems) {
        if (mark & problem.bit)
            return problem.text;
    }
    return "";
}

} // namespace

int ReportInitialData(const CZULProject& project)
{
    IOutputSink& output = CUserInterface::Output();
    output.AppendOutputLine(OUTPUT_LIST_COMPILE, "$$$ Compiling  : Initial data...");
    int problems = 0;
    int row = 0;
    for (const auto& data : project.InitialData) {
        ++row;
        if (!data)
            continue;
        if (data->texts.size() == 1 && !data->texts[0].empty()) {
            output.AppendOutputLine(OUTPUT_LIST_COMPILE,
                                    ByteString::Format("        %s%s%3d%s%s%3d%s", "Initial Data, ", "Row ", row, ", ",
                                                       "Col", 1, ":  Initial value is not assigned."));
            ++problems;
        }
        for (const auto& [column, mark] : data->GetCodesInStoredOrder()) {
            output.AppendOutputLine(OUTPUT_LIST_COMPILE,
                                    ByteString::Format("        %s%s%3d%s%s%3d%s%s", "Initial Data, ", "Row", row, ", ",
                                                       "Col", int(column) + 1, ":  ", ProblemText(mark)));
            ++problems;
        }
    }
    return problems;
}
