#pragma once
// What the application data needs of an element held in the LD clipboard
// array: a way to free it. The clipboard holds copies, so releasing one
// frees its whole tree and unregisters nothing (no FB instance, no label)
// that the original still owns.

class ILDClipboardElement {
public:
    virtual void ReleaseCopy() = 0;

protected:
    ~ILDClipboardElement() = default;
};

// Frees a clipboard entry through its release operation.
struct LDClipboardRelease {
    void operator()(ILDClipboardElement* element) const
    {
        if (element)
            element->ReleaseCopy();
    }
};
