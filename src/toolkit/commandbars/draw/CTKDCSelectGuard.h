#pragma once
// Selects a drawing object into a device context for one painting step and
// puts back what it displaced.

#include "platform/CDC.h"

class CTKDCSelectGuard {
public:
    CTKDCSelectGuard(CDC* dc, CGdiObject* object);
    virtual ~CTKDCSelectGuard();
    CTKDCSelectGuard(const CTKDCSelectGuard&) = delete;
    CTKDCSelectGuard& operator=(const CTKDCSelectGuard&) = delete;

    // Puts the remembered object back, then selects this one.
    void Select(CGdiObject* object);

private:
    void Restore();

    CDC* m_dc;
    CGdiObject* m_previous = nullptr;
};
