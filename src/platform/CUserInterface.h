#pragma once
// Where Qt-free code finds the user: the message box, the output service,
// the status line, the poster to the user-interface thread and the help. The workbench
// installs its windows here at start-up, tests install scripted doubles;
// until then a headless stand-in writes to stderr and answers Cancel/No.

#include "IHelpService.h"
#include "IMessageBox.h"
#include "IOutputSink.h"
#include "IStatusLine.h"
#include "IUiPoster.h"

class CUserInterface {
public:
    static IMessageBox& MessageBox();
    static IOutputSink& Output();
    static IStatusLine& StatusLine();
    static IUiPoster& Poster();
    static IHelpService& Help();

    // Installs an implementation; nullptr puts the headless stand-in back.
    static void SetMessageBox(IMessageBox* box);
    static void SetOutput(IOutputSink* sink);
    static void SetStatusLine(IStatusLine* line);
    static void SetPoster(IUiPoster* poster);
    static void SetHelp(IHelpService* help);
};

// Shorthand for the message boxes the system shows: caption, text, flags.
int ShowMessage(const std::string& caption, const std::string& text, UINT type);
