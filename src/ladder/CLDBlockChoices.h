#pragma once
// What the Select Function/FB/SBR dialog offers: the functions and FB
// types of the instruction catalogue that the project's CPU family has,
// and the project's subroutines.

#include <string>
#include <vector>

class CZULAppData;

class CLDBlockChoices {
public:
    // Visible function-box and FB rows whose CPU mask has the family's bit, in catalogue order.
    static std::vector<std::string> FunctionsAndFBs(const CZULAppData& app);
    // The names of the project's subroutines, in the order of their map by name.
    static std::vector<std::string> Subroutines(const CZULAppData& app);
    // Whether the name is an FB type of the catalogue (an instance name goes with it).
    static bool IsFBType(const CZULAppData& app, const std::string& name);
};
