#pragma once
// A project-tree item and the record of a POU: node kind, POU name, the
// label shown in the tree, language (1 IL, 2 LD), POU number and author.

#include "platform/CObject.h"

#include <string>

// Node kinds of the project tree.
constexpr int NODE_PROJECT = 0;
constexpr int NODE_PROGRAM = 1;
constexpr int NODE_MAIN = 2;
constexpr int NODE_SUBROUTINE = 3;
constexpr int NODE_INTERRUPT = 4;
constexpr int NODE_INITIAL_DATA = 5;
constexpr int NODE_GLOBAL_VARIABLES = 6;
constexpr int NODE_STATUS_CHART = 7;
constexpr int NODE_HARDWARE = 9;
constexpr int NODE_COMMUNICATIONS = 10;

class CProjTreeNode : public CObject {
    DECLARE_SERIAL(CProjTreeNode)
public:
    void Serialize(CArchive& ar) override;
    // Kind, language and number -1, every text empty.
    void Reset();

    int kind = -1;
    std::string name;
    std::string label;
    int language = -1;
    int number = -1;
    std::string comment; // not stored
    std::string author;
};
