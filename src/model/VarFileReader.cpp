#include "VarFileReader.h"

#include "CLocalOccupancy.h"
#include "CSourceFileCache.h"
#include "CZULAppData.h"
#include "platform/ByteString.h"
#include "platform/FileSystem.h"

namespace {

struct VarSection {
    const char* keyword;
    OperandTypeFlags flags;
};

const VarSection VAR_SECTIONS[] = {
    {"VAR_INPUT", OT_VAR_INPUT},
    {"VAR_IN_OUT", OT_VAR_IN_OUT},
    {"VAR_OUTPUT", OT_VAR_OUTPUT},
    {"VAR", OT_VAR},
};

// Position of the word "AT" with white space on both sides; -1 when none.
int FindAtKeyword(const std::string& line)
{
    for (int at = ByteString::Find(line, "AT", 1); at > 0; at = ByteString::Find(line, "AT", at + 1)) {
        if (ByteString::IsBlank(line[size_t(at - 1)]) && size_t(at + 2) < line.size()
            && ByteString::IsBlank(line[size_t(at + 2)]))
            return at;
    }
    return -1;
}

std::string Between(const std::string& text, int from, int to)
{
    return ByteString::Trim(ByteString::Mid(text, from, to - from));
}

} // namespace

BOOL GetVarSectionFlags(const std::string& keyword, OperandTypeFlags& flags)
{
    for (const VarSection& section : VAR_SECTIONS) {
        if (keyword == section.keyword) {
            flags = section.flags;
            return TRUE;
        }
    }
    return FALSE;
}

void AppendTextLines(const std::string& text, bool dropCarriageReturn, std::vector<std::string>& lines)
{
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (dropCarriageReturn && !line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
}

VarLineKind ParseVarFileLine(const std::string& line, OperandTypeFlags& sectionFlags, VarDeclaration& declaration)
{
    const std::string text = ByteString::Trim(line);
    if (GetVarSectionFlags(text, sectionFlags))
        return VarLineKind::Section;
    if (text == "END_VAR")
        return VarLineKind::EndVar;
    const int at = FindAtKeyword(text);
    if (at < 0)
        return VarLineKind::Other;
    const int colon = ByteString::Find(text, ':', at);
    const int semicolon = colon < 0 ? -1 : ByteString::Find(text, ';', colon);
    if (semicolon < 0)
        return VarLineKind::Other;
    declaration.symbol = Between(text, 0, at);
    declaration.address = Between(text, at + 2, colon);
    declaration.dataType = Between(text, colon + 1, semicolon);
    declaration.comment.clear();
    const int open = ByteString::Find(text, "(*");
    const int close = ByteString::Find(text, "*)");
    if (open >= 0 && close >= 0)
        declaration.comment = Between(text, open + 2, close);
    return VarLineKind::Declaration;
}

BOOL ReadVarFileLines(const std::string& path, std::vector<std::string>& lines, CSourceFileCache* cache)
{
    lines.clear();
    std::string text;
    if (path.empty() || !ReadSourceText(cache, path, text))
        return FALSE;
    AppendTextLines(text, false, lines);
    return TRUE;
}

void LoadVarFileSymbols(const std::string& path, CLocalVarMap& map, CSourceFileCache* cache)
{
    std::vector<std::string> lines;
    if (!ReadVarFileLines(path, lines, cache))
        return;
    std::string className;
    OperandTypeFlags classFlags = 0;
    int row = -1;
    for (const std::string& line : lines) {
        OperandTypeFlags flags = 0;
        VarDeclaration declaration;
        const VarLineKind kind = ParseVarFileLine(line, flags, declaration);
        if (kind == VarLineKind::Section) {
            className = ByteString::Trim(line);
            classFlags = flags;
            continue;
        }
        if (kind == VarLineKind::EndVar) {
            className.clear();
            classFlags = 0;
            continue;
        }
        if (kind != VarLineKind::Declaration)
            continue;
        ++row;
        int typeMask = 0;
        if (!CZULAppData::TypeNameToMask(declaration.dataType, typeMask))
            continue;
        auto entry = std::make_unique<CLocalVarEntry>();
        entry->Symbol = declaration.symbol;
        entry->ClassName = className;
        entry->DataType = declaration.dataType;
        entry->Comment = declaration.comment;
        entry->Address = declaration.address;
        entry->ClassFlags = classFlags;
        entry->DataTypeMask = OperandTypeFlags(typeMask) | OT_AREA_L;
        entry->Row = row;
        entry->Value1 = 1;
        entry->Value2 = 1;
        entry->Value3 = 1;
        map[ByteString::Upper(declaration.symbol)] = std::move(entry);
    }
}

void FreeVarFileAddresses(const std::string& path, std::vector<BYTE>& bitCells, std::vector<BYTE>& byteCells)
{
    std::vector<std::string> lines;
    if (!ReadVarFileLines(path, lines))
        return;
    CLocalOccupancy occupancy(bitCells, byteCells);
    for (const std::string& line : lines) {
        OperandTypeFlags flags = 0;
        VarDeclaration declaration;
        int typeMask = 0;
        if (ParseVarFileLine(line, flags, declaration) != VarLineKind::Declaration
            || !CZULAppData::TypeNameToMask(declaration.dataType, typeMask) || declaration.address.empty())
            continue;
        occupancy.SetAddressCells(declaration.address, 0);
    }
}
