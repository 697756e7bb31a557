// The floor of the workbench's start-up: a Qt program that shows a bare
// QMainWindow, lets the event loop run once and exits, as the workbench
// does with --quit-after-start.

#include <QApplication>
#include <QMainWindow>
#include <QTimer>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.show();
    QTimer::singleShot(0, &window, &QMainWindow::close);
    return app.exec();
}
