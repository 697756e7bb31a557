#pragma once
// The parameter list of a call interface: an array of CZULFBPara that owns
// its elements. In an archive it is a count followed by each parameter as an
// object with its class record.

#include "CZULFBPara.h"

#include <string>
#include <vector>

class CArchive;

class CZULFBParaArray {
public:
    CZULFBParaArray() = default;
    ~CZULFBParaArray();
    CZULFBParaArray(const CZULFBParaArray&) = delete;
    CZULFBParaArray& operator=(const CZULFBParaArray&) = delete;

    int GetSize() const { return static_cast<int>(m_items.size()); }
    // The element at index, or null past the end.
    CZULFBPara* GetAt(int index) const;
    // Appends; the array takes ownership.
    void Add(CZULFBPara* para);
    // Deletes every element.
    void RemoveAll();
    // Replaces the elements by new copies of the other array's elements.
    void CopyFrom(const CZULFBParaArray& other);
    // The first element whose name equals the text exactly, or null.
    CZULFBPara* Find(const std::string& name) const;

    // Loading refuses an element that is missing or not a parameter, and a
    // reference to an object read before, even where the archive allows them.
    void Serialize(CArchive& ar);

private:
    void LoadItems(CArchive& ar);

    std::vector<CZULFBPara*> m_items;
};
