#pragma once
// Carrying out a POU rename that the naming rules accepted, and the end of
// the POU Property command. The POU's files move first: every target is
// checked before anything moves, and when one move fails the files moved
// so far go back, so the names and the files never disagree. Then the node,
// the tree item, the project's maps and the catalogue take the new name.

#include "shell/POUNameRules.h"

#include <string>

class CProjTreeNode;
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
