#pragma once
// One image of a command icon; empty when there is none.

#include "platform/CIconImage.h"

class CTKIconHandle {
public:
    void SetIcon(const CIconImage& icon) { m_icon = icon; }
    void Clear() { m_icon = CIconImage(); }
    const CIconImage& GetIcon() const { return m_icon; }
    BOOL HasIcon() const { return !m_icon.IsEmpty(); }

private:
    CIconImage m_icon;
};
