#pragma once
// The ladder editor's dialogs as the window layer shows them: the block
// chooser of the Block command and the Contact/Coil, Function/FB Parameters
// and Comment dialogs that opening an element shows, each modal over the
// parent window.

#include "ladder/ILDDialogs.h"

class CZULAppData;
class QWidget;

class CLDDialogs : public ILDDialogs {
public:
    CLDDialogs(CZULAppData& app, QWidget* parent);

    BOOL SelectBlock(int* choice, std::string* name, std::string* instance) override;
    BOOL EditContactCoil(CLDProgram& program, CLDElement& element, BOOL coil, std::string* type) override;
    BOOL EditBlockParameters(const std::string& pouName, CLDProgram& program, CBlock& block) override;
    BOOL EditComment(std::string* text, BOOL* modified) override;

private:
    CZULAppData& m_app;
    QWidget* m_parent;
};
