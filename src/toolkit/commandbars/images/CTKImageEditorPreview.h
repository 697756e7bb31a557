#pragma once
// The preview of the button editor: the edited image at its own size in
// the frame of a raised button.

#include "platform/WinTypes.h"

#include <QWidget>

class CTKButtonEditorDlg;

class CTKImageEditorPreview : public QWidget {
    Q_OBJECT
public:
    static constexpr int kImageLeft = 10;

    explicit CTKImageEditorPreview(QWidget* parent = nullptr);

    void Attach(CTKButtonEditorDlg* dialog);
    void OnPaint();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CTKButtonEditorDlg* m_dialog = nullptr;
    int m_width = 16;
    int m_height = 16;
};
