#pragma once
// What the message loop does around the windows' own handling, installed
// once as an application event filter: key messages of plain Qt widgets
// inside our windows pass the windows' pre-translation; input, timers and
// posted messages arm the idle pump; a modal dialog or the application
// losing the activation takes the mouse capture away.

#include <QObject>

class CMessagePump : public QObject {
public:
    // Installs the filter on the application (once; needs the QApplication).
    static void Install();
    // Ends the main loop with the exit code, also from inside nested loops:
    // every running loop returns and the main loop ends after them. Without
    // a running main loop it does nothing.
    static void PostQuitMessage(int exitCode);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit CMessagePump(QObject* parent);
    bool PreTranslatePlainWidget(QObject* watched, QEvent* event);
};
