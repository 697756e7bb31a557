#include "POURename.h"

#include "model/CProjTreeNode.h"
#include "model/CZULAppData.h"
#include "model/ProjectModified.h"
#include "platform/ByteString.h"
#include "platform/FileSystem.h"
#include "shell/IPOURenameHost.h"

#include <vector>

namespace {

struct FileMove {
    std::string from;
    std::string to;
};

// Every file "<old base>.*" of the folder with its target under the new base.
std::vector<FileMove> PlanMoves(const std::string& folder, const std::string& oldBase, const std::string& newBase)
{
    std::vector<FileMove> moves;
    const std::string prefix = oldBase + ".";
    for (const CFileEntry& entry : FileSystem::ListFolder(folder)) {
        if (entry.IsFolder() || entry.name.size() <= prefix.size())
            continue;
        if (!ByteString::EqualsNoCase(entry.name.substr(0, prefix.size()), prefix))
            continue;
        const std::string extension = entry.name.substr(oldBase.size());
        moves.push_back({FileSystem::JoinPath(folder, entry.name), FileSystem::JoinPath(folder, newBase + extension)});
    }
    return moves;
}

bool AnyTargetExists(const std::vector<FileMove>& moves)
{
    for (const FileMove& move : moves) {
        const std::string existing = FileSystem::FindExisting(move.to);
        if (!existing.empty() && existing != move.from)
            return true;
    }
    return false;
}

// Moves every file; on a failure the moved ones go back and FALSE is returned.
BOOL MoveAll(const std::vector<FileMove>& moves)
{
    for (size_t done = 0; done < moves.size(); ++done) {
        if (FileSystem::MoveFile(moves[done].from, moves[done].to))
            continue;
        while (done-- > 0)
            FileSystem::MoveFile(moves[done].to, moves[done].from);
        return FALSE;
    }
    return TRUE;
}

void SetName(CProjTreeNode& node, const std::string& name, const std::string& label)
{
    node.name = name;
    node.label = label;
}

// The project's own record of the POU, which its maps re-key by the name it carries.
CProjTreeNode* ProjectRecord(CZULProject& project, int kind, const std::string& oldName)
{
    if (kind == NODE_MAIN)
        return &project.MainNode;
    const auto& nodes = kind == NODE_SUBROUTINE ? project.POUs.SubroutineNodes : project.POUs.InterruptNodes;
    const auto found = nodes.find(oldName);
    return found == nodes.end() ? nullptr : found->second;
}

} // namespace

POUNameResult CarryOutPOURename(CZULAppData& app, CProjTreeNode& node, const std::string& newName,
                                IPOURenameHost& host)
{
    const std::string newLabel = POULabel(node.kind, node.number, newName);
    if (newLabel.empty())
        return POU_NAME_UNCHANGED;
    if (!CheckPOUPathLength(app, newLabel))
        return POU_NAME_PATH_TOO_LONG;
    const std::string oldName = node.name;
    const std::vector<FileMove> moves =
        PlanMoves(app.Project.ProjectFolder, POUFileBase(node.kind, node.number, oldName),
                  POUFileBase(node.kind, node.number, newName));
    if (AnyTargetExists(moves))
        return POU_NAME_FILE_EXISTS;
    if (!MoveAll(moves))
        return POU_NAME_MOVE_FAILED;
    if (CProjTreeNode* record = ProjectRecord(app.Project, node.kind, oldName))
        SetName(*record, newName, newLabel);
    SetName(node, newName, newLabel);
    host.SetPOUItemText(node, newLabel);
    app.Project.RenamePOU(oldName, node.kind);
    if (node.kind == NODE_SUBROUTINE)
        host.RenameCatalogueSubroutine(oldName, newName);
    return POU_NAME_OK;
}

POUNameResult RenamePOUInPlace(CZULAppData& app, CProjTreeNode& node, const std::string& editedText,
                               IPOURenameHost& host)
{
    std::string name = editedText;
    std::string message;
    POUNameResult result = CheckPOUName(app.Project, node, name, POUNameForm::InPlace, message);
    if (result == POU_NAME_OK)
        result = CarryOutPOURename(app, node, name, host);
    ReportPOUNameResult(result, message);
    if (result == POU_NAME_OK)
        SetProjectModified(TRUE);
    return result;
}

POUNameResult ApplyPOUProperty(CZULAppData& app, CProjTreeNode& node, const std::string& newName,
                               const std::string& author, const std::string& comment, IPOURenameHost& host)
{
    node.author = author;
    node.comment = comment;
    if (node.kind == NODE_MAIN) {
        app.Project.MainNode.author = author;
        app.Project.MainNode.comment = comment;
    }
    if (ByteString::EqualsNoCase(newName, node.name))
        return POU_NAME_UNCHANGED;
    const POUNameResult result = CarryOutPOURename(app, node, newName, host);
    ReportPOUNameResult(result, {});
    return result;
}
