#pragma once
// The compile unit: compiles one work file at a time for the compiler
// driver. It classifies the file by its name, derives the object and
// message-list paths, runs the precompile pass and the code pass as the
// driver's two flags allow, remembers every precompiled file with its error
// and warning counts, and turns each finding of the statement checker into a
// compile message. It owns the statement checker of its compile phase.

#include "CILStatementChecker.h"
#include "platform/CObject.h"

#include <array>
#include <string>
#include <vector>

// Status of the file set by SetFile.
constexpr int UNIT_STATUS_USABLE = 0;
constexpr int UNIT_STATUS_FILE_ERROR = 8;
constexpr int UNIT_STATUS_UNKNOWN_KIND = 9;

constexpr int PRECOMPILED_FILE_SLOTS = 512;
constexpr int PRECOMPILED_FILE_LIMIT = 511;
constexpr int EXPANSION_ROWS = 257;
constexpr int EXPANSION_LINES = 100;

struct CPrecompiledFile {
    std::string path;
    int errorCount = 0;
    int warningCount = 0;
};

class CPOUCompiler : public CObject {
public:
    CPOUCompiler(const std::string& sourcePath, const std::string& projectPath);
    ~CPOUCompiler() override = default;
    CPOUCompiler(const CPOUCompiler&) = delete;
    CPOUCompiler& operator=(const CPOUCompiler&) = delete;

    // The source path is classified and named in messages as given (the
    // driver gives it in upper case); the file is opened by filePath, its
    // name on disk, when one is given.
    void SetFile(const std::string& sourcePath, const std::string& projectPath, const std::string& filePath = "");
    int CompileFile(int* errorCount, int* warningCount);
    int GetFileErrors(const std::string& path) const;
    void Report(int code, int kind, const std::string& filePath, const std::string& detail, int row);
    void CheckCurrentLine(const std::string& line);
    void EmitCurrentLine();

    CILParseContext& Context() { return m_context; }
    int GetStatus() const { return m_status; }
    const std::string& GetPOULabel() const { return m_POULabel; }
    const std::string& GetSourcePath() const { return m_sourcePath; }
    const std::string& GetObjectPath() const { return m_objectPath; }
    const std::string& GetMessageListPath() const { return m_messageListPath; }
    int GetPrecompiledFileCount() const { return m_precompiledCount; }
    WORD GetMainObjectSize() const { return static_cast<WORD>(m_mainObjectSize); }
    void SetSkipCodePass(BYTE skip) { m_skipCodePass = skip; }
    void SetSkipPrecompile(BYTE skip) { m_skipPrecompile = skip; }
    void ResetExpandedCallCount() { m_expandedCalls = 0; }

protected:
    // The two passes over the file set by SetFile.
    virtual void Precompile();
    virtual void GenerateCode(const std::string& sourcePath);

    std::string m_projectPath;
    // The source for classifying it and for its messages.
    std::string m_sourcePath;
    // The source as named on disk, for opening it.
    std::string m_filePath;
    int m_precompiledCount = 0;
    std::array<CPrecompiledFile, PRECOMPILED_FILE_SLOTS> m_precompiled;
    int m_mainObjectSize = 0;
    std::string m_POULabel;
    int m_expandedCalls = 0;
    // One row of generated lines per expanded subroutine call with parameters,
    // up to EXPANSION_ROWS; rows are added as calls reach them (a row not yet
    // added holds no lines).
    std::vector<std::array<std::string, EXPANSION_LINES>> m_expansions;
    int m_expansionLine = 0;
    int m_status = UNIT_STATUS_USABLE;
    std::string m_objectPath;
    std::string m_messageListPath;
    int m_currentRow = 0;
    std::string m_currentLine;
    CILStatementChecker m_context;
    BYTE m_skipCodePass = 0;
    BYTE m_skipPrecompile = 0;
};
