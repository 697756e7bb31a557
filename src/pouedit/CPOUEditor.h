#pragma once
// The editor of a POU program as the program base sees it. The IL and LD
// editors derive from it; what the POU view reaches through it comes with
// the view.

class CPOUEditor {
public:
    virtual ~CPOUEditor() = default;
};
