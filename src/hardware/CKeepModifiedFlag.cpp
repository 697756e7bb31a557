#include "CKeepModifiedFlag.h"

#include "model/CProjTreeDOC.h"
#include "model/ProjectModified.h"

CKeepModifiedFlag::CKeepModifiedFlag()
{
    if (const CProjTreeDOC* document = GetProjectDocument())
        m_modified = document->IsModified();
}

CKeepModifiedFlag::~CKeepModifiedFlag()
{
    SetProjectModified(m_modified);
}
