#pragma once
// The help lookup that every F1 and Help button uses: the topic's context
// from the help table (context 1 when the table has no such topic), shown
// by the help service of the user interface.

#include <string>

void OpenHelpTopic(const std::string& topic);
