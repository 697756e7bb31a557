#pragma once
// Makes the programs of the languages this library does not build itself
// and converts IL text into ladder networks. The ladder library registers
// its factory with the application; the POU document asks it.

#include "platform/WinTypes.h"

#include <memory>
#include <string>
#include <vector>

class CPOUProgram;
class CZULAppData;
class IPOUEditorHost;

class IPOUProgramFactory {
public:
    virtual ~IPOUProgramFactory() = default;
    // An empty program of the language; null when the factory has none.
    virtual std::unique_ptr<CPOUProgram> CreateProgram(int language, CZULAppData& app, IPOUEditorHost* host) = 0;
    // A ladder program built from IL lines; null when they cannot be parsed
    // or built (the converter reports the lines it cannot convert).
    virtual std::unique_ptr<CPOUProgram> ConvertILLines(const std::vector<std::string>& lines, CZULAppData& app,
                                                       IPOUEditorHost* host) = 0;
    // Converts pasted IL text into the application's LD clipboard; FALSE when it cannot be parsed.
    virtual BOOL ConvertILToNetworks(const std::string& text, const int* perNetwork, CZULAppData& app) = 0;
};
