#include "CCompileMessage.h"

#include "CCompileMessageList.h"
#include "CCompileState.h"
#include "CompilerSymbols.h"
#include "model/LanguageLibrary.h"
#include "platform/ByteString.h"
#include "platform/CUserInterface.h"

namespace {

// The fixed texts by message code; they keep their trailing blanks.
const char* const kMessageTexts[COMPILE_MESSAGE_COUNT] = {
    "Compilation successful ",
    "compiling   ",
    "$$$ Handling variable $$$",
    "$$$ Precompiling $$$",
    "$$$ Handling instruction $$$",
    " ",
    "Precompiling",
    "Compilation Finished ",
    "File error",
    "Unknown file extension(internal error)",
    "The file does not exist",
    "Compilation successful   ",
    "Compilation failed   ",
    "Creating file",
    "Too many character in a line(except comment)",
    "Label redefined",
    "Invalid Label",
    "Invalid instruction",
    "Invalid instruction format",
    "Invalid operand",
    "Invalid identifier",
    "Invalid direct address",
    "Invalid string",
    "Invalid data type",
    "Missing",
    "Variable definition error",
    "Invalid identifier",
    "Too long identifier, cut down to ",
    "Data type does not match the \"load instruction\"",
    "The value is out of range",
    "The object file exceed 64k bytes",
    "There is error in instruction used to assign value",
    "Invalid function call",
    "Invalid parameter of function",
    "Invalid function block call",
    "Invalid parameter of function block",
    "Invalid interrupt routine call",
    "Invalid subroutine call",
    "Overflow",
    "Invalid network",
    "The Instance of the function block has been assigned",
    "Syntax error in direct address",
    "Recursion call",
    "Reuse",
    "Pay attention",
};

const char* const kUnknownMessageText = "\xCE\xB4\xD6\xAA\xB4\xED\xCE\xF3!"; // 未知错误! in GBK

std::string POUNameOfPath(const std::string& sourcePath)
{
    if (sourcePath.empty())
        return std::string();
    return FindPOUNameByName(GetPOUNameFromFileName(GetFileNameFromPath(sourcePath)));
}

} // namespace

CCompileMessage::CCompileMessage(const CCompileMessageRecord& record)
    : m_code(record.code)
    , m_kind(record.kind)
    , m_row(record.row)
    , m_detail(record.detail)
    , m_POUName(POUNameOfPath(record.sourcePath))
    , m_extension(GetFileExtension(record.sourcePath))
{
}

std::string CCompileMessage::TextOfCode(int code)
{
    if (code < 0 || code >= COMPILE_MESSAGE_COUNT)
        return kUnknownMessageText;
    return kMessageTexts[code];
}

std::string CCompileMessage::GetText() const
{
    return TextOfCode(m_code);
}

bool CCompileMessage::IsGlobalVarFile() const
{
    return m_extension == "QGV" || m_extension == "CGV";
}

bool CCompileMessage::IsPOUVarFile() const
{
    return m_extension == "LDV" || m_extension == "ILV";
}

std::string CCompileMessage::FormatError() const
{
    const std::string text = GetText();
    const char* name = m_POUName.c_str();
    if (m_row == MESSAGE_ROW_PROJECT)
        return ByteString::Format("$$$ [Error %03d]%s:%s.", m_code, text.c_str(), m_detail.c_str());
    if (IsGlobalVarFile())
        return ByteString::Format("        Global variable: [Error %03d]%s;  %s.", m_code, text.c_str(),
                                  m_detail.c_str());
    if (IsPOUVarFile())
        return ByteString::Format("        Variable of the POU \"%s\": [Error %03d]%s;  %s.", name, m_code,
                                  text.c_str(), m_detail.c_str());
    if (m_row < 0)
        return ByteString::Format("        In project: [Error %03d]%s;  %s.", m_code, text.c_str(), m_detail.c_str());
    if (g_CompileState.LadderSourceFlag == LADDER_SOURCE)
        return ByteString::Format("        POU \"%s\" (NetWork: %d): [Error %03d]%s;  %s.", name,
                                  g_CompileState.CurrentNetwork, m_code, text.c_str(), m_detail.c_str());
    return ByteString::Format("        POU \"%s\" (row %d): [Error %03d]%s;  %s.", name, m_row, m_code, text.c_str(),
                              m_detail.c_str());
}

std::string CCompileMessage::FormatWarning() const
{
    const std::string text = GetText();
    const char* name = m_POUName.c_str();
    if (m_row == MESSAGE_ROW_PROJECT)
        return ByteString::Format("$$$ [Warning %03d]%s:%s.", m_code, text.c_str(), m_detail.c_str());
    if (IsGlobalVarFile()) {
        // Warnings on the global-variable file carry "Error", or "E" on a row.
        const char* form = m_row < 0 ? "        Global variable: [Error %03d]%s;  %s."
                                     : "        Global variable: [E%03d]%s;  %s.";
        return ByteString::Format(form, m_code, text.c_str(), m_detail.c_str());
    }
    if (IsPOUVarFile())
        return ByteString::Format("        Variable of the POU \"%s\": [Error %03d]%s;  %s.", name, m_code,
                                  text.c_str(), m_detail.c_str());
    if (m_row < 0)
        return ByteString::Format("        In project: [Warning %03d]%s;  %s.", m_code, text.c_str(),
                                  m_detail.c_str());
    if (g_CompileState.LadderSourceFlag == LADDER_SOURCE)
        return ByteString::Format("        POU \"%s\" (NetWork: %d): [Warning %03d]%s;  %s.", name,
                                  g_CompileState.CurrentNetwork, m_code, text.c_str(), m_detail.c_str());
    return ByteString::Format("        POU \"%s\" (row %d): [Warning %03d]%s;  %s.", name, m_row, m_code,
                              text.c_str(), m_detail.c_str());
}

std::string CCompileMessage::FormatInfo() const
{
    const std::string text = GetText();
    switch (m_code) {
    case MSG_HANDLING_VARIABLE:
    case MSG_PRECOMPILING_PHASE:
    case MSG_HANDLING_INSTRUCTION:
    case MSG_BLANK:
        return text;
    case MSG_COMPILATION_FINISHED:
        return "$$$ " + (m_POUName + m_detail) + " " + text;
    case MSG_SUMMARY_SUCCESS:
    case MSG_SUMMARY_FAILED:
        return "$$$ " + text + ": " + m_detail;
    default:
        break;
    }
    std::string about;
    if (IsGlobalVarFile())
        about = "global variable ..." + m_detail;
    else if (IsPOUVarFile())
        about = "The variable of POU \"" + m_POUName + "\" ..." + m_detail;
    else
        about = "POU \"" + m_POUName + "\" ..." + m_detail;
    return "$$$ " + text + ": " + about;
}

void CCompileMessage::Write() const
{
    std::string line;
    switch (m_kind) {
    case MESSAGE_KIND_ERROR:
        line = FormatError();
        ++g_CompileState.FileErrorCount;
        break;
    case MESSAGE_KIND_WARNING:
        line = FormatWarning();
        ++g_CompileState.FileWarningCount;
        break;
    case MESSAGE_KIND_INFO:
        line = FormatInfo();
        break;
    default:
        return;
    }
    if (line.empty())
        return;
    CCompileMessageList::Append(line);
    CUserInterface::Output().AppendOutputLine(OUTPUT_LIST_COMPILE, line);
}
