#include "OpenHelpTopic.h"

#include "CZULAppData.h"
#include "HelpTopics.h"
#include "platform/CUserInterface.h"

void OpenHelpTopic(const std::string& topic)
{
    int context = HELP_DEFAULT_CONTEXT;
    CZULAppData::FindHelpContext(topic, context);
    CUserInterface::Help().ShowHelp(topic, context);
}
