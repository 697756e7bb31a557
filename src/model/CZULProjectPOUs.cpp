#include "CZULProjectPOUs.h"

#include "CLocalVarEntry.h"
#include "CZULAppData.h"
#include "CZULFB.h"
#include "CZULFunc.h"
#include "CZULSymbol.h"
#include "DirectAddress.h"
#include "VarFileReader.h"
#include "platform/ByteString.h"
#include "platform/FileSystem.h"

#include <algorithm>

namespace {

std::string UpperTrimmed(const std::string& text)
{
    return ByteString::Upper(ByteString::Trim(text));
}

// Areas an actual parameter of the type may come from, by direction.
struct ParamAreas {
    OperandTypeFlags type;
    OperandTypeFlags input;
    OperandTypeFlags output;
};

const ParamAreas PARAM_AREAS[] = {
    {OT_BOOL, 0x61FE1000, 0x18C0000},  {OT_BYTE, 0x19E1000, 0x18C0000}, {OT_WORD, 0x19E1000, 0x18C0000},
    {OT_DWORD, 0x19E1000, 0x18C0000},  {OT_INT, 0x19FE1000, 0x118C0000}, {OT_DINT, 0x59E1000, 0x18C0000},
    {OT_REAL, 0x1800000, 0x1800000},
};

OperandTypeFlags AllowedAreas(OperandTypeFlags type, OperandTypeFlags direction)
{
    const bool input = (direction & OT_INPUT) && !(direction & OT_OUTPUT);
    for (const ParamAreas& row : PARAM_AREAS) {
        if (row.type == type)
            return input ? row.input : row.output;
    }
    return 0;
}

CZULFBPara* NewParam(const std::string& name, OperandTypeFlags flags)
{
    auto* para = new CZULFBPara;
    para->name = name;
    para->flags = flags;
    return para;
}

template <class Map>
typename Map::mapped_type Find(const Map& map, const typename Map::key_type& key)
{
    const auto found = map.find(key);
    return found == map.end() ? nullptr : found->second;
}

// The files of a POU: "SBRnn_name." or "INTnn_name." and any extension.
std::vector<std::string> POUFiles(const std::string& folder, const std::string& stem)
{
    std::vector<std::string> files;
    const std::string prefix = stem + ".";
    for (const CFileEntry& entry : FileSystem::ListFolder(folder)) {
        if (!entry.IsFolder() && entry.name.size() >= prefix.size()
            && ByteString::EqualsNoCase(entry.name.substr(0, prefix.size()), prefix))
            files.push_back(FileSystem::JoinPath(folder, entry.name));
    }
    return files;
}

} // namespace

int CZULProject::LoadSubroutineInterface(const CProjTreeNode* node)
{
    if (!node)
        return 0;
    auto* function = new CZULFunc;
    function->SetName(node->name);
    function->SetNumber(node->number);
    function->AddInput(NewParam("EN", OT_EN_PARAM));
    function->AddOutput(NewParam("ENO", OT_ENO_PARAM));

    std::string path = FileSystem::JoinPath(ProjectFolder,
                                            ByteString::Format("SBR%02d_%s", node->number, node->name.c_str()));
    if (node->language == 1 || node->language == 2)
        path += ".ilv";
    std::vector<std::string> lines;
    ReadVarFileLines(path, lines);
    OperandTypeFlags direction = 0;
    for (const std::string& line : lines) {
        OperandTypeFlags sectionFlags = 0;
        VarDeclaration declaration;
        switch (ParseVarFileLine(line, sectionFlags, declaration)) {
        case VarLineKind::Section:
            direction = sectionFlags == OT_VAR ? 0 : sectionFlags;
            continue;
        case VarLineKind::EndVar:
            direction = 0;
            continue;
        case VarLineKind::Other:
            continue;
        case VarLineKind::Declaration:
            break;
        }
        int type = 0;
        if (direction == 0 || !CZULAppData::TypeNameToMask(declaration.dataType, type))
            continue;
        const OperandTypeFlags flags = direction | OperandTypeFlags(type) | AllowedAreas(OperandTypeFlags(type), direction);
        if (!(flags & OT_TYPE_BITS) || declaration.symbol.empty())
            continue;
        CZULFBPara* para = NewParam(declaration.symbol, flags);
        para->typeText = declaration.dataType;
        para->comment = declaration.comment;
        if (direction & OT_INPUT)
            function->AddInput(para);
        else
            function->AddOutput(para);
    }
    POUs.RegisterSubroutineInterface(function);
    return 1;
}

