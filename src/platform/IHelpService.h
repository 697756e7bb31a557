#pragma once
// How Qt-free code opens help: every F1 and Help button names its topic,
// which the help table turns into a context number; the service shows the
// help page of that context.

#include <string>

class IHelpService {
public:
    virtual ~IHelpService() = default;
    // Shows the page of the context; topic is the name it was looked up by.
    virtual void ShowHelp(const std::string& topic, int context) = 0;
};
