#pragma once
// The desktop clipboard behind IClipboard. Text crosses as UTF-8, bitmaps as
// images, registered formats as byte blocks under a MIME type of their
// own ("application/x-orvelbuilder-ToolBar-Image" for "ToolBar Image").
// Install makes it the clipboard of CClipboard.

#include "platform/IClipboard.h"

#include <QString>

#include <map>

class QClipboard;

class CQtClipboard : public IClipboard {
public:
    // The application's clipboard when none is given.
    explicit CQtClipboard(QClipboard* clipboard = nullptr);
    ~CQtClipboard() override;

    static QString MimeType(UINT format);
    // Makes one process-wide instance the clipboard of CClipboard.
    static void Install();

    void Empty() override;
    BOOL SetText(const std::string& text) override;
    BOOL GetText(std::string* text) const override;
    BOOL SetBitmap(const CIconImage& bitmap) override;
    BOOL GetBitmap(CIconImage* bitmap) const override;
    BOOL SetData(UINT format, const std::vector<BYTE>& bytes) override;
    BOOL GetData(UINT format, std::vector<BYTE>* bytes) const override;
    BOOL IsFormatAvailable(UINT format) const override;
    // Our own formats by their names, those of other programs by their MIME types.
    std::vector<std::string> GetFormatNames() const override;

private:
    // Puts everything set since Empty on the clipboard as one offer.
    void Publish();

    QClipboard* m_clipboard;
    BOOL m_hasText = FALSE;
    std::string m_text;
    CIconImage m_bitmap;
    std::map<UINT, std::vector<BYTE>> m_data;
};
