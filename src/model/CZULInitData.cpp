#include "CZULInitData.h"

#include "platform/CArchive.h"

#include <algorithm>

IMPLEMENT_SERIAL(CZULInitData, CObject, 1)

namespace {

constexpr DWORD kCodeBuckets = 20;

DWORD CodeBucket(DWORD key)
{
    return (key >> 4) % kCodeBuckets;
}

} // namespace

void CZULInitData::SetCode(DWORD key, DWORD value)
{
    for (auto& code : m_codes) {
        if (code.first == key) {
            code.second = value;
            return;
        }
    }
    m_codes.emplace_back(key, value);
}

BOOL CZULInitData::LookupCode(DWORD key, DWORD& value) const
{
    for (const auto& code : m_codes) {
        if (code.first == key) {
            value = code.second;
            return TRUE;
        }
    }
    return FALSE;
}

void CZULInitData::RemoveCode(DWORD key)
{
    m_codes.erase(std::remove_if(m_codes.begin(), m_codes.end(), [key](const auto& code) { return code.first == key; }),
                  m_codes.end());
}

std::vector<std::pair<DWORD, DWORD>> CZULInitData::GetCodesInStoredOrder() const
{
    std::vector<std::pair<DWORD, DWORD>> ordered(m_codes.rbegin(), m_codes.rend());
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const auto& a, const auto& b) { return CodeBucket(a.first) < CodeBucket(b.first); });
    return ordered;
}

BOOL CZULInitData::HasText() const
{
    return std::any_of(texts.begin(), texts.end(), [](const std::string& t) { return !t.empty(); }) ? TRUE : FALSE;
}

void CZULInitData::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteCount(static_cast<DWORD>(texts.size()));
        for (const std::string& text : texts)
            ar << text;
        ar.WriteCount(static_cast<DWORD>(values.size()));
        for (DWORD value : values)
            ar << value;
        const auto codes = GetCodesInStoredOrder();
        ar.WriteCount(static_cast<DWORD>(codes.size()));
        for (const auto& code : codes)
            ar << code.first << code.second;
        ar << rowState1 << rowState2;
        return;
    }
    texts.assign(ar.ReadCount(1), std::string());
    for (std::string& text : texts)
        ar >> text;
    values.assign(ar.ReadCount(sizeof(DWORD)), 0);
    for (DWORD& value : values)
        ar >> value;
    // The stored order lists the newest entry of a bucket first; adding the
    // pairs from the last one back gives the map the order it was saved from,
    // so saving it again writes the same bytes.
    std::vector<std::pair<DWORD, DWORD>> stored(ar.ReadCount(2 * sizeof(DWORD)));
    for (auto& code : stored)
        ar >> code.first >> code.second;
    m_codes.clear();
    for (auto code = stored.rbegin(); code != stored.rend(); ++code)
        SetCode(code->first, code->second);
    ar >> rowState1 >> rowState2;
}
