#pragma once
// Finding elements on the laid-out rungs of an LD program.

#include "ladder/CLDEditor.h"
#include "ladder/CLDProgram.h"

// Columns searched per row: wider than any rung the tests draw.
constexpr int kSearchedColumns = 40;

// The first element of a kind on the rung of a network, row by row and
// left to right; null when the network has none. Lays the program out first.
inline CLDElement* FirstElementOfKind(CLDProgram& program, int kind, int network)
{
    CLDEditor& editor = program.GetLDEditor();
    editor.LayoutAll();
    const int first = editor.GetFirstRows()[size_t(network)];
    const int end = editor.GetFirstRows()[size_t(network + 1)];
    for (int row = first; row < end; ++row) {
        for (int column = 0; column < kSearchedColumns; ++column) {
            CLDElement* element = nullptr;
            if (program.LookupCell(column, row, &element) && element && element->GetKind() == kind)
                return element;
        }
    }
    return nullptr;
}
