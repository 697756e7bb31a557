#pragma once
// The password edit of the online dialogs: it shows bullets, offers no copy,
// drag or context menu, and gives its text only once after it has been armed,
// so that nothing else can read the password out of the window.

#include <QLineEdit>

#include <string>

class CSecureEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CSecureEdit(QWidget* parent = nullptr);

    // The next TakeText gives the text.
    void Arm() { m_armed = true; }
    // The text (GBK) when armed, else ""; disarms.
    std::string TakeText();

private:
    bool m_armed = false;
};
