#include "GlobalVarFileWriter.h"

#include "CZULFB.h"
#include "CZULProject.h"
#include "CZULSymbol.h"
#include "LanguageLibrary.h"
#include "platform/CUserInterface.h"
#include "platform/FileSystem.h"
#include "platform/Gbk.h"

#include <map>
#include <set>

namespace {

const char* const CRLF = "\r\n";
const char* const NOT_LOCATED = "Unable to create the globale variable file. Maybe it could not be located.";
const char* const NOT_CREATED = "Unable to create the globale variable file.";

constexpr size_t NAME_WIDTH = 16;
constexpr size_t ADDRESS_WIDTH = 9;
constexpr size_t TYPE_WIDTH = 6;
constexpr size_t INSTANCE_WIDTH = 7;

std::string PadRight(const std::string& text, size_t width)
{
    if (text.size() >= width)
        return text;
    return text + std::string(width - text.size(), ' ');
}

std::string WithPercent(const std::string& address)
{
    return (!address.empty() && address[0] == '%') ? address : "%" + address;
}

// One symbol per stored address text (the last one met wins), in address
// text order, at most the first GLOBAL_VAR_FILE_MAX_SYMBOLS of them.
std::map<std::string, CZULSymbol*> SymbolsByAddress(const CZULProject& project)
{
    std::map<std::string, CZULSymbol*> byAddress;
    for (const auto& entry : project.SymbolLookup) {
        if (entry.second)
            byAddress[entry.second->address] = entry.second;
    }
    while (byAddress.size() > static_cast<size_t>(GLOBAL_VAR_FILE_MAX_SYMBOLS))
        byAddress.erase(std::prev(byAddress.end()));
    return byAddress;
}

std::string SymbolLine(const CZULSymbol& symbol)
{
    const std::string name = symbol.name.substr(0, GbkSafeLength(symbol.name, NAME_WIDTH));
    return "    " + name + " AT  " + PadRight(WithPercent(symbol.address), ADDRESS_WIDTH) + ":" +
           PadRight(symbol.dataType, TYPE_WIDTH) + ";  (*" + symbol.comment + "*)";
}

std::string InstanceLine(const CZULFB& instance)
{
    return "    " + PadRight(instance.instanceName, INSTANCE_WIDTH) + ":" + PadRight(instance.typeName, TYPE_WIDTH) +
           ";  (* " + instance.fourthText + " *)";
}

} // namespace

int CountGlobalVarFileSymbols(const CZULProject& project)
{
    std::set<std::string> addresses;
    for (const auto& entry : project.SymbolLookup) {
        if (entry.second)
            addresses.insert(entry.second->address);
    }
    return static_cast<int>(addresses.size());
}

std::string GlobalVarFilePath(const CZULProject& project)
{
    const std::string path = FileSystem::JoinPath(project.ProjectFolder, project.ProjectName + ".qgv");
    const std::string existing = FileSystem::FindExisting(path);
    return existing.empty() ? path : existing;
}

namespace {

std::string FormatSymbols(const CZULProject& project, const std::map<std::string, CZULSymbol*>& byAddress)
{
    std::string text = std::string("VAR_GLOBAL") + CRLF;
    for (const auto& entry : byAddress)
        text += SymbolLine(*entry.second) + CRLF;
    text += std::string("END_VAR") + CRLF + "VAR_GLOBAL" + CRLF;
    for (const auto& instance : project.FBTable.FBInstances) {
        if (instance)
            text += InstanceLine(*instance) + CRLF;
    }
    return text + "END_VAR";
}

} // namespace

std::string FormatGlobalVarFile(const CZULProject& project)
{
    return FormatSymbols(project, SymbolsByAddress(project));
}

BOOL WriteGlobalVarFile(CZULProject& project)
{
    const std::string path = GlobalVarFilePath(project);
    ClearReadOnlyAttribute(path);
    const std::map<std::string, CZULSymbol*> byAddress = SymbolsByAddress(project);
    if (!FileSystem::SafeSave(path, FormatSymbols(project, byAddress))) {
        if (!FileSystem::FolderExists(FileSystem::FolderOf(path)))
            ShowMessage("Error", NOT_LOCATED, MB_OK | MB_ICONERROR);
        else
            ShowMessage("System Error", NOT_CREATED, MB_OK | MB_ICONERROR);
        return FALSE;
    }
    for (const auto& entry : byAddress)
        entry.second->address = WithPercent(entry.second->address);
    return TRUE;
}
