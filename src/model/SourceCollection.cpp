#include "SourceCollection.h"

#include "CLocalVarTable.h"
#include "CProjTreeNode.h"
#include "CSourceFileCache.h"
#include "CZULAppData.h"
#include "LanguageLibrary.h"
#include "platform/ByteString.h"
#include "platform/FileSystem.h"

namespace {

bool IsCompiledLanguage(int language)
{
    return language == POU_LANGUAGE_IL || language == POU_LANGUAGE_LD;
}

// Lists one POU's program and variable file and, for a compilation, writes
// their work copies in place: they are private and removed after the run.
void CollectPou(std::vector<std::string>& list, int mode, const std::string& folder, const std::string& stem,
                CSourceFileCache* cache)
{
    const std::string program = stem + ".ilp";
    const std::string variables = stem + ".ilv";
    list.push_back(folder + "/" + program);
    list.push_back(folder + "/" + variables);
    if (mode != COLLECT_FOR_COMPILE)
        return;
    std::string declarations;
    if (ReadSourceText(cache, folder + "/" + variables, declarations)) {
        const std::string workCopy = folder + "/~" + variables;
        if (cache)
            cache->WriteWorkFile(workCopy, declarations);
        else
            FileSystem::WriteInPlace(workCopy, declarations);
    }
    // A program without a work copy must not be compiled from a copy that
    // an earlier, interrupted run left behind.
    const std::string workCopy = folder + "/~" + program;
    if (!PrepareSubroutineSource(folder + "/" + program, workCopy, cache) && cache)
        cache->DropWorkFile(workCopy);
}

template <typename Map>
void CollectNumbered(std::vector<std::string>& list, int mode, const std::string& folder, const char* prefix,
                     const Map& nodes, CSourceFileCache* cache)
{
    for (const auto& [name, node] : nodes) {
        if (!node || !IsCompiledLanguage(node->language))
            continue;
        const std::string stem = ByteString::Format("%s%02d%s%s", prefix, node->number, "_", node->name.c_str());
        CollectPou(list, mode, folder, stem, cache);
    }
}

} // namespace

int CollectPouFiles(std::vector<std::string>* list, int mode, CSourceFileCache* cache)
{
    if (!list)
        return 1;
    list->clear();
    const CZULProject& project = g_pAppData->Project;
    const std::string& folder = project.ProjectFolder;
    CollectNumbered(*list, mode, folder, "SBR", project.POUs.SubroutineNodes, cache);
    CollectNumbered(*list, mode, folder, "INT", project.POUs.InterruptNodes, cache);
    if (IsCompiledLanguage(project.MainNode.language))
        CollectPou(*list, mode, folder, "MAIN_" + project.MainNode.name, cache);
    if (!project.SymbolLookup.empty() || !project.FBTable.FBInstances.empty())
        list->push_back(folder + "/" + project.ProjectName + ".qgv");
    list->push_back(project.ProjectPath);
    return 1;
}

bool PrepareSubroutineSource(const std::string& sourcePath, const std::string& workPath, CSourceFileCache* cache)
{
    std::vector<std::string> lines;
    if (!CLocalVarTable::ReadLines(sourcePath, &lines, cache))
        return false;
    CLocalVarTable table;
    table.LoadVarFile(ByteString::Left(sourcePath, static_cast<int>(sourcePath.size()) - 3) + "ilv", cache);
    table.ExpandIndirectOperands(&lines);
    return CLocalVarTable::WriteLines(workPath, &lines, cache) != FALSE;
}

std::string GetStringArrayItem(const std::vector<std::string>& array, int index)
{
    if (index < 0 || static_cast<size_t>(index) >= array.size())
        return std::string();
    return array[static_cast<size_t>(index)];
}
