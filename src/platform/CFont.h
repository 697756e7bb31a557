#pragma once
// A font made from a font record. The device context that selects it maps
// the record to a real font; the record is kept as given.

#include "CGdiObject.h"
#include "GdiTypes.h"

#include <string>

class CFont : public CGdiObject {
public:
    CFont() : CGdiObject(Kind::Font) {}

    BOOL CreateFontIndirect(const LOGFONT* record);
    // Height in logical units, weight, italic, underline, face name.
    BOOL CreateFont(int height, int weight, BOOL italic, BOOL underline, const std::string& face);
    // Size in tenths of a point, as 1/72 inch at the 96 pixels per inch of the screen.
    BOOL CreatePointFont(int tenthsOfPoint, const std::string& face);

    // Copies the record into *record; FALSE for a font not created.
    BOOL GetLogFont(LOGFONT* record) const;
    const LOGFONT& GetRecord() const { return m_record; }

    // Copies a face name into a record, cut to the record's size.
    static void SetFaceName(LOGFONT& record, const std::string& face);

private:
    LOGFONT m_record {};
};
