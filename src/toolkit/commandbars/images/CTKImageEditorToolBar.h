#pragma once
// A small strip of flat tool buttons of the button editor: one button per
// command id, each with its image from the strip's image list, in rows that
// break after the buttons marked to wrap. The buttons take their enabled
// and checked state from the command's update handler and send the command
// when clicked.

#include "platform/CImageList.h"
#include "platform/WinTypes.h"

#include <QWidget>

#include <functional>
#include <vector>

class QGridLayout;
class QToolButton;

class CTKImageEditorToolBar : public QWidget {
    Q_OBJECT
public:
    static constexpr int kButtonSize = 23;

    // The state of a command: enabled, checked.
    using UpdateHandler = std::function<void(UINT id, BOOL* enabled, BOOL* checked)>;
    using TextHandler = std::function<std::string(UINT id)>;

    explicit CTKImageEditorToolBar(QWidget* parent = nullptr);
    ~CTKImageEditorToolBar() override;

    // Adds the buttons in order; a button whose position (from 1) is a
    // multiple of wrapEvery ends its row (0: one row).
    void SetButtons(const UINT* ids, int count, int wrapEvery);
    // The images of the buttons in order.
    void SetImageList(const CImageList& images);
    void SetToolTipHandler(const TextHandler& handler);
    int GetButtonCount() const { return static_cast<int>(m_buttons.size()); }
    QToolButton* GetButton(UINT id) const;
    // Updates every button from the handler.
    void OnUpdateCmdUI(const UpdateHandler& handler);

signals:
    void Command(UINT id);

private:
    struct Button {
        UINT id = 0;
        QToolButton* widget = nullptr;
    };

    QGridLayout* m_layout;
    std::vector<Button> m_buttons;
};
