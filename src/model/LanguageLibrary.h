#pragma once
// Services of the language library shared by the compiler, the upload and
// the workbench: folder and file operations, path and file-name pieces, the
// language line of a POU program file, and the reading of an output-window
// line back into the place it names.
//
// Paths are separated by "/" (a "\" of a stored path counts as a separator too).

#include "platform/WinTypes.h"

#include <functional>
#include <string>

// Language line values of a POU program file.
constexpr BYTE POU_LANGUAGE_IL = 1;
constexpr BYTE POU_LANGUAGE_LD = 2;
constexpr BYTE POU_LANGUAGE_UNKNOWN = 255;

// Folders and files. Links are deleted as links, never followed.
BOOL DeleteFilesInTree(const std::string& folder);
BOOL RemoveSubfolders(const std::string& folder);
BOOL DeleteFolderContents(const std::string& folder);
BOOL DeleteMatchingFiles(const std::string& folder, const std::string& pattern, const std::string& namePrefix);
BOOL FileExists(const std::string& path);
BOOL ClearReadOnlyAttribute(const std::string& path);
BOOL CreateCompilerFile(const std::string& path);
BOOL CreateEmptyFile(const std::string& path);

// Paths and names.
std::string GetFileExtension(const std::string& path);
std::string RemoveFileExtension(const std::string& path);
std::string ReplaceFileExtension(const std::string& path, const std::string& extension);
std::string GetFileNameFromPath(const std::string& path);
std::string GetFolderFromPath(const std::string& path);
std::string GetPOUNameFromFileName(const std::string& fileName);
BOOL RedirectToPreparedSource(std::string& path);
BOOL IsDigitString(const std::string& text);
// A number of at most six decimal digits (never overflows); -1 for anything else.
int SmallDecimalNumber(const std::string& digits);

// The first line of a POU program file: 1 IL, 2 LD, 255 anything else.
BYTE ReadPOULanguageLine(const std::string& path);
// The same for the first line of a text already read (line end included or not).
BYTE POULanguageOfText(const std::string& text);
BYTE ReadPOULanguage(const std::string& path);

// A compile message line back to its POU and row or network. The POU must
// pass isPOUName; the overload without it asks the open project.
BOOL ParseMessagePosition(const std::string& line, std::string& pouName, int& number,
                          const std::function<bool(const std::string&)>& isPOUName);
BOOL ParseMessagePosition(const std::string& line, std::string& pouName, int& number);

// The element a find report line of the LD editor names.
struct FindReportElement {
    int kind = 255;          // 0 coil, 1 contact, 2 box or FB, 3 comment
    std::string text;        // operand of a contact or coil, name of an instruction or FB type
    std::string paramText;   // operand of a box parameter, instance name, contact or coil parameter
    int paramNumber = 0;
    int column = 0;
    int row = 0;
};

constexpr int FIND_REPORT_IL = 1;
constexpr int FIND_REPORT_LD = 2;

// A Find/Replace report line back to its place: an IL line gives the POU,
// row and column; an LD line the POU, network and element.
BOOL ParseFindReportLine(const std::string& line, int& programKind, std::string& pouName, int& network, int& row,
                         int& column, int& itemNumber, FindReportElement& element);
