#pragma once
// The object file of a compilation: the ".EPL" file in the project folder
// that receives the POU blocks, MAIN first. The compiler driver creates and
// opens it at the start of a compilation and closes it before it checks the
// total size; the code pass appends each block header and the statement
// checker appends the object code of every instruction. Bytes appended while
// it is closed are dropped. A write that fails is remembered until the next
// Open, so that the driver does not take a short file for a good one. The
// bytes are buffered while the file is open; Close writes what is left.

#include "platform/WinTypes.h"

#include <cstdio>
#include <string>

class CObjectFile {
public:
    // Opens the file for reading and writing in raw byte mode; a file already
    // open is closed first. FALSE when the file does not exist.
    static BOOL Open(const std::string& path);
    static void Close();
    static BOOL IsOpen();
    // Appends the bytes at the end of the file.
    static BOOL Append(const BYTE* bytes, int count);
    // TRUE when an append or the closing of the file opened last failed.
    static BOOL WriteFailed();

private:
    static std::FILE* s_file;
    static BOOL s_writeFailed;
};
