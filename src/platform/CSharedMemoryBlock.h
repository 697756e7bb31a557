#pragma once
// A named block of memory shared by the running instances of the program
// (POSIX shared memory). The instance that creates the block removes its
// name when it closes it, as the block of the first copying instance lives
// only as long as that instance.

#include "WinTypes.h"

#include <string>

class CSharedMemoryBlock {
public:
    CSharedMemoryBlock() = default;
    ~CSharedMemoryBlock();
    CSharedMemoryBlock(const CSharedMemoryBlock&) = delete;
    CSharedMemoryBlock& operator=(const CSharedMemoryBlock&) = delete;

    // Opens and maps an existing block; FALSE when there is none.
    BOOL Open(const std::string& name);
    // Creates (or opens, when another instance made it meanwhile) and maps a block of at least size bytes.
    BOOL Create(const std::string& name, size_t size);
    void Close();

    BOOL IsOpen() const { return m_data != nullptr; }
    BYTE* Data() const { return m_data; }
    size_t Size() const { return m_size; }
    BOOL IsCreator() const { return m_creator; }

private:
    BOOL Map(int fd);

    std::string m_name;
    BYTE* m_data = nullptr;
    size_t m_size = 0;
    bool m_creator = false;
};
