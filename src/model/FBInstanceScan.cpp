#include "FBInstanceScan.h"

#include "CILLineParser.h"
#include "CLocalVarEntry.h"
#include "CLocalVarTable.h"
#include "CZULAppData.h"
#include "CZULFB.h"
#include "CZULSymbol.h"
#include "DirectAddress.h"
#include "InstrSignature.h"
#include "LanguageLibrary.h"
#include "CZULProjectPOUs.h"
#include "SourceCollection.h"
#include "TypedConstants.h"
#include "platform/ByteString.h"

#include <algorithm>
#include <cstring>

namespace {

// The FB types whose calls are scanned, in this order.
const char* const kScannedTypes[] = {"TON", "TOF", "TP", "CTU", "CTD", "CTUD", "SR", "RS"};

// Instance name prefixes and the FB types that take them, in the order tested.
struct InstancePrefix {
    const char* prefix;
    const char* types[3];
};

const InstancePrefix kInstancePrefixes[] = {
    {"T", {"TON", "TOF", "TP"}},
    {"C", {"CTU", "CTD", "CTUD"}},
    {"RS", {"RS", nullptr, nullptr}},
    {"SR", {"SR", nullptr, nullptr}},
};

constexpr int kMaxScannedWords = 17;

bool IsScannedType(const std::string& word)
{
    for (const char* type : kScannedTypes) {
        if (word == type)
            return true;
    }
    return false;
}

bool TakesPrefix(const InstancePrefix& row, const std::string& type)
{
    for (const char* candidate : row.types) {
        if (candidate && type == candidate)
            return true;
    }
    return false;
}

} // namespace

BOOL ScanPOUSources(CZULAppData& app, CSourceFileCache* cache)
{
    std::vector<std::string> files;
    CollectPouFiles(&files, COLLECT_LIST_ONLY);
    const std::string& folder = app.Project.ProjectFolder;
    for (const std::string& file : files) {
        const std::string upper = ByteString::Upper(file);
        if (GetFileExtension(upper) != "ILP")
            continue;
        // Files are opened by their names as collected; upper case is only for comparing.
        const std::string program = folder + "/" + GetFileNameFromPath(file);
        ReloadLocalVarMap(app, ByteString::Left(program, static_cast<int>(program.size()) - 3) + "ilv", cache);
        std::vector<std::string> lines;
        if (!CLocalVarTable::ReadLines(program, &lines, cache))
            continue;
        const std::string POUName = GetPOUNameFromFileName(GetFileNameFromPath(upper));
        for (const std::string& line : lines)
            ScanILLine(app, line, POUName);
    }
    return app.Project.FBTable.ScanMatchesTable();
}

void ScanILLine(CZULAppData& app, const std::string& line, const std::string& POUName)
{
    std::string text = ByteString::Trim(line);
    if (text.empty())
        return;
    text = CILLineParser().StripComments(text);
    if (text.empty())
        return;
    std::vector<std::string> words;
    if (!SplitScannedLine(text, words) || words.empty() || !IsScannedType(words[0]))
        return;
    COpcodeDef signature = {};
    const int valid = CheckScannedOperands(app, words, signature);
    if (valid != 1 && valid != 2)
        return;
    RecordScannedInstance(app, words, POUName);
}

BOOL SplitScannedLine(const std::string& line, std::vector<std::string>& words)
{
    words.clear();
    std::string text = ByteString::Trim(line);
    if (text.empty())
        return TRUE;
    if (!StripCallMnemonic(text))
        return FALSE;
    ByteString::Replace(text, ":=", "  ");
    ByteString::Replace(text, "=>", "  ");
    std::string word;
    for (char c : text + " ") {
        if (c != ' ' && c != '\t' && c != ',') {
            word += c;
            continue;
        }
        if (!word.empty())
            words.push_back(word);
        word.clear();
    }
    return TRUE;
}

BOOL GetScanOperandFlags(const CZULAppData& app, const std::string& operand, OperandTypeFlags& flags)
{
    if (ParseDirectAddress(operand, flags) || ClassifyConstant(operand, flags)) {
        flags |= AccessToParamFlags(flags);
        return TRUE;
    }
    CZULSymbol* symbol = nullptr;
    OperandTypeFlags address = 0;
    if (app.FindGlobalSymbol(operand, symbol) && ParseDirectAddress(symbol->address, address)) {
        const OperandTypeFlags kept = symbol->typeFlags | OT_DIRECT | 0xFFFF8000;
        flags = AccessToParamFlags(address) | OT_DIRECT | (address & kept);
        return TRUE;
    }
    const auto local = app.LocalVarMap.find(ByteString::Upper(operand));
    if (local == app.LocalVarMap.end() || !local->second)
        return FALSE;
    flags = local->second->DataTypeMask | local->second->ClassFlags;
    return TRUE;
}

int CheckScannedOperands(const CZULAppData& app, const std::vector<std::string>& words, COpcodeDef& signature)
{
    if (words.empty() || words.size() > kMaxScannedWords)
        return -1;
    const std::string& mnemonic = words[0];
    std::strncpy(signature.name1, mnemonic.c_str(), sizeof signature.name1 - 1);
    std::strncpy(signature.name2, mnemonic.c_str(), sizeof signature.name2 - 1);
    bool pointer = false;
    for (size_t k = 1; k < words.size(); ++k) {
        OperandTypeFlags flags = 0;
        if (ParseAddressOfOperand(words[k], flags)) {
            signature.operandMasks[k - 1] = flags;
        } else if (IsIndirectOperand(words[k])) {
            signature.operandMasks[k - 1] = OT_POINTER;
            pointer = true;
        } else if (GetScanOperandFlags(app, words[k], flags)) {
            signature.operandMasks[k - 1] = flags;
        } else {
            return -1;
        }
    }
    signature.operandCount = static_cast<DWORD>(words.size() - 1);
    if (pointer) {
        InstrSignature query = {};
        if (mnemonic.size() >= sizeof query.name)
            return 0;
        std::memcpy(query.name, mnemonic.c_str(), mnemonic.size() + 1);
        query.operandCount = static_cast<int>(signature.operandCount);
        for (int k = 0; k < SIGNATURE_MAX_OPERANDS; ++k)
            query.operandMasks[k] = signature.operandMasks[k];
        return MatchInstructionSignature(&query) ? 2 : 0;
    }
    int badPosition = 0;
    return CheckInstructionOperands(mnemonic, signature, badPosition) ? 1 : -1;
}

void RecordScannedInstance(CZULAppData& app, const std::vector<std::string>& words, const std::string& POUName)
{
    if (words.size() < 2)
        return;
    std::string instance = words[1];
    if (!instance.empty() && instance[0] == '%')
        instance.erase(0, 1);
    for (const InstancePrefix& row : kInstancePrefixes) {
        if (!ByteString::StartsWith(instance, row.prefix))
            continue;
        if (!IsDigitString(instance.substr(std::strlen(row.prefix))) || !TakesPrefix(row, words[0]))
            continue;
        app.Project.FBTable.AddFBInstance(instance, words[0], POUName, FB_LIST_SCAN);
        return;
    }
}
