#pragma once
// Copy and paste of ladder content between POUs and between running
// instances. Two kinds travel through the application's shared copy block:
// one element (coil, contact, box or network comment) as its transfer text,
// and a range of whole networks as their IL text with the row count of each
// network. A paste rebuilds the content into the application's LD clipboard
// array and places it at the editor's selection.
//
// The clipboard works on one LD program and its editor; it keeps no state
// of its own between calls.

#include "CILToLDConverter.h"
#include "platform/WinTypes.h"

#include <string>

class CComment;
class CLDEditor;
class CLDElement;
class CLDProgram;
class CZULAppData;
class ILDInsertTarget;

// Kinds of a transfer.
constexpr int LD_TRANSFER_ELEMENT = 1;
constexpr int LD_TRANSFER_NETWORKS = 2;
// The element kind a network transfer carries.
constexpr int LD_TRANSFER_NO_ELEMENT = 255;

class CLDClipboard {
public:
    // insertTarget: the editor's tree insertions for pasting a single
    // contact or box; null leaves such a paste undone (FALSE).
    CLDClipboard(CLDProgram& program, ILDInsertTarget* insertTarget = nullptr);

    // Whether an FB type's copies lose their instance name (timers, counters, bistables).
    static BOOL IsFBTypeWithoutInstanceCopy(const std::string& fbType);
    // A copy of a network header; a header of a network kept as IL stays one.
    static LDItemPtr CloneHeader(const CComment& header);
    // A copy of a whole tree, links and parents set; null when an element
    // of it cannot be copied. A root coil of a network kept as IL keeps its lines.
    static LDItemPtr CloneTree(const CLDElement* root);

    // Sends the selected element; FALSE without a selection.
    BOOL CopyElement();
    // Sends the selected networks; FALSE without a network selection inside the program.
    BOOL CopyNetworks();
    // The selected networks, else the selected element.
    BOOL Copy();

    // Rebuilds one element from its transfer text into the LD clipboard array.
    BOOL ParseTransferText(const std::string& text, int elementKind);
    // Reads the shared copy block into the LD clipboard array and places
    // what it holds; TRUE when something was pasted.
    BOOL Paste();
    // Places the single element of the LD clipboard array at the selection.
    BOOL PasteElement();
    // Inserts the networks of the LD clipboard array at the selection.
    BOOL PasteNetworks();
    // The item index a network paste inserts at; TRUE when it goes before
    // the selected header, FALSE (and -1 without a selection) otherwise.
    BOOL GetPasteInsertIndex(int& index) const;

    // The update rules of Copy, Cut and Paste (outside the operand editor).
    BOOL CanCopy() const;
    BOOL CanCut() const;
    BOOL CanPaste() const;

private:
    BOOL SendElement(CLDElement& element, int elementKind);
    BOOL SendNetworks(int count, const int* rows);
    BOOL ParseBlockText(const std::string& text);
    // A coil goes below the selected coil while the network has branch rows left.
    BOOL PasteCoil(const CLDElement& pasted, CLDElement* selection);
    BOOL IsMonitoring() const;
    void ShowNote(const char* text) const;

    CLDProgram& m_program;
    CLDEditor& m_editor;
    CZULAppData& m_app;
    ILDInsertTarget* m_insertTarget;
};
