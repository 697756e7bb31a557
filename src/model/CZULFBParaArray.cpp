#include "CZULFBParaArray.h"

#include "platform/CArchive.h"

namespace {

// A parameter takes at least its two-byte class reference.
constexpr size_t kMinParaBytes = 2;

} // namespace

CZULFBParaArray::~CZULFBParaArray()
{
    RemoveAll();
}

CZULFBPara* CZULFBParaArray::GetAt(int index) const
{
    if (index < 0 || index >= GetSize())
        return nullptr;
    return m_items[static_cast<size_t>(index)];
}

void CZULFBParaArray::Add(CZULFBPara* para)
{
    m_items.push_back(para);
}

void CZULFBParaArray::RemoveAll()
{
    for (CZULFBPara* para : m_items)
        delete para;
    m_items.clear();
}

void CZULFBParaArray::CopyFrom(const CZULFBParaArray& other)
{
    if (this == &other)
        return;
    RemoveAll();
    for (const CZULFBPara* para : other.m_items)
        m_items.push_back(new CZULFBPara(*para));
}

CZULFBPara* CZULFBParaArray::Find(const std::string& name) const
{
    for (CZULFBPara* para : m_items) {
        if (para->name == name)
            return para;
    }
    return nullptr;
}

void CZULFBParaArray::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteCount(static_cast<DWORD>(m_items.size()));
        for (const CZULFBPara* para : m_items)
            ar.WriteObject(para);
        return;
    }
    RemoveAll();
    // The array owns its elements: a reference back to an object read before
    // would give that object a second owner, so references stay refused here.
    const BOOL referencesAllowed = ar.GetAllowObjectReferences();
    ar.SetAllowObjectReferences(FALSE);
    LoadItems(ar);
    ar.SetAllowObjectReferences(referencesAllowed);
}

void CZULFBParaArray::LoadItems(CArchive& ar)
{
    const DWORD count = ar.ReadCount(kMinParaBytes);
    for (DWORD i = 0; i < count && ar.IsOK(); ++i) {
        CObject* object = ar.ReadObject(RUNTIME_CLASS(CZULFBPara));
        if (!object) {
            // A null element would leave a hole that every reader of the list trips over.
            ar.SetError(CArchive::badClass);
            return;
        }
        m_items.push_back(static_cast<CZULFBPara*>(object));
    }
}
