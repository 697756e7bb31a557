#pragma once
// The slave-type file: one imported CANopen slave type per text file, named
// after the type. A category line, a name line and one line per
// object-dictionary entry:
//   {SlaveKindOfCANOPENIO,},
//   {SlaveNamePRL120,SlaveType401,},
//   {{1,1,16,0,24576,0,16,1,Input 1,6000SUB1,}},
// The reader takes the lines in any order; a later name or category line
// wins, and a file with one failing line fails as a whole.

#include <cstddef>
#include <string>

class CCanOpenSlaveType;
class CZULAppData;

// Field sizes in bytes, without the terminating zero.
constexpr size_t SLAVE_TYPE_NAME_MAX = 255;
constexpr size_t SLAVE_CATEGORY_MAX = 257;
constexpr size_t OD_ENTRY_NAME_MAX = 254;
constexpr size_t OD_SECTION_KEY_MAX = 52;

// The category of a type whose file names none.
inline constexpr const char* SLAVE_CATEGORY_ROOT = "CANOPENROOT";

// The text cut to at most maxBytes at a character boundary, without the
// blanks that the cut leaves at its end; a text that fits stays as it is.
std::string FitField(const std::string& text, size_t maxBytes);

// A type name that can be the name of its file: not empty, no folder
// separator or control character, no leading dot, and read back unchanged.
bool IsSafeTypeFileName(const std::string& typeName);

// Applies one line to the type; false when the line fails.
bool ParseSlaveLine(const std::string& line, CCanOpenSlaveType& type);
// Applies every line of a file's bytes; false when any line failed.
bool ParseSlaveText(const std::string& text, CCanOpenSlaveType& type);
// Reads one file into the type. A file that cannot be read is reported
// ("... 打开失败, 导致导入失败") and fails.
bool ImportSlaveFile(const std::string& path, CCanOpenSlaveType& type);

// The file text of a type: category line, name line, entry lines, CR LF.
std::string FormatSlaveTypeFile(const CCanOpenSlaveType& type);

// Adds the types of the files of one folder to the library, in listing
// order: sub-folders, failing files and types with an empty name are
// skipped; a type replaces the library's type of the same name.
void LoadSlaveTypeFolder(CZULAppData& appData, const std::string& folder);
// The shipped types first, then the user's imported ones.
void LoadSlaveTypeFolders(CZULAppData& appData, const std::string& shippedFolder, const std::string& userFolder);
// The same from share/orvelbuilder/CanOpen and the user's CanOpen folder.
void LoadSlaveTypeFolders(CZULAppData& appData);
