#include "toolkit/commandbars/draw/CTKDCSelectGuard.h"

CTKDCSelectGuard::CTKDCSelectGuard(CDC* dc, CGdiObject* object) : m_dc(dc)
{
    Select(object);
}

CTKDCSelectGuard::~CTKDCSelectGuard()
{
    Restore();
}

void CTKDCSelectGuard::Select(CGdiObject* object)
{
    Restore();
    if (m_dc == nullptr || object == nullptr)
        return;
    m_previous = m_dc->SelectObject(object);
    if (m_previous != nullptr)
        return;
    // A fresh context holds the default objects, which are the stock ones.
    switch (object->GetKind()) {
    case CGdiObject::Kind::Pen:
        m_previous = CDC::GetStockObject(BLACK_PEN);
        break;
    case CGdiObject::Kind::Brush:
        m_previous = CDC::GetStockObject(WHITE_BRUSH);
        break;
    case CGdiObject::Kind::Font:
        m_previous = CDC::GetStockObject(DEFAULT_GUI_FONT);
        break;
    }
}

void CTKDCSelectGuard::Restore()
{
    if (m_dc != nullptr && m_previous != nullptr)
        m_dc->SelectObject(m_previous);
    m_previous = nullptr;
}
