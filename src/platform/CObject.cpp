#include "CObject.h"

#include <map>
#include <mutex>

namespace {

std::mutex& RegistryLock()
{
    static std::mutex lock;
    return lock;
}

std::map<std::string, const CRuntimeClass*>& Registry()
{
    static std::map<std::string, const CRuntimeClass*> classes;
    return classes;
}

} // namespace

const CRuntimeClass CObject::classCObject = {"CObject", 0xFFFF, nullptr, nullptr};

CObject* CRuntimeClass::CreateObject() const
{
    return m_pfnCreateObject ? m_pfnCreateObject() : nullptr;
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const
{
    for (const CRuntimeClass* cls = this; cls; cls = cls->m_pBaseClass)
        if (cls == base)
            return TRUE;
    return FALSE;
}

void CRuntimeClass::Register(const CRuntimeClass* cls)
{
    std::lock_guard<std::mutex> guard(RegistryLock());
    Registry().emplace(cls->m_lpszClassName, cls);
}

const CRuntimeClass* CRuntimeClass::FromName(const std::string& name)
{
    std::lock_guard<std::mutex> guard(RegistryLock());
    auto it = Registry().find(name);
    return it == Registry().end() ? nullptr : it->second;
}

const CRuntimeClass* CObject::GetRuntimeClass() const
{
    return &classCObject;
}

void CObject::Serialize(CArchive&)
{
}

BOOL CObject::IsKindOf(const CRuntimeClass* cls) const
{
    return GetRuntimeClass()->IsDerivedFrom(cls);
}
