#include "InitialDataReport.h"

#include "CCompileMessage.h"
#include "model/CZULInitData.h"
#include "model/CZULProject.h"
#include "model/SharedStrings.h"
#include "platform/ByteString.h"
#include "platform/CUserInterface.h"

namespace {

// The problem texts by the bit the initial-data table marks a column with.
struct InitialDataProblem {
    DWORD bit;
    const char* text;
};

const InitialDataProblem kProblems[] = {
    {0x01, kInitDataMessages[0]}, {0x02, kInitDataMessages[1]}, {0x04, kInitDataMessages[2]},
    {0x08, kInitDataMessages[3]}, {0x10, kInitDataMessages[4]}, {0x20, kInitDataMessages[5]},
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
