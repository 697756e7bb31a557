#include "POURename.h"

#include "model/CProjTreeDOC.h"
#include "model/CProjTreeNode.h"
#include "model/CZULAppData.h"
#include "model/ProjectModified.h"
#include "platform/ByteString.h"
#include "platform/FileSystem.h"
#include "shell/IPOURenameHost.h"

#include <algorithm>
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

// How one file takes its new name while the project file on disk may still
// name the old one.
enum class FileStep {
    Link,        // the saved project names the file: a second name, the old one stays
    Move,        // a name given since the last save: it moves on
    MoveBack,    // back to the name the saved project uses: replaces that name
};

struct PlannedStep {
    FileMove move;
    FileStep step = FileStep::Link;
};

using PendingRenames = std::vector<CPOUFileRename>;

const CPOUFileRename* PendingRenameTo(const PendingRenames& pending, const std::string& currentName)
{
    for (const CPOUFileRename& rename : pending) {
        if (rename.currentName == currentName)
            return &rename;
    }
    return nullptr;
}

std::vector<PlannedStep> PlanSteps(const PendingRenames& pendingRenames, const std::vector<FileMove>& moves)
{
    std::vector<PlannedStep> steps;
    for (const FileMove& move : moves) {
        const CPOUFileRename* pending = PendingRenameTo(pendingRenames, FileSystem::FileNameOf(move.from));
        FileStep step = FileStep::Link;
        if (pending)
            step = pending->savedName == FileSystem::FileNameOf(move.to) ? FileStep::MoveBack : FileStep::Move;
        steps.push_back({move, step});
    }
    return steps;
}

// A target may exist only where the file goes back to the name the saved project uses.
bool AnyTargetExists(const std::vector<PlannedStep>& steps)
{
    for (const PlannedStep& planned : steps) {
        if (planned.step == FileStep::MoveBack)
            continue;
        const std::string existing = FileSystem::FindExisting(planned.move.to);
        if (!existing.empty() && existing != planned.move.from)
            return true;
    }
    return false;
}

BOOL DoStep(const PlannedStep& planned)
{
    if (planned.step == FileStep::Link)
        return FileSystem::LinkFile(planned.move.from, planned.move.to);
    // Both names of one file: moving one over the other changes nothing, the spare one goes.
    if (planned.step == FileStep::MoveBack && FileSystem::IsSameFile(planned.move.from, planned.move.to))
        return FileSystem::DeleteFile(planned.move.from);
    return FileSystem::MoveFile(planned.move.from, planned.move.to);
}

void UndoStep(const PlannedStep& planned)
{
    if (planned.step == FileStep::Link) {
        FileSystem::DeleteFile(planned.move.to);
        return;
    }
    if (planned.step == FileStep::Move) {
        FileSystem::MoveFile(planned.move.to, planned.move.from);
        return;
    }
    // The saved name now holds the file; the other name comes back beside it.
    FileSystem::LinkFile(planned.move.to, planned.move.from);
}

// Carries out every step; on a failure the done ones are undone and FALSE returned.
BOOL DoAllSteps(const std::vector<PlannedStep>& steps)
{
    for (size_t done = 0; done < steps.size(); ++done) {
        if (DoStep(steps[done]))
            continue;
        while (done-- > 0)
            UndoStep(steps[done]);
        return FALSE;
    }
    return TRUE;
}

void RecordSteps(PendingRenames& pending, const std::vector<PlannedStep>& steps)
{
    for (const PlannedStep& planned : steps) {
        const std::string from = FileSystem::FileNameOf(planned.move.from);
        const std::string to = FileSystem::FileNameOf(planned.move.to);
        if (planned.step == FileStep::Link) {
            pending.push_back({from, to});
            continue;
        }
        const auto found = std::find_if(pending.begin(), pending.end(),
                                        [&from](const CPOUFileRename& rename) { return rename.currentName == from; });
        if (found == pending.end())
            continue;
        if (planned.step == FileStep::MoveBack)
            pending.erase(found);
        else
            found->currentName = to;
    }
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
    // Without the project document nothing is saved later: the old names go at once.
    CProjTreeDOC* document = GetProjectDocument();
    PendingRenames unsaved;
    PendingRenames& pending = document ? document->PendingFileRenames() : unsaved;
    const std::vector<PlannedStep> steps = PlanSteps(pending, moves);
    if (AnyTargetExists(steps))
        return POU_NAME_FILE_EXISTS;
    if (!DoAllSteps(steps))
        return POU_NAME_MOVE_FAILED;
    RecordSteps(pending, steps);
    if (!document)
        CommitPOUFileRenames(unsaved, app.Project.ProjectFolder);
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

void CommitPOUFileRenames(std::vector<CPOUFileRename>& pending, const std::string& folder)
{
    for (const CPOUFileRename& rename : pending)
        FileSystem::DeleteFile(FileSystem::JoinPath(folder, rename.savedName));
    pending.clear();
}

void DiscardPOUFileRenames(std::vector<CPOUFileRename>& pending, const std::string& folder)
{
    for (const CPOUFileRename& rename : pending) {
        const std::string saved = FileSystem::JoinPath(folder, rename.savedName);
        const std::string current = FileSystem::JoinPath(folder, rename.currentName);
        // A file written under its new name since holds work of its own and stays.
        if (FileSystem::IsSameFile(saved, current))
            FileSystem::DeleteFile(current);
    }
    pending.clear();
}
