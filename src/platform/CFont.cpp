#include "CFont.h"

#include <cstring>

void CFont::SetFaceName(LOGFONT& record, const std::string& face)
{
    std::memset(record.lfFaceName, 0, sizeof(record.lfFaceName));
    std::memcpy(record.lfFaceName, face.data(), face.size() < LF_FACESIZE ? face.size() : LF_FACESIZE - 1);
}

BOOL CFont::CreateFontIndirect(const LOGFONT* record)
{
    if (record == nullptr)
        return FALSE;
    m_record = *record;
    m_record.lfFaceName[LF_FACESIZE - 1] = 0;
    SetCreated();
    return TRUE;
}

BOOL CFont::CreateFont(int height, int weight, BOOL italic, BOOL underline, const std::string& face)
{
    LOGFONT record;
    record.lfHeight = height;
    record.lfWeight = weight;
    record.lfItalic = italic ? 1 : 0;
    record.lfUnderline = underline ? 1 : 0;
    record.lfCharSet = DEFAULT_CHARSET;
    SetFaceName(record, face);
    return CreateFontIndirect(&record);
}

BOOL CFont::CreatePointFont(int tenthsOfPoint, const std::string& face)
{
    LOGFONT record;
    record.lfHeight = -(tenthsOfPoint * 96 + 360) / 720;
    record.lfWeight = FW_NORMAL;
    record.lfCharSet = DEFAULT_CHARSET;
    SetFaceName(record, face);
    return CreateFontIndirect(&record);
}

BOOL CFont::GetLogFont(LOGFONT* record) const
{
    if (record == nullptr || !IsCreated())
        return FALSE;
    *record = m_record;
    return TRUE;
}
