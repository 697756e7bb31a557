// The variable file of a generated PID subroutine: the interface of loop n
// at the loop's fixed local addresses.

#include "CZULAppData.h"

#include "LanguageLibrary.h"
#include "platform/ByteString.h"
#include "platform/CUserInterface.h"
#include "platform/FileSystem.h"

namespace {

constexpr int GENERATE_FROM_PID_WIZARD = 1;
constexpr int GENERATE_FROM_TUNE_WIZARD = 2;

constexpr int FIRST_LOOP_WORD = 16;  // PV of loop 0 at LW16, SP at LW18, A_OUT at LW20
constexpr int LOOP_WORD_STRIDE = 6;
constexpr int LOOP_BIT_STRIDE = 4;   // AUTO, TUNE, D_OUT and NAUTO of loop n from local bit 4n
constexpr int BITS_PER_BYTE = 8;

enum LoopBit { AUTO_BIT = 0, TUNE_BIT = 1, D_OUT_BIT = 2, NAUTO_BIT = 3 };

const char* const LINE_END = "\r\n";
const char* const TUNE_COMMENT = "(* PID\xD7\xD4\xD5\xFB\xB6\xA8\xCA\xB1\xA3\xAC\xC0\xE0\xD0\xCDVAR_INPUT\xA3\xAC\xB7\xF1\xD4\xF2VAR *)";
const char* const A_OUT_COMMENT =
    "(* \xC4\xA3\xC4\xE2\xC1\xBF\xCA\xE4\xB3\xF6\xCA\xB1\xA3\xAC\xC0\xE0\xD0\xCDVAR_OUTPUT,\xB7\xF1\xD4\xF2VAR *) ";
const char* const D_OUT_COMMENT =
    "(* \xBF\xAA\xB9\xD8\xC1\xBF\xCA\xE4\xB3\xF6\xCA\xB1\xA3\xAC\xC0\xE0\xD0\xCDVAR_OUTPUT,\xB7\xF1\xD4\xF2VAR *) ";
const char* const VAR_FILE_CREATE_FAILED = "\xCE\xC4\xBC\xFE %s \xB4\xB4\xBD\xA8\xCA\xA7\xB0\xDC ";

std::string WordAddress(int loop, int word)
{
    return ByteString::Format("%%LW%d", FIRST_LOOP_WORD + LOOP_WORD_STRIDE * loop + 2 * word);
}

std::string BitAddress(int loop, LoopBit bit)
{
    const int number = LOOP_BIT_STRIDE * loop + bit;
    return ByteString::Format("%%L%d.%d", number / BITS_PER_BYTE, number % BITS_PER_BYTE);
}

std::string Declaration(int loop, const char* name, const std::string& address, const char* type,
                        const std::string& comment)
{
    return ByteString::Format("P%d_%s  AT  %s : %s ; %s", loop, name, address.c_str(), type, comment.c_str()) +
           LINE_END;
}

} // namespace

BOOL CZULAppData::BuildPIDVarFileText(std::string& text) const
{
    const int n = CurrentPIDLoop;
    if (n < 0 || n >= PID_LOOPS_USED)
        return FALSE;
    const std::string tune = Declaration(n, "TUNE", BitAddress(n, TUNE_BIT), "BOOL", TUNE_COMMENT);
    const std::string analogOut = Declaration(n, "A_OUT", WordAddress(n, 2), "INT", A_OUT_COMMENT);
    const std::string switchedOut = Declaration(n, "D_OUT", BitAddress(n, D_OUT_BIT), "BOOL", D_OUT_COMMENT);
    const bool analog = PIDLoops[n].AnalogOutput != 0;
    const bool tuneIsInput = PIDGenerateMode == GENERATE_FROM_TUNE_WIZARD;

    text = std::string("VAR_INPUT") + LINE_END;
    text += Declaration(n, "PV", WordAddress(n, 0), "INT", "(*  *) ");
    text += Declaration(n, "SP", WordAddress(n, 1), "INT", "(*  *)");
    text += Declaration(n, "AUTO", BitAddress(n, AUTO_BIT), "BOOL", "(*  *)");
    if (tuneIsInput)
        text += tune;
    text += std::string("END_VAR") + LINE_END + "VAR_OUTPUT" + LINE_END;
    text += analog ? analogOut : switchedOut;
    text += std::string("END_VAR") + LINE_END + "VAR" + LINE_END;
    text += analog ? switchedOut : analogOut;
    if (!tuneIsInput)
        text += tune;
    text += Declaration(n, "NAUTO", BitAddress(n, NAUTO_BIT), "BOOL", "(*  *) ");
    text += std::string("END_VAR") + LINE_END;
    return TRUE;
}

BOOL CZULAppData::WritePIDVarFile(const std::string& path)
{
    if (PIDGenerateMode != GENERATE_FROM_PID_WIZARD && PIDGenerateMode != GENERATE_FROM_TUNE_WIZARD)
        return FALSE;
    std::string text;
    const BOOL built = BuildPIDVarFileText(text);
    PIDGenerateMode = 0;
    if (!built)
        return FALSE;
    if (FileSystem::SafeSave(path, text)) {
        ClearReadOnlyAttribute(path);
        return TRUE;
    }
    ShowMessage("Error", ByteString::Format(VAR_FILE_CREATE_FAILED, path.c_str()), MB_OK | MB_ICONSTOP);
    return FALSE;
}
