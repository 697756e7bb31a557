#pragma once
// The help of an online dialog: its Help button and F1 (caught before the
// dialog's controls see the key) open the dialog's help topic.

#include <string>

class QDialog;
class QPushButton;

class COnlineHelp {
public:
    // Makes the Help button (object name buttonId) and the F1 key of the
    // dialog; the caller places the button.
    static QPushButton* Attach(QDialog* dialog, const char* buttonId, const std::string& topic);
};
