#include "CLocalVarTable.h"

#include "CILLineParser.h"
#include "CSourceFileCache.h"
#include "CZULAppData.h"
#include "CZULSymbol.h"
#include "DirectAddress.h"
#include "InstrSignature.h"
#include "TypedConstants.h"
#include "VarFileReader.h"
#include "platform/ByteString.h"
#include "platform/FileSystem.h"

#include <algorithm>
#include <cstring>

namespace {

// Mnemonics whose pointer slots are numbered from 0 instead of 32.
const char* const kLowSlotMnemonics[] = {"SHL", "SHR", "MOVE", "AND", "ANDN", "OR", "ORN", "XOR", "NOT"};
constexpr int kLowSlotBase = 0;
constexpr int kHighSlotBase = 32;
constexpr OperandTypeFlags kUnrecordedMask = 0xFFFFFFFF;

int SlotBaseOf(const std::string& mnemonic)
{
    for (const char* low : kLowSlotMnemonics) {
        if (mnemonic == low)
            return kLowSlotBase;
    }
    return kHighSlotBase;
}

// An indirect operand ("*VD100") that is no address-of operand.
bool IsPointerOperand(const std::string& token)
{
    OperandTypeFlags flags = 0;
    return !ParseAddressOfOperand(token, flags) && IsIndirectOperand(token);
}

OperandTypeFlags TypeBitOf(const std::string& dataType)
{
    for (const DataTypeName& row : g_DataTypeNames) {
        if (dataType == row.name)
            return row.bit;
    }
    return 0;
}

} // namespace

BOOL CLocalVarTable::ReadLines(const std::string& path, std::vector<std::string>* lines, CSourceFileCache* cache)
{
    std::string text;
    if (!lines || !ReadSourceText(cache, path, text))
        return FALSE;
    AppendTextLines(text, true, *lines);
    return TRUE;
}

BOOL CLocalVarTable::WriteLines(const std::string& path, const std::vector<std::string>* lines,
                                CSourceFileCache* cache)
{
    if (!lines || lines->empty())
        return FALSE;
    std::string text;
    for (const std::string& line : *lines)
        text += line + "\r\n";
    return cache ? cache->WriteWorkFile(path, text) : FileSystem::WriteInPlace(path, text);
}

BOOL CLocalVarTable::LoadVarFile(const std::string& path, CSourceFileCache* cache)
{
    m_entries.clear();
    std::vector<std::string> lines;
    if (!ReadLines(path, &lines, cache))
        return FALSE;
    std::string section;
    for (const std::string& raw : lines) {
        const std::string line = ByteString::Trim(raw);
        if (line == "VAR_TEMP" || line == "END_VAR")
            continue;
        OperandTypeFlags sectionFlags = 0;
        if (GetVarSectionFlags(line, sectionFlags)) {
            section = line;
            continue;
        }
        const int colon = ByteString::Find(line, ':');
        const int semicolon = ByteString::Find(line, ';');
        if (colon < 0 || semicolon < 0)
            continue;
        const int at = ByteString::Find(line, " AT ");
        const int percent = ByteString::Find(line, " %");
        CLocalVarTableEntry entry;
        entry.name = ByteString::Trim(ByteString::Left(line, at));
        entry.address = ByteString::Trim(ByteString::Mid(line, percent + 2, colon - (percent + 2)));
        entry.dataType = ByteString::Trim(ByteString::Mid(line, colon + 1, semicolon - colon - 1));
        entry.section = section;
        m_entries.push_back(entry);
    }
    return TRUE;
}

BOOL CLocalVarTable::FindLocalVar(const std::string& name, OperandTypeFlags& flags) const
{
    const std::string upper = ByteString::Upper(name);
    for (const CLocalVarTableEntry& entry : m_entries) {
        if (ByteString::Upper(entry.name) != upper)
            continue;
        const OperandTypeFlags type = TypeBitOf(entry.dataType);
        flags = type ? (OT_AREA_L | type) : 0;
        OperandTypeFlags sectionFlags = 0;
        if (GetVarSectionFlags(entry.section, sectionFlags))
            flags |= sectionFlags;
        return TRUE;
    }
    return FALSE;
}

