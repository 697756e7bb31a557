#pragma once
// Builds network trees in code: contacts (test elements) by name, series
// and parallel nodes, and a root coil over an input; parents are set as the
// tree edits set them.

#include "TestElement.h"
#include "ladder/CLogicNode.h"

inline CLDElement* Contact(const std::string& name, int link = LD_LINK_SERIES, CLDElement* next = nullptr)
{
    auto* contact = new CTestElement(LD_KIND_CONTACT, name, link);
    if (next && link == LD_LINK_PARALLEL)
        contact->SetChildB(next);
    else if (next)
        contact->SetChildA(next);
    if (next)
        next->SetParent(contact);
    return contact;
}

inline CLDElement* Block(const std::string& instance, BOOL function = FALSE)
{
    auto* block = new CTestElement(LD_KIND_BLOCK, instance, LD_LINK_SERIES, "");
    block->SetFunction(function);
    return block;
}

inline CLogicNode* Node(int link, CLDElement* childA, CLDElement* childB)
{
    auto* node = new CLogicNode;
    node->SetLink(link);
    node->SetChildA(childA);
    node->SetChildB(childB);
    if (childA)
        childA->SetParent(node);
    if (childB)
        childB->SetParent(node);
    return node;
}

// A series node: left part first, then what follows it.
inline CLogicNode* Series(CLDElement* left, CLDElement* right) { return Node(LD_LINK_SERIES, right, left); }
inline CLogicNode* Parallel(CLDElement* upper, CLDElement* lower) { return Node(LD_LINK_PARALLEL, upper, lower); }

inline CLDElement* Coil(CLDElement* input, const std::string& name = "%Q0.0", const std::string& type = "-( )")
{
    auto* coil = new CTestElement(LD_KIND_COIL, name, LD_LINK_SERIES, type);
    coil->SetChildA(input);
    if (input)
        input->SetParent(coil);
    return coil;
}
