#include "CCompileState.h"

#include "model/CSourceFileCache.h"
#include "model/LanguageLibrary.h"
#include "model/MonitorItems.h"

CCompileState g_CompileState;

void CCompileState::Reset()
{
    *this = CCompileState();
}

bool CCompileState::IsProgramFile() const
{
    return CurrentFileKind == FILE_KIND_MAIN_PROGRAM || CurrentFileKind == FILE_KIND_INT_PROGRAM ||
           CurrentFileKind == FILE_KIND_SBR_PROGRAM;
}

bool CCompileState::SourceExists(const std::string& path) const
{
    if (!SourceFiles)
        return FileExists(path) != FALSE;
    return SourceFiles->Text(path) != nullptr;
}

bool CCompileState::ReadSource(const std::string& path, std::string& text) const
{
    return ReadSourceText(SourceFiles, path, text) != FALSE;
}

BYTE CCompileState::SourceLanguage(const std::string& path) const
{
    if (!SourceFiles)
        return ReadPOULanguageLine(path);
    const std::string* text = SourceFiles->Text(path);
    return text ? POULanguageOfText(*text) : POU_LANGUAGE_UNKNOWN;
}

void CCompileState::AddMonitorOperand(const std::string& text)
{
    if (MonitoredOperands.insert(text).second)
        AddMonitorAddress(text);
}