BOOL CLocalVarTable::ResolveOperandFlags(const std::string& operand, OperandTypeFlags& flags) const
{
    if (FindLocalVar(operand, flags))
        return TRUE;
    CZULSymbol* symbol = nullptr;
    if (g_pAppData->FindGlobalSymbol(operand, symbol)) {
        OperandTypeFlags parsed = 0;
        if (!ParseDirectAddress(symbol->address, parsed))
            return FALSE;
        flags = (parsed & (symbol->typeFlags | 0xFFFF8800)) | AccessToParamFlags(parsed) | OT_DIRECT;
        return TRUE;
    }
    if (ParseDirectAddress(operand, flags) || ClassifyConstant(operand, flags)) {
        flags |= AccessToParamFlags(flags);
        return TRUE;
    }
    return FALSE;
}

void CLocalVarTable::ExpandIndirectOperands(std::vector<std::string>* lines) const
{
    if (!lines)
        return;
    const CILLineParser parser;
    size_t index = 0;
    while (index < lines->size()) {
        std::string text = ByteString::Trim(parser.StripComments((*lines)[index]));
        std::vector<std::string> tokens;
        ByteString::Replace(text, ",", " ");
        if (text.empty() || !parser.SplitAtBlanks(text, tokens) || tokens.size() < 2) {
            ++index;
            continue;
        }
        // Only a line with an indirect operand changes; the others need no
        // look-up of their operands.
        if (std::none_of(tokens.begin() + 1, tokens.end(), IsPointerOperand)) {
            ++index;
            continue;
        }
        InstrSignature signature = {};
        std::vector<bool> indirect(SIGNATURE_MAX_OPERANDS, false);
        bool anyIndirect = false;
        bool resolved = true;
        for (size_t k = 1; k < tokens.size() && resolved; ++k) {
            OperandTypeFlags flags = kUnrecordedMask;
            const bool addressOf = ParseAddressOfOperand(tokens[k], flags);
            if (!addressOf && IsIndirectOperand(tokens[k])) {
                flags = OT_POINTER;
                if (k <= SIGNATURE_MAX_OPERANDS) {
                    indirect[k - 1] = true;
                    anyIndirect = true;
                }
            } else if (!addressOf) {
                resolved = ResolveOperandFlags(tokens[k], flags) != FALSE;
            }
            if (k <= SIGNATURE_MAX_OPERANDS)
                signature.operandMasks[k - 1] = flags;
        }
        if (!anyIndirect || !resolved || tokens[0].size() > sizeof signature.name - 1) {
            ++index;
            continue;
        }
        std::memcpy(signature.name, tokens[0].c_str(), tokens[0].size() + 1);
        signature.operandCount = static_cast<int>(tokens.size() - 1);
        for (size_t k = tokens.size() - 1; k < SIGNATURE_MAX_OPERANDS; ++k)
            signature.operandMasks[k] = kUnrecordedMask;
        if (!MatchInstructionSignature(&signature)) {
            ++index;
            continue;
        }
        std::vector<std::string> expanded;
        ExpandIndirectLine(tokens, indirect, signature, expanded, SlotBaseOf(tokens[0]));
        lines->erase(lines->begin() + static_cast<std::ptrdiff_t>(index));
        lines->insert(lines->begin() + static_cast<std::ptrdiff_t>(index), expanded.begin(), expanded.end());
        index += expanded.size();
    }
}

int CLocalVarTable::ExpandIndirectLine(std::vector<std::string> tokens, const std::vector<bool>& indirect,
                                       const InstrSignature& signature, std::vector<std::string>& output,
                                       int slotBase) const
{
    std::vector<std::string> stores;
    for (size_t k = 1; k < tokens.size() && k <= indirect.size() && k <= SIGNATURE_MAX_OPERANDS; ++k) {
        if (!indirect[k - 1])
            continue;
        const std::string code = ByteString::Format("%02d", slotBase + static_cast<int>(k));
        const std::string suffix = (k == 1 ? ",   " : " , ") + code;
        output.push_back("PTR_R   " + tokens[k] + suffix);
        stores.push_back("PTR_W  " + tokens[k] + suffix);
        std::string& operand = tokens[k];
        operand[0] = '%';
        const OperandTypeFlags mask = signature.operandMasks[k - 1];
        if ((mask & (OT_DINT | OT_DWORD)) || operand.size() < 3)
            continue;
        if (mask & OT_REAL)
            operand[2] = 'R';
        else if (mask & (OT_INT | OT_WORD))
            operand[2] = 'W';
        else
            operand[2] = 'B';
    }
    std::string instruction = tokens[0] + "     " + tokens[1];
    for (size_t k = 2; k < tokens.size(); ++k)
        instruction += " , " + tokens[k];
    output.push_back(instruction);
    output.insert(output.end(), stores.begin(), stores.end());
    return static_cast<int>(2 * stores.size());
}
