#pragma once
// Carrying out a POU rename that the naming rules accepted, and the end of
// the POU Property command. The POU's files take the new name first: every
// target is checked before anything changes, and when one step fails the
// steps done so far are undone, so the names and the files never disagree.
// Then the node, the tree item, the project's maps and the catalogue take
// the new name. Until the project is saved the project file on disk still
// names the POU's old files, so they keep their old names as well (a second
// name on disk); the save drops the old names, a close without saving the
// new ones. A quit without saving or a crash so never leaves the project
// file naming files that are gone.

#include "shell/POUNameRules.h"

#include <string>
#include <vector>

class CProjTreeNode;
struct CPOUFileRename;
class CZULAppData;
class IPOURenameHost;

// The path check, the file moves and the new name everywhere; POU_NAME_OK,
// or the refusal (nothing changed) for ReportPOUNameResult.
POUNameResult CarryOutPOURename(CZULAppData& app, CProjTreeNode& node, const std::string& newName,
                                IPOURenameHost& host);

// The end of an in-place edit of the POU's tree item: the rules in their
// in-place form, then the rename; the project is marked modified after a
// rename. Refusals are reported; an empty or case-only edit is dropped.
POUNameResult RenamePOUInPlace(CZULAppData& app, CProjTreeNode& node, const std::string& editedText,
                               IPOURenameHost& host);

// What the Property dialog returned with OK: author and comment go into the
// node (and into the project's MAIN node for MAIN); a name that differs in
// more than case is carried out. Refusals are reported.
POUNameResult ApplyPOUProperty(CZULAppData& app, CProjTreeNode& node, const std::string& newName,
                               const std::string& author, const std::string& comment, IPOURenameHost& host);

// The project file has been written with the current names: the old names
// in the project folder go.
void CommitPOUFileRenames(std::vector<CPOUFileRename>& pending, const std::string& folder);
// The project closes without saving: the new names go again, except where a
// file was written under its new name since.
void DiscardPOUFileRenames(std::vector<CPOUFileRename>& pending, const std::string& folder);
