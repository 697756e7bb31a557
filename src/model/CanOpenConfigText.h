#pragma once
// The CANopen master configuration as text lines of "[[" key value "]]"
// tokens: the master settings, then lines A and B of each slave in use and
// each of its PDOs followed by that PDO's mapped rows. The project keeps the
// text in blob 0 of the project file.

#include <string>

class CZULProject;

// One PDO line or entry line after its PDOType token.
struct CCanOpenPdoLine {
    int pdoNum = 0;
    int odNum = 0;
    std::string odName;
    std::string mem;
    int index = 0;
    int sub = -1;
    int size = 0;
    int commType = 0;
    int eventTime = 0;
    int forbiddenTime = 0;
    int cobId = 0;
};

constexpr int CANOPEN_PDO_LINE_INVALID = 0;
constexpr int CANOPEN_PDO_LINE_ENTRY = 1;
constexpr int CANOPEN_PDO_LINE_PDO = 2;

// Brings the master settings into their ranges (written back into the
// project) and returns the whole text, each line ended by a line feed.
std::string BuildCanOpenConfigText(CZULProject& project);

// Applies one line (without its line end) to the project; lines that do
// not follow the forms change nothing.
void ParseCanOpenLine(CZULProject& project, const std::string& line);

// Reads the rest of a line after its PDOType token: CANOPEN_PDO_LINE_ENTRY,
// CANOPEN_PDO_LINE_PDO, or CANOPEN_PDO_LINE_INVALID when a token is missing,
// empty or out of range.
int ParseCanOpenPdoLine(const std::string& rest, CCanOpenPdoLine& out);
