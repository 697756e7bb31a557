#include "CrossRefRules.h"

#include "model/CXrefEntry.h"
#include "model/CXrefStore.h"
#include "model/CZULAppData.h"
#include "model/OperandTypeFlags.h"
#include "model/ProjectModified.h"
#include "platform/ByteString.h"

#include <memory>

const CXrefFilterBox XREF_AREA_BOXES[XREF_AREA_BOX_COUNT] = {
    {" I", 2290, 0x20000},          {" Q", 2284, 0x40000},       {" M", 2285, 0x80000},
    {" SM", 2286, 0x100000},        {" T", 2287, 0x200000},      {" C", 2291, 0x400000},
    {" V", 2292, 0x800000},         {"Area L", 2293, 0x1000000}, {"Area AC", 2294, 0x2000000},
    {" HC", 2295, 0x4000000},       {" AI", 2296, 0x8000000},    {" AQ", 2297, 0x10000000},
    {" RS", 2298, 0x20000000},      {" SR", 2299, 0x40000000},   {"BR", 2300, 0x80000000},
};

const CXrefFilterBox XREF_TYPE_BOXES[XREF_TYPE_BOX_COUNT] = {
    {"Bit", 2305, 0x1},     {"Byte", 2306, 0x2},    {"Word", 1307, 0x4},
    {"Double-Word", 1308, 0x8}, {"Real", 1336, 0x40}, {"Pointer", 1337, 0x80},
    {"Physical Address ", 1338, 0x100},
};

namespace {

constexpr DWORD ALL_AREAS = 0xFFFE0000;
constexpr DWORD TYPES_WITH_BIT = 0x1CF;
constexpr DWORD TYPES_WITHOUT_BIT = 0x1CE;
constexpr int POSITION_KIND_ROW = 2;
constexpr int ACCESS_READ = 0x8000;
constexpr int ACCESS_WRITE = 0x10000;
constexpr int LANGUAGE_IL = 1;
constexpr int LANGUAGE_LD = 2;
constexpr int MAX_POSITION_NUMBER = 99999999;
constexpr char ROW_WORD[] = "Row";
constexpr char NETWORK_WORD[] = "Network";

DWORD RemoveUnticked(DWORD mask, const int* states, const CXrefFilterBox* boxes, int count)
{
    for (int box = 0; box < count; ++box) {
        if (!states[box])
            mask &= ~boxes[box].bit;
    }
    return mask;
}

std::string AccessText(int access)
{
    const bool read = (access & ACCESS_READ) != 0;
    const bool write = (access & ACCESS_WRITE) != 0;
    if (read && write)
        return "RW";
    if (read)
        return "Read";
    if (write)
        return "Write";
    return {};
}

std::string POUText(const CZULProject& project, const std::string& pou)
{
    std::string name;
    if (pou == "MAIN")
        return project.MainNode.name;
    if (ByteString::StartsWith(pou, "SBR") && project.POUs.ConvertSubroutineName(pou, name, FALSE))
        return name;
    if (ByteString::StartsWith(pou, "INT") && project.POUs.ConvertInterruptName(pou, name, FALSE))
        return name;
    return {};
}

bool HasProgram(const CProjTreeNode& node)
{
    return node.language == LANGUAGE_IL || node.language == LANGUAGE_LD;
}

CXrefTarget RoutineTarget(const std::string& folder, const char* prefix, const CProjTreeNode& node)
{
    CXrefTarget target;
    target.label = ByteString::Format("(%s%02d) ", prefix, node.number);
    if (HasProgram(node))
        target.file = ByteString::Format("%s/%s%02d_%s.ilp", folder.c_str(), prefix, node.number, node.name.c_str());
    return target;
}

const CProjTreeNode* FindNode(const std::map<std::string, CProjTreeNode*>& nodes, const std::string& name)
{
    const auto found = nodes.find(name);
    return found == nodes.end() ? nullptr : found->second;
}

} // namespace

DWORD XrefAreaMask(const int* selArea)
{
    const DWORD all = selArea[0] ? ALL_AREAS : ALL_AREAS & ~XREF_AREA_BOXES[0].bit;
    return RemoveUnticked(all, selArea, XREF_AREA_BOXES, XREF_AREA_BOX_COUNT);
}

DWORD XrefTypeMask(const int* selType)
{
    const DWORD all = selType[0] ? TYPES_WITH_BIT : TYPES_WITHOUT_BIT;
    return RemoveUnticked(all, selType, XREF_TYPE_BOXES, XREF_TYPE_BOX_COUNT);
}

void ApplyXrefFilter(CZULAppData& app)
{
    app.AreaTypes = static_cast<int>(XrefAreaMask(app.SelArea));
    app.TypesOfArea = static_cast<int>(XrefTypeMask(app.SelType));
    SetProjectModified(TRUE);
}

CXrefRow FormatXrefRow(const CZULAppData& app, int index, const CXrefEntry& entry)
{
    CXrefRow row;
    row.index = ByteString::Format("%4d", index);
    row.address = entry.address;
    CZULSymbol* symbol = nullptr;
    if (app.FindGlobalSymbol(entry.address, symbol) && symbol)
        row.symbol = symbol->name;
    row.pou = POUText(app.Project, entry.pou);
    row.position = ByteString::Format("%s%3d", entry.positionKind == POSITION_KIND_ROW ? "Row " : "Network ",
                                      entry.number);
    row.access = AccessText(entry.access);
    return row;
}

CXrefRows CollectXrefRows(const CZULAppData& app, int capacity)
{
    CXrefRows result;
    if (capacity <= 0)
        return result;
    const auto entries = std::make_unique<CXrefEntry[]>(static_cast<size_t>(capacity));
    int count = capacity;
    const DWORD filter = static_cast<DWORD>(app.AreaTypes) | static_cast<DWORD>(app.TypesOfArea);
    // A full array still holds the first references in order.
    if (!CollectXrefEntries(filter, count, entries.get())) {
        count = capacity;
        result.cutShort = TRUE;
    }
    result.rows.reserve(static_cast<size_t>(count));
    for (int index = 0; index < count; ++index)
        result.rows.push_back(FormatXrefRow(app, index, entries[static_cast<size_t>(index)]));
    return result;
}

std::string XrefCutShortNote(int capacity)
{
    return ByteString::Format("More references than %d: the list is cut short.", capacity);
}

int XrefPositionNumber(const std::string& position)
{
    size_t skip = 0;
    if (position.find(ROW_WORD) != std::string::npos)
        skip = sizeof(ROW_WORD) - 1;
    else if (position.find(NETWORK_WORD) != std::string::npos)
        skip = sizeof(NETWORK_WORD) - 1;
    else
        return 0;
    if (position.size() <= skip)
        return 0;
    const std::string digits = ByteString::Trim(position.substr(skip));
    int number = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9' || number > MAX_POSITION_NUMBER / 10)
            break;
        number = number * 10 + (c - '0');
    }
    return number;
}

CXrefTarget XrefTargetOfPOU(const CZULProject& project, const std::string& pouText)
{
    const std::string& folder = project.ProjectFolder;
    if (const CProjTreeNode* node = FindNode(project.POUs.SubroutineNodes, pouText))
        return RoutineTarget(folder, "SBR", *node);
    if (const CProjTreeNode* node = FindNode(project.POUs.InterruptNodes, pouText))
        return RoutineTarget(folder, "INT", *node);
    CXrefTarget target;
    target.label = "(MAIN) ";
    if (HasProgram(project.MainNode))
        target.file = folder + "/MAIN_" + project.MainNode.name + ".ilp";
    return target;
}
