#pragma once
// The About box: the program's name and version, its picture, Exit and
// Help (the help of context 1).

#include <QDialog>

class CWnd;

constexpr int IDD_ABOUTBOX = 100;
constexpr int IDC_ABOUT_HELP = 1235;

class CAboutBox : public QDialog {
public:
    explicit CAboutBox(CWnd* parent);

    void OnHelp();
};
