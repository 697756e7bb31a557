#pragma once
// One parameter of a call interface: name, operand type flags (direction,
// data types, allowed areas), the declared type text and a comment.

#include "platform/CObject.h"

#include <string>

class CZULFBPara : public CObject {
    DECLARE_SERIAL(CZULFBPara)
public:
    CZULFBPara() = default;
    CZULFBPara(const CZULFBPara& other);
    CZULFBPara& operator=(const CZULFBPara& other);

    void Serialize(CArchive& ar) override;

    // Stores the trimmed name and the flags; an empty name changes nothing and gives 0.
    int SetNameAndFlags(const std::string& paramName, DWORD paramFlags);

    std::string name;
    DWORD flags = 0;
    std::string typeText;
    std::string comment;
};
