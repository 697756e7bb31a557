#pragma once
// Base of the drawing objects a device context selects: pens, brushes and
// fonts. They are plain values: a device context copies what it selects, so
// an object may go out of scope while still selected without harm.

#include "WinTypes.h"

class CGdiObject {
public:
    enum class Kind { Pen, Brush, Font };

    explicit CGdiObject(Kind kind) : m_kind(kind) {}
    virtual ~CGdiObject() = default;

    Kind GetKind() const { return m_kind; }
    // TRUE once the object has been created (a default object is empty).
    BOOL IsCreated() const { return m_created; }
    void DeleteObject() { m_created = FALSE; }

protected:
    void SetCreated() { m_created = TRUE; }

private:
    Kind m_kind;
    BOOL m_created = FALSE;
};
