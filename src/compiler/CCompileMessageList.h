#pragma once
// The message list of a compilation: the ".COI" file in the project folder
// that receives every compile message. The compiler driver opens it at the
// start of a compilation and closes it at the end; messages written while it
// is closed reach the output window only. Lines are buffered while the list
// is open; Close writes what is left.

#include "platform/WinTypes.h"

#include <cstdio>
#include <string>

class CCompileMessageList {
public:
    // Opens the file for appending (created when missing); a list already
    // open is closed first.
    static BOOL Open(const std::string& path);
    static void Close();
    static BOOL IsOpen();
    // Appends the line and a line end.
    static BOOL Append(const std::string& line);

private:
    static std::FILE* s_file;
};
