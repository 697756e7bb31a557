#include "CQtUserInterface.h"

#include "platform/CUserInterface.h"

CQtUserInterface::CQtUserInterface()
{
    CUserInterface::SetMessageBox(&m_box);
    CUserInterface::SetPoster(&m_poster);
    CUserInterface::SetStatusLine(&m_status);
    CUserInterface::SetHelp(&m_help);
}

CQtUserInterface::~CQtUserInterface()
{
    CUserInterface::SetMessageBox(nullptr);
    CUserInterface::SetPoster(nullptr);
    CUserInterface::SetStatusLine(nullptr);
    CUserInterface::SetHelp(nullptr);
}
