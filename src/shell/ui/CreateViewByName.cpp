#include "shell/ui/CreateViewByName.h"

CWnd* CreateViewByName(const char* className, CWnd* parent, UINT id, DWORD style, const CRect& rect)
{
    const CRuntimeClass* viewClass = CRuntimeClass::FromName(className);
    CObject* object = viewClass != nullptr ? viewClass->CreateObject() : nullptr;
    auto* view = dynamic_cast<CWnd*>(object);
    if (view == nullptr) {
        delete object;
        return nullptr;
    }
    if (!view->Create(parent, rect, id, style)) {
        delete view;
        return nullptr;
    }
    return view;
}
