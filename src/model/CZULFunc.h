#pragma once
// The call interface of a subroutine or of a function box of the
// instruction catalogue: name, subroutine number and the input and output
// parameter lists, which it owns.

#include "CZULFBParaArray.h"
#include "platform/CObject.h"

#include <string>

class CZULFunc : public CObject {
    DECLARE_SERIAL(CZULFunc)
public:
    CZULFunc() = default;
    CZULFunc(const CZULFunc&) = delete;
    // Deep copy of name, number and both parameter lists.
    CZULFunc& operator=(const CZULFunc& other);

    void Serialize(CArchive& ar) override;

    // Stores the trimmed text unless it is empty; always 0.
    int SetName(const std::string& text);
    // Refuses (0) a number whose low 16 bits are 0; otherwise stores it, 1.
    int SetNumber(int value);

    void AddInput(CZULFBPara* para) { inputs.Add(para); }
    void AddOutput(CZULFBPara* para) { outputs.Add(para); }
    // By direction: 0x2000 (also with 0x4000) to the inputs, 0x4000 alone to the outputs.
    void AddParam(CZULFBPara* para, DWORD flags);
    // 1 and the element, or 0 when the index is past the end.
    int GetInput(int index, CZULFBPara*& para) const;
    int GetOutput(int index, CZULFBPara*& para) const;
    int GetInputCount() const { return inputs.GetSize(); }
    int GetOutputCount() const { return outputs.GetSize(); }
    // Exact (case-sensitive) search of the trimmed name, inputs first.
    BOOL FindPin(const std::string& pinName, CZULFBPara*& para) const;
    int ClearParams();
    void Reset();
    std::string GetRecordName() const { return name; }

    std::string name;
    int number = 0;
    CZULFBParaArray inputs;
    CZULFBParaArray outputs;
};
