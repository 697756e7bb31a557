#include "ProjectModified.h"

#include "CProjTreeDOC.h"

namespace {

CProjTreeDOC* g_projectDocument = nullptr;

} // namespace

void AttachProjectDocument(CProjTreeDOC* document)
{
    g_projectDocument = document;
}

CProjTreeDOC* GetProjectDocument()
{
    return g_projectDocument;
}

void SetProjectModified(BOOL modified)
{
    if (!g_projectDocument)
        return;
    g_projectDocument->SetModifiedFlag(modified);
}
