#pragma once
// Lookups shared by the call interfaces (function blocks and functions)
// that own an input and an output parameter list.

#include "CZULFBParaArray.h"
#include "platform/ByteString.h"

#include <string>

// The parameter at index of a list: 1, or 0 and null past the end.
inline int GetParaAt(const CZULFBParaArray& list, int index, CZULFBPara*& para)
{
    para = list.GetAt(index);
    return para ? 1 : 0;
}

// Exact (case-sensitive) search of the trimmed pin name, inputs first; a
// blank name gives FALSE and leaves para as it is.
inline BOOL FindParaByPin(const CZULFBParaArray& inputs, const CZULFBParaArray& outputs, const std::string& pinName,
                          CZULFBPara*& para)
{
    const std::string trimmed = ByteString::Trim(pinName);
    if (trimmed.empty())
        return FALSE;
    para = inputs.Find(trimmed);
    if (!para)
        para = outputs.Find(trimmed);
    return para ? TRUE : FALSE;
}
