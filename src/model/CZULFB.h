#pragma once
// A function block type of the instruction catalogue, or one FB instance of
// the project (type name, instance name and owning POU, upper case), with
// its input and output parameter lists, which it owns.

#include "CZULFBParaArray.h"
#include "platform/CObject.h"

#include <string>

class CZULFB : public CObject {
    DECLARE_SERIAL(CZULFB)
public:
    CZULFB() = default;
    CZULFB(const CZULFB&) = delete;
    // Deep copy of the four texts and both parameter lists.
    CZULFB& operator=(const CZULFB& other);

    void Serialize(CArchive& ar) override;

    void AddInput(CZULFBPara* para) { inputs.Add(para); }
    void AddOutput(CZULFBPara* para) { outputs.Add(para); }
    int GetInput(int index, CZULFBPara*& para) const;
    int GetOutput(int index, CZULFBPara*& para) const;
    int GetOutputCount() const { return outputs.GetSize(); }
    BOOL FindPin(const std::string& pinName, CZULFBPara*& para) const;
    void Reset();
    std::string GetRecordName() const { return typeName; }

    std::string typeName;      // first text
    std::string instanceName;  // second text
    std::string ownerPou;      // third text
    std::string fourthText;
    CZULFBParaArray inputs;
    CZULFBParaArray outputs;
};
