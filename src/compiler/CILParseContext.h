#pragma once
// The line-level state of the IL compiler: splits a source line into
// classified tokens, hands each statement to its handler and queues the
// findings as numbered messages. It also keeps what spans lines: the network
// and loop structure of the current POU and the object-layout counters.

#include "CILToken.h"
#include "CILTokenMsg.h"
#include "COperandDesc.h"
#include "model/ILVocabulary.h"
#include "platform/WinTypes.h"

#include <memory>
#include <string>
#include <vector>

// Statement kinds: the sub-class of the token that starts the statement.
constexpr int STATEMENT_SECTION_START = 0;
constexpr int STATEMENT_SECTION_END = 1;
constexpr int STATEMENT_DECLARATION = 3;
constexpr int STATEMENT_INSTANCE_DECLARATION = 5;
constexpr int STATEMENT_INSTRUCTION = 9;
constexpr int STATEMENT_LABEL = 10;
constexpr int STATEMENT_OTHER = 11;

// The keyword id that stands for "no section open" and "no statement".
constexpr int NO_SECTION = KEYWORD_COUNT;

constexpr int MOTION_INSTRUCTIONS = 5;
constexpr int PARAMETER_SLOTS = 20;
constexpr int CALLED_INSTANCE_CAPACITY = 2048;
constexpr int FOR_STACK_DEPTH = 8;

struct CParameterSlot {
    std::string operand;
    int used = 0;
};

class CILParseContext {
public:
    CILParseContext();
    virtual ~CILParseContext();
    CILParseContext(const CILParseContext&) = delete;
    CILParseContext& operator=(const CILParseContext&) = delete;

    // Called by the compile unit.
    void SetLine(const std::string& line) { m_line = line; }
    const std::string& GetLine() const { return m_line; }
    void SetPOULabel(const std::string& label);
    const std::string& GetPOULabel() const { return m_POULabel; }
    void SetOutputPaths(const std::string& objectPath) { m_objectPath = objectPath; }
    const std::string& GetObjectPath() const { return m_objectPath; }
    // Checks the line (the stored one when the text is empty) without
    // emitting; TRUE when it queued no message at all.
    BOOL CheckLine(const std::string& line);
    // Checks the stored line again and emits its object code.
    BOOL CheckAndEmitLine(BYTE emit);
    BOOL GetNextMessage(int& code, int& kind, std::string& text);
    void ClearLine();
    void Tokenize();
    CILToken* GetFirstToken() const { return m_head; }
    int GetMessageCount() const { return m_messageCount; }
    int GetObjectSize() const { return m_objectSize; }
    void SetObjectSize(int size) { m_objectSize = size; }

    // Used by the statement handlers.
    void AddMessage(int code, int kind, const std::string& text);
    void MarkStatement(const std::string& text);
    BOOL AdvanceCursor();
    CILToken* FindText(const std::string& text) const;
    CILToken* FindSubClass(int subClass) const;
    int ClassifyStatement();
    BOOL DispatchLine();

protected:
    // The handlers of the statement kinds; each consumes its statement and
    // returns the result of AdvanceCursor.
    virtual BOOL CheckSectionStart();
    virtual BOOL CheckSectionEnd();
    virtual BOOL CheckDeclaration();
    virtual BOOL CheckInstanceDeclaration();
    virtual BOOL CheckInstruction();
    virtual BOOL CheckLabel();
    BOOL CheckOtherStatement();

    void MakeToken(const std::string& text);
    void DeleteTokens();

    // Motion instructions PHOME, PREL, PJOG, PSTOP, PABS: flags per axis.
    int m_axis1Flags[MOTION_INSTRUCTIONS] = {};
    int m_axis0Flags[MOTION_INSTRUCTIONS] = {};
    std::string m_motionNames[MOTION_INSTRUCTIONS];
    // Per-POU counters.
    int m_subroutineCalls = 0;
    int m_attachCount = 0;
    int m_jumpCount = 0;
    int m_labelCount = 0;
    CParameterSlot m_parameterSlots[PARAMETER_SLOTS];
    std::string m_objectPath;
    WORD m_bitOperand = 0;
    std::vector<std::string> m_calledInstances; // at most CALLED_INSTANCE_CAPACITY
    // FOR stack: instruction indexes + 1 of the open FORs in both passes.
    int m_forDepth = -1;
    int m_forCodeIndex[FOR_STACK_DEPTH] = {};
    int m_forPrecompileIndex[FOR_STACK_DEPTH] = {};
    // Network state.
    int m_parenthesisDepth = -1;
    int m_networkNumber = -1;
    int m_networkPosition = 0;
    BYTE m_expectLoadAfterNetwork = 0;
    BYTE m_expectLoadAfterParenthesis = 0;
    BYTE m_endInstructionSeen = 0;
    BYTE m_nextSeen = 0;
    BYTE m_expectLoadAfterLabel = 0;
    BYTE m_insideENBlock = 0;
    std::string m_POULabel;
    int m_currentSection = NO_SECTION;
    std::string m_line;
    // Tokens of the line in order; each links to the one after it.
    std::vector<std::unique_ptr<CILToken>> m_tokens;
    CILToken* m_head = nullptr;
    CILToken* m_scan = nullptr;
    CILToken* m_statementToken = nullptr;
    int m_statementKind = NO_SECTION;
    // Messages queued for the line.
    int m_messageCount = 0;
    std::vector<CILTokenMsg> m_messages;
    size_t m_messageRead = 0;
    CILToken* m_cursor = nullptr;
    CILToken* m_statementEnd = nullptr;
    BYTE m_pass = 0; // 0 precompile (check only), 1 code pass (check and emit)
    BYTE m_emitFlag = 0;
    int m_codeInstructionIndex = -1;
    int m_objectSize = 0;
    COperandDesc m_operand;
    COpcodeDef m_instructionRow = {};
    COpcodeDef m_resolvedRow = {};
    int m_loadResultType = 0;
};
