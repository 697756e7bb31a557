#include "CMemoryClipboard.h"

#include "CClipboard.h"

void CMemoryClipboard::Empty()
{
    m_hasText = FALSE;
    m_text.clear();
    m_bitmap = CIconImage();
    m_data.clear();
}

BOOL CMemoryClipboard::SetText(const std::string& text)
{
    m_text = text;
    m_hasText = TRUE;
    return TRUE;
}

BOOL CMemoryClipboard::GetText(std::string* text) const
{
    if (!m_hasText || text == nullptr)
        return FALSE;
    *text = m_text;
    return TRUE;
}

BOOL CMemoryClipboard::SetBitmap(const CIconImage& bitmap)
{
    if (bitmap.IsEmpty())
        return FALSE;
    m_bitmap = bitmap;
    return TRUE;
}

BOOL CMemoryClipboard::GetBitmap(CIconImage* bitmap) const
{
    if (m_bitmap.IsEmpty() || bitmap == nullptr)
        return FALSE;
    *bitmap = m_bitmap;
    return TRUE;
}

BOOL CMemoryClipboard::SetData(UINT format, const std::vector<BYTE>& bytes)
{
    if (format < 0xC000)
        return FALSE;
    m_data[format] = bytes;
    return TRUE;
}

BOOL CMemoryClipboard::GetData(UINT format, std::vector<BYTE>* bytes) const
{
    const auto found = m_data.find(format);
    if (found == m_data.end() || bytes == nullptr)
        return FALSE;
    *bytes = found->second;
    return TRUE;
}

BOOL CMemoryClipboard::IsFormatAvailable(UINT format) const
{
    if (format == CF_TEXT)
        return m_hasText;
    if (format == CF_BITMAP)
        return !m_bitmap.IsEmpty();
    return m_data.count(format) != 0;
}

std::vector<std::string> CMemoryClipboard::GetFormatNames() const
{
    std::vector<std::string> names;
    for (const auto& entry : m_data)
        names.push_back(CClipboard::FormatName(entry.first));
    return names;
}