int CZULProject::IsPOUName(const std::string& text) const
{
    const std::string name = UpperTrimmed(text);
    if (name.empty())
        return 0;
    if (name == ByteString::Upper(MainNode.name))
        return 1;
    return POUs.HasRoutine(name) ? 1 : 0;
}

void CZULProject::SetSubroutineRemovedHandler(std::function<void(const std::string&)> handler)
{
    m_subroutineRemoved = std::move(handler);
}

void CZULProject::DeletePOU(const std::string& name, int kind)
{
    const std::string stem = TakeOutPOU(name, kind);
    if (stem.empty())
        return;
    for (const std::string& file : POUFiles(ProjectFolder, stem)) {
        if (ByteString::Upper(ByteString::Right(file, 4)) == ".ILV")
            FreeVarFileAddresses(file, LocalBitUsage, LocalByteUsage);
        FileSystem::DeleteFile(file);
    }
}

void CZULProject::RemovePOUKeepingFiles(const std::string& name, int kind)
{
    const std::string stem = TakeOutPOU(name, kind);
    if (stem.empty())
        return;
    for (const std::string& file : POUFiles(ProjectFolder, stem)) {
        if (ByteString::Upper(ByteString::Right(file, 4)) == ".ILV")
            FreeVarFileAddresses(file, LocalBitUsage, LocalByteUsage);
    }
}

std::string CZULProject::TakeOutPOU(const std::string& name, int kind)
{
    std::string stem;
    if (kind == 3) {
        if (m_subroutineRemoved)
            m_subroutineRemoved(name);
        stem = POUs.RemoveSubroutine(name);
    } else if (kind == 4) {
        stem = POUs.RemoveInterrupt(name);
    } else {
        return {};
    }
    FBTable.RemoveFBInstancesOfPOU(name);
    return stem;
}

void CZULProject::RenamePOU(const std::string& oldName, int kind)
{
    CProjTreeNode* node = nullptr;
    if (kind == 2)
        node = &MainNode;
    else if (kind == 3)
        node = POUs.RenameSubroutine(oldName);
    else if (kind == 4)
        node = POUs.RenameInterrupt(oldName);
    if (!node)
        return;
    FBTable.RenameOwner(oldName, node->name);
}

int IsForceableOperand(const CZULProject& project, const std::string& operand, OperandTypeFlags& flags)
{
    const std::string text = ByteString::Trim(operand);
    OperandTypeFlags parsed = 0;
    if (!text.empty() && ParseDirectAddress(text, parsed)) {
        flags = parsed;
        return (parsed & OT_FORCEABLE) ? 1 : 0;
    }
    const CZULSymbol* symbol = Find(project.SymbolLookup, text);
    if (!symbol)
        symbol = Find(project.SymbolsUpper, ByteString::Upper(text));
    if (!symbol || !ParseDirectAddress(symbol->address, parsed))
        return 0;
    flags = parsed;
    return (parsed & OT_FORCEABLE) ? 1 : 0;
}

int ReloadLocalVarMap(CZULAppData& app, const std::string& path, CSourceFileCache* cache)
{
    app.LocalVarMap.clear();
    LoadVarFileSymbols(path, app.LocalVarMap, cache);
    return 1;
}
