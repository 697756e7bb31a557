#pragma once
// What the cross-reference list needs of the windows around it.

#include "platform/GdiTypes.h"
#include "platform/WinTypes.h"

#include <string>

class ICrossRefHost {
public:
    virtual ~ICrossRefHost() = default;
    // Makes the first POU item under the project tree's PROGRAM item whose
    // text contains the label the tree's current, selected item.
    virtual void SelectPOUItem(const std::string& label) = 0;
    // Opens the POU's program file as a document and moves it to the row
    // (IL) or network (LD); FALSE when it does not open.
    virtual BOOL OpenPOUAt(const std::string& file, int number) = 0;
    // The list's context menu at a screen point.
    virtual void ShowCrossRefMenu(CPoint point) = 0;
};
