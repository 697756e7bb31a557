#pragma once
// The ladder library's side of the POU document: it makes LD programs,
// converts IL lines into an LD program for the switch to LD and converts
// pasted IL text into network items in the application's LD clipboard.

#include "pouedit/IPOUProgramFactory.h"

// Rows of the per-network value table that comes with pasted networks.
constexpr int LD_PASTE_VALUE_COUNT = 209;

class CLadderProgramFactory : public IPOUProgramFactory {
public:
    std::unique_ptr<CPOUProgram> CreateProgram(int language, CZULAppData& app, IPOUEditorHost* host) override;
    // The program holds the converted networks and its first undo snapshot.
    std::unique_ptr<CPOUProgram> ConvertILLines(const std::vector<std::string>& lines, CZULAppData& app,
                                               IPOUEditorHost* host) override;
    // perNetwork: null, or a table of LD_PASTE_VALUE_COUNT values whose
    // leading ones become the network numbers of the pasted headers.
    BOOL ConvertILToNetworks(const std::string& text, const int* perNetwork, CZULAppData& app) override;
};

// Makes the ladder factory the application's: from then on POU documents
// open and switch to LD programs. Called once by the program's start-up.
void RegisterLadderProgramFactory(CZULAppData& app);
