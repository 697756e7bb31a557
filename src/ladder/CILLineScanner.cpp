#include "CILLineScanner.h"

#include "CLDContext.h"
#include "model/CInstructionDef.h"
#include "platform/ByteString.h"

namespace {

const char* const UNSET_OPERAND = "????";

constexpr const char* STORE_MNEMONICS[] = {"ST", "STN", "STI"};

} // namespace

CILLineScanner::CILLineScanner(const CLDContext& context)
    : m_context(context)
{
}

BOOL CILLineScanner::SplitTokens(const std::string& line, std::vector<std::string>& tokens) const
{
    const size_t before = tokens.size();
    if (!SplitAtBlanks(line, tokens) || tokens.size() == before)
        return FALSE;
    const std::string& last = tokens.back();
    if (last == "LD" || last == "LDN")
        tokens.push_back(UNSET_OPERAND);
    return TRUE;
}

std::string CILLineScanner::GetMnemonic(const std::string& line) const
{
    std::string text = line;
    ByteString::Replace(text, ",", " ");
    const int blank = ByteString::Find(text, ' ');
    return blank < 0 ? text : text.substr(0, size_t(blank));
}

BOOL CILLineScanner::IsCoilLine(const std::string& mnemonic) const
{
    if (mnemonic.empty())
        return FALSE;
    if (mnemonic.back() == ':')
        return TRUE;
    const std::string upper = ByteString::Upper(mnemonic);
    for (const char* store : STORE_MNEMONICS) {
        if (upper == store)
            return TRUE;
    }
    const CInstructionDef* row = m_context.FindInstruction("-(" + upper + ")");
    return row && row->kind == INSTRUCTION_KIND_COIL;
}
