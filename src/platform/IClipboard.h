#pragma once
// The clipboard as Qt-free code sees it: plain text (GBK bytes), a bitmap,
// and byte blocks under registered format numbers. Setting one format keeps
// the others until Empty.

#include "CIconImage.h"
#include "WinTypes.h"

#include <string>
#include <vector>

constexpr UINT CF_TEXT = 1;
constexpr UINT CF_BITMAP = 2;

class IClipboard {
public:
    virtual ~IClipboard() = default;

    virtual void Empty() = 0;
    virtual BOOL SetText(const std::string& text) = 0;
    // FALSE when the clipboard holds no text.
    virtual BOOL GetText(std::string* text) const = 0;
    virtual BOOL SetBitmap(const CIconImage& bitmap) = 0;
    virtual BOOL GetBitmap(CIconImage* bitmap) const = 0;
    // Formats from CClipboard::RegisterFormat.
    virtual BOOL SetData(UINT format, const std::vector<BYTE>& bytes) = 0;
    virtual BOOL GetData(UINT format, std::vector<BYTE>* bytes) const = 0;
    // CF_TEXT, CF_BITMAP or a registered format.
    virtual BOOL IsFormatAvailable(UINT format) const = 0;
    // The names of the formats beyond text and bitmap that the clipboard holds.
    virtual std::vector<std::string> GetFormatNames() const { return {}; }
};
