#pragma once
// The workbench's main window while the shell is being built: it opens,
// carries the program's title and closes cleanly.

#include <QMainWindow>

class CWorkbenchWindow : public QMainWindow {
public:
    CWorkbenchWindow();
};
