#pragma once
// The copy block that running instances of the program share, so that
// ladder content copied in one instance can be pasted in another. The block
// lives in the named shared memory "MMFTest"; the first instance that copies
// creates it and keeps it until it exits.
//
// Layout (little-endian 32-bit fields): total size, tick of the write, busy
// flag, reader count, two values of the writer, the writer's profile
// sub-type and CPU family bit, kind, extra value, value count N, the N
// values, the text (total size - 60 - 4 N bytes) and 100 zero bytes.

#include "platform/CSharedMemoryBlock.h"
#include "platform/WinTypes.h"

#include <string>

constexpr const char* SHARED_COPY_BLOCK_NAME = "MMFTest";
constexpr DWORD SHARED_COPY_HEADER_BYTES = 60;
constexpr DWORD SHARED_COPY_TERMINATOR_BYTES = 100;
// Room the creator adds to its first block.
constexpr DWORD SHARED_COPY_SPARE_BYTES = 512000;
// A busy flag or reader count older than this is left over from an instance that died.
constexpr DWORD SHARED_COPY_STALE_MS = 30000;

// Byte offsets of the header fields.
constexpr DWORD SCB_TOTAL_SIZE = 0;
constexpr DWORD SCB_TICK = 4;
constexpr DWORD SCB_BUSY = 8;
constexpr DWORD SCB_READERS = 12;
constexpr DWORD SCB_VALUE_A = 16;
constexpr DWORD SCB_VALUE_B = 24;
constexpr DWORD SCB_SUB_TYPE = 32;
constexpr DWORD SCB_FAMILY = 40;
constexpr DWORD SCB_KIND = 48;
constexpr DWORD SCB_EXTRA = 52;
constexpr DWORD SCB_COUNT = 56;

// What one paste reads.
struct SharedCopyContent {
    int kind = 0;
    int extra = 0;
    int count = 0;
    std::string text;
};

class CSharedCopyBlock {
public:
    explicit CSharedCopyBlock(const std::string& name = SHARED_COPY_BLOCK_NAME);
    CSharedCopyBlock(const CSharedCopyBlock&) = delete;
    CSharedCopyBlock& operator=(const CSharedCopyBlock&) = delete;

    // Writes the block. FALSE when the block cannot be opened or created,
    // when another instance is using it (after the busy message), or when
    // the content does not fit the block that the first copy sized.
    BOOL Copy(const std::string& text, int kind, int count, const int* values, int extra,
              BYTE subType, DWORD familyBit);
    // Reads the block: kind, extra, count and the values (at most capacity
    // of them; a block with more is refused), and unless valuesOnly the text.
    // FALSE without a message when there is no block or it is unreadable;
    // FALSE after the busy message while another instance writes it.
    BOOL Paste(SharedCopyContent& content, int* values, int capacity, BOOL valuesOnly);

    const std::string& Name() const { return m_name; }

private:
    CSharedMemoryBlock* OpenBlock(CSharedMemoryBlock& opened);
    BOOL WriteBlock(CSharedMemoryBlock& shared, const std::string& text, int kind, int count, const int* values,
                    int extra, BYTE subType, DWORD familyBit);

    std::string m_name;
    // The block this instance created; kept so it outlives each copy and paste.
    CSharedMemoryBlock m_created;
};
