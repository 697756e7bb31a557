#pragma once
// A clipboard that lives in the process: the stand-in until the desktop
// clipboard is installed, and the clipboard of headless tests.

#include "IClipboard.h"

#include <map>

class CMemoryClipboard : public IClipboard {
public:
    void Empty() override;
    BOOL SetText(const std::string& text) override;
    BOOL GetText(std::string* text) const override;
    BOOL SetBitmap(const CIconImage& bitmap) override;
    BOOL GetBitmap(CIconImage* bitmap) const override;
    BOOL SetData(UINT format, const std::vector<BYTE>& bytes) override;
    BOOL GetData(UINT format, std::vector<BYTE>* bytes) const override;
    BOOL IsFormatAvailable(UINT format) const override;
    std::vector<std::string> GetFormatNames() const override;

private:
    BOOL m_hasText = FALSE;
    std::string m_text;
    CIconImage m_bitmap;
    std::map<UINT, std::vector<BYTE>> m_data;
};
