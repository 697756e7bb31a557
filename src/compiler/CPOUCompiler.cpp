#include "CPOUCompiler.h"

#include "CCompileMessage.h"
#include "CCompileState.h"
#include "CompilerSymbols.h"
#include "model/LanguageLibrary.h"
#include "platform/ByteString.h"

namespace {

// The kind of a POU file by the start of its name; 15 when none fits.
int KindByName(const std::string& fileName, int mainKind, int subroutineKind, int interruptKind)
{
    if (ByteString::StartsWith(fileName, "MAIN"))
        return mainKind;
    if (ByteString::StartsWith(fileName, "SBR"))
        return subroutineKind;
    if (ByteString::StartsWith(fileName, "INT"))
        return interruptKind;
    return FILE_KIND_UNKNOWN;
}

} // namespace

CPOUCompiler::CPOUCompiler(const std::string& sourcePath, const std::string& projectPath)
{
    SetFile(sourcePath, projectPath);
}

void CPOUCompiler::SetFile(const std::string& sourcePath, const std::string& projectPath, const std::string& filePath)
{
    m_sourcePath = ByteString::Trim(sourcePath);
    m_filePath = filePath.empty() ? m_sourcePath : ByteString::Trim(filePath);
    m_projectPath = ByteString::Trim(projectPath);
    g_CompileState.CurrentFileKind = FILE_KIND_UNKNOWN;
    m_status = UNIT_STATUS_USABLE;
    if (m_sourcePath.empty() || m_projectPath.empty()) {
        m_status = UNIT_STATUS_FILE_ERROR;
        return;
    }

    const std::string fileName = GetFileNameFromPath(m_sourcePath);
    m_POULabel.clear();
    g_CompileState.CurrentPOULabel.clear();
    const std::string extension = GetFileExtension(fileName);
    int kind = FILE_KIND_UNKNOWN;
    if (extension == "ILV" || extension == "CIV")
        kind = KindByName(fileName, FILE_KIND_MAIN_VARS, FILE_KIND_SBR_VARS, FILE_KIND_INT_VARS);
    else if (extension == "ILP" || extension == "CIP")
        kind = KindByName(fileName, FILE_KIND_MAIN_PROGRAM, FILE_KIND_SBR_PROGRAM, FILE_KIND_INT_PROGRAM);
    else if (extension == "CGV")
        kind = FILE_KIND_GLOBAL_VARS;
    if (kind == FILE_KIND_MAIN_VARS || kind == FILE_KIND_MAIN_PROGRAM)
        m_POULabel = "MAIN";
    else if (kind != FILE_KIND_UNKNOWN && kind != FILE_KIND_GLOBAL_VARS)
        SplitLabel(fileName, m_POULabel);
    g_CompileState.CurrentFileKind = kind;

    m_context.SetPOULabel(m_POULabel);
    if (kind == FILE_KIND_UNKNOWN)
        m_status = UNIT_STATUS_UNKNOWN_KIND;
    m_objectPath = ReplaceFileExtension(m_sourcePath, "EPL");
    m_messageListPath = ReplaceFileExtension(m_projectPath, "COI");
    if (m_objectPath.empty() || m_messageListPath.empty())
        m_status = UNIT_STATUS_FILE_ERROR;
}

int CPOUCompiler::CompileFile(int* errorCount, int* warningCount)
{
    g_CompileState.FileErrorCount = 0;
    g_CompileState.FileWarningCount = 0;
    const std::string extension = GetFileExtension(m_sourcePath);
    if (m_status == UNIT_STATUS_FILE_ERROR || m_status == UNIT_STATUS_UNKNOWN_KIND) {
        Report(m_status, MESSAGE_KIND_ERROR, m_sourcePath, "", MESSAGE_ROW_FILE);
        g_CompileState.FileErrorCount = 1;
    } else {
        g_CompileState.InDeclarationBlock = false;
        if (extension != "CGV" && extension != "CIV" && !m_skipPrecompile)
            Report(MSG_COMPILING, MESSAGE_KIND_INFO, m_sourcePath, "", MESSAGE_ROW_FILE);
        if (!g_CompileState.SourceExists(m_filePath)) {
            Report(MSG_FILE_MISSING, MESSAGE_KIND_ERROR, m_sourcePath, "", MESSAGE_ROW_FILE);
        } else {
            if (!m_skipPrecompile) {
                Precompile();
                if (m_precompiledCount < PRECOMPILED_FILE_LIMIT)
                    m_precompiled[size_t(m_precompiledCount++)] = {m_sourcePath, g_CompileState.FileErrorCount,
                                                                   g_CompileState.FileWarningCount};
                else
                    Report(MSG_OVERFLOW, MESSAGE_KIND_ERROR, m_sourcePath,
                           "The compiler has too many files to handle", MESSAGE_ROW_FILE);
            }
            if (GetFileErrors(m_sourcePath) == 0 && !m_skipCodePass) {
                m_context.SetOutputPaths(m_objectPath);
                GenerateCode(m_filePath);
            }
        }
    }
    if (errorCount)
        *errorCount = g_CompileState.FileErrorCount;
    if (warningCount)
        *warningCount = g_CompileState.FileWarningCount;
    return g_CompileState.FileErrorCount;
}

int CPOUCompiler::GetFileErrors(const std::string& path) const
{
    if (path.empty())
        return 0;
    for (const CPrecompiledFile& file : m_precompiled) {
        if (file.path.empty())
            break;
        if (file.path == path)
            return file.errorCount;
    }
    return 0;
}

void CPOUCompiler::Report(int code, int kind, const std::string& filePath, const std::string& detail, int row)
{
    CCompileMessageRecord record;
    record.code = code;
    record.kind = kind;
    record.row = row;
    record.detail = detail;
    record.sourcePath = filePath;
    CCompileMessage(record).Write();
}

void CPOUCompiler::CheckCurrentLine(const std::string& line)
{
    m_currentLine = line;
    m_context.SetLine(line);
    if (m_context.CheckLine(std::string()))
        return;
    int code = 0;
    int kind = 0;
    std::string text;
    while (m_context.GetNextMessage(code, kind, text)) {
        if (code != 0)
            Report(code, kind, m_sourcePath, text, m_currentRow);
    }
}

void CPOUCompiler::EmitCurrentLine()
{
    m_context.SetLine(m_currentLine);
    m_context.CheckAndEmitLine(1);
}
