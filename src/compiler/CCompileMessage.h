#pragma once
// One diagnostic of the compiler: a numbered message of kind error, warning
// or information with its row, a detail text and the source file it
// concerns. Writing it formats one line by its kind and by the kind of file,
// appends the line to the message list and to the Compile list of the output
// window, and counts errors and warnings of the file being compiled.

#include <string>

constexpr int MESSAGE_KIND_ERROR = 0;
constexpr int MESSAGE_KIND_WARNING = 1;
constexpr int MESSAGE_KIND_INFO = 2;

// Row values that mark messages without a source row.
constexpr int MESSAGE_ROW_PROJECT = -2;
constexpr int MESSAGE_ROW_FILE = -1;

constexpr int COMPILE_MESSAGE_COUNT = 45;
constexpr unsigned OUTPUT_LIST_COMPILE = 1;

// Message codes.
enum CompileMessageCode {
    MSG_COMPILATION_SUCCESSFUL = 0,
    MSG_COMPILING = 1,
    MSG_HANDLING_VARIABLE = 2,
    MSG_PRECOMPILING_PHASE = 3,
    MSG_HANDLING_INSTRUCTION = 4,
    MSG_BLANK = 5,
    MSG_PRECOMPILING = 6,
    MSG_COMPILATION_FINISHED = 7,
    MSG_FILE_ERROR = 8,
    MSG_UNKNOWN_EXTENSION = 9,
    MSG_FILE_MISSING = 10,
    MSG_SUMMARY_SUCCESS = 11,
    MSG_SUMMARY_FAILED = 12,
    MSG_CREATING_FILE = 13,
    MSG_LINE_TOO_LONG = 14,
    MSG_LABEL_REDEFINED = 15,
    MSG_INVALID_LABEL = 16,
    MSG_INVALID_INSTRUCTION = 17,
    MSG_INVALID_INSTRUCTION_FORMAT = 18,
    MSG_INVALID_OPERAND = 19,
    MSG_INVALID_IDENTIFIER = 20,
    MSG_INVALID_DIRECT_ADDRESS = 21,
    MSG_INVALID_STRING = 22,
    MSG_INVALID_DATA_TYPE = 23,
    MSG_MISSING = 24,
    MSG_VARIABLE_DEFINITION = 25,
    MSG_INVALID_USER_IDENTIFIER = 26,
    MSG_IDENTIFIER_TOO_LONG = 27,
    MSG_LOAD_TYPE_MISMATCH = 28,
    MSG_VALUE_OUT_OF_RANGE = 29,
    MSG_OBJECT_TOO_LARGE = 30,
    MSG_ASSIGN_INSTRUCTION = 31,
    MSG_INVALID_FUNCTION_CALL = 32,
    MSG_INVALID_FUNCTION_PARAMETER = 33,
    MSG_INVALID_FB_CALL = 34,
    MSG_INVALID_FB_PARAMETER = 35,
    MSG_INVALID_INTERRUPT_CALL = 36,
    MSG_INVALID_SUBROUTINE_CALL = 37,
    MSG_OVERFLOW = 38,
    MSG_INVALID_NETWORK = 39,
    MSG_INSTANCE_ASSIGNED = 40,
    MSG_ADDRESS_SYNTAX = 41,
    MSG_RECURSION = 42,
    MSG_REUSE = 43,
    MSG_PAY_ATTENTION = 44,
};

// What a caller hands to the constructor.
struct CCompileMessageRecord {
    int code = 0;
    int kind = MESSAGE_KIND_ERROR;
    int row = MESSAGE_ROW_FILE;
    std::string detail;
    std::string sourcePath;
};

class CCompileMessage {
public:
    explicit CCompileMessage(const CCompileMessageRecord& record);
    virtual ~CCompileMessage() = default;

    std::string GetText() const;
    std::string FormatError() const;
    std::string FormatWarning() const;
    std::string FormatInfo() const;
    // Formats by kind, counts, and appends the line to the message list and
    // to the Compile list; a kind other than 0..2 writes and counts nothing.
    void Write() const;

    // The fixed text of a code; "未知错误!" outside 0..44.
    static std::string TextOfCode(int code);

private:
    bool IsGlobalVarFile() const;
    bool IsPOUVarFile() const;

    int m_code;
    int m_kind;
    int m_row;
    std::string m_detail;
    std::string m_POUName;
    std::string m_extension;
};
