#include "CSharedCopyBlock.h"

#include "platform/CUserInterface.h"
#include "platform/Tick.h"

#include <atomic>
#include <cstdint>
#include <cstring>

namespace {

const char* const BUSY_MESSAGE = "\xD3\xD0\xC6\xE4\xCB\xFB\xBD\xF8\xB3\xCC\xD5\xFD\xD4\xDA\xCA\xB9\xD3\xC3\xB8\xB4\xD6\xC6\xD5\xB3\xCC\xF9\xB5\xC4\xB4\xE6\xB4\xA2\xC7\xF8\xA3\xAC\xC7\xEB\xC9\xD4\xB5\xC8\xC6\xAC\xBF\xCC\xBA\xF3\xD6\xD8\xCA\xD4\xA3\xA1";

DWORD ReadField(const BYTE* block, DWORD offset)
{
    const BYTE* p = block + offset;
    return DWORD(p[0]) | DWORD(p[1]) << 8 | DWORD(p[2]) << 16 | DWORD(p[3]) << 24;
}

void WriteField(BYTE* block, DWORD offset, DWORD value)
{
    BYTE* p = block + offset;
    p[0] = BYTE(value);
    p[1] = BYTE(value >> 8);
    p[2] = BYTE(value >> 16);
    p[3] = BYTE(value >> 24);
}

// The busy flag and the reader count are changed by several processes.
std::atomic_ref<std::uint32_t> Counter(BYTE* block, DWORD offset)
{
    return std::atomic_ref<std::uint32_t>(*reinterpret_cast<std::uint32_t*>(block + offset));
}

bool IsStale(const BYTE* block)
{
    return GetTickCount() - ReadField(block, SCB_TICK) > SHARED_COPY_STALE_MS;
}

void BreakStaleLock(BYTE* block)
{
    Counter(block, SCB_READERS).store(0);
    Counter(block, SCB_BUSY).store(0);
}

// A writer may have reset the count of a reader it took for dead; the
// count never goes below zero.
void ReleaseReader(BYTE* block)
{
    std::atomic_ref<std::uint32_t> readers = Counter(block, SCB_READERS);
    std::uint32_t current = readers.load();
    while (current > 0 && !readers.compare_exchange_weak(current, current - 1)) {
    }
}

void ShowBusyMessage()
{
    ShowMessage("", BUSY_MESSAGE, MB_YESNO | MB_ICONQUESTION);
}

// Takes the busy flag when nobody writes or reads the block.
bool TryTakeForWriting(BYTE* block)
{
    std::uint32_t expected = 0;
    if (!Counter(block, SCB_BUSY).compare_exchange_strong(expected, 1))
        return false;
    if (Counter(block, SCB_READERS).load() == 0)
        return true;
    Counter(block, SCB_BUSY).store(0);
    return false;
}

} // namespace

CSharedCopyBlock::CSharedCopyBlock(const std::string& name)
    : m_name(name)
{
}

CSharedMemoryBlock* CSharedCopyBlock::OpenBlock(CSharedMemoryBlock& opened)
{
    if (m_created.IsOpen())
        return &m_created;
    if (opened.Open(m_name) && opened.Size() >= SHARED_COPY_HEADER_BYTES + SHARED_COPY_TERMINATOR_BYTES)
        return &opened;
    return nullptr;
}

BOOL CSharedCopyBlock::Copy(const std::string& text, int kind, int count, const int* values, int extra,
                            BYTE subType, DWORD familyBit)
{
    if (count < 0 || (count > 0 && !values))
        return FALSE;
    const size_t content = SHARED_COPY_HEADER_BYTES + 4 * size_t(count) + text.size();
    CSharedMemoryBlock opened;
    CSharedMemoryBlock* shared = OpenBlock(opened);
    if (!shared && m_created.Create(m_name, content + SHARED_COPY_SPARE_BYTES))
        shared = &m_created;
    if (!shared)
        return FALSE;
    const BOOL written = WriteBlock(*shared, text, kind, count, values, extra, subType, familyBit);
    // Only the creating instance keeps the block; another one that raced
    // it to the creation lets go, so it never holds a block that is gone.
    if (!m_created.IsCreator())
        m_created.Close();
    return written;
}

BOOL CSharedCopyBlock::WriteBlock(CSharedMemoryBlock& shared, const std::string& text, int kind, int count,
                                  const int* values, int extra, BYTE subType, DWORD familyBit)
{
    const size_t content = SHARED_COPY_HEADER_BYTES + 4 * size_t(count) + text.size();
    if (shared.Size() < SHARED_COPY_HEADER_BYTES || content + SHARED_COPY_TERMINATOR_BYTES > shared.Size())
        return FALSE;
    BYTE* block = shared.Data();
    if (!TryTakeForWriting(block)) {
        if (!IsStale(block)) {
            ShowBusyMessage();
            return FALSE;
        }
        BreakStaleLock(block);
        if (!TryTakeForWriting(block)) {
            ShowBusyMessage();
            return FALSE;
        }
    }
    WriteField(block, SCB_TICK, GetTickCount());
    WriteField(block, SCB_TOTAL_SIZE, DWORD(content));
    WriteField(block, SCB_VALUE_A, 1);
    WriteField(block, SCB_VALUE_B, 1);
    WriteField(block, SCB_SUB_TYPE, subType);
    WriteField(block, SCB_FAMILY, familyBit);
    WriteField(block, SCB_KIND, DWORD(kind));
    WriteField(block, SCB_EXTRA, DWORD(extra));
    WriteField(block, SCB_COUNT, DWORD(count));
    for (int i = 0; i < count; ++i)
        WriteField(block, SHARED_COPY_HEADER_BYTES + 4 * DWORD(i), DWORD(values[i]));
    const size_t textAt = SHARED_COPY_HEADER_BYTES + 4 * size_t(count);
    if (!text.empty())
        std::memcpy(block + textAt, text.data(), text.size());
    std::memset(block + content, 0, SHARED_COPY_TERMINATOR_BYTES);
    Counter(block, SCB_BUSY).store(0);
    return TRUE;
}

BOOL CSharedCopyBlock::Paste(SharedCopyContent& content, int* values, int capacity, BOOL valuesOnly)
{
    CSharedMemoryBlock opened;
    CSharedMemoryBlock* shared = OpenBlock(opened);
    if (!shared)
        return FALSE;
    BYTE* block = shared->Data();
    // The reader registers before it looks at the busy flag, and a writer
    // takes the flag before it looks at the readers: whichever comes second
    // sees the other and backs off, so no paste reads a half-written block.
    Counter(block, SCB_READERS).fetch_add(1);
    if (Counter(block, SCB_BUSY).load() != 0) {
        if (!IsStale(block)) {
            ReleaseReader(block);
            ShowBusyMessage();
            return FALSE;
        }
        BreakStaleLock(block);
        Counter(block, SCB_READERS).fetch_add(1);
    }

    const DWORD total = ReadField(block, SCB_TOTAL_SIZE);
    const DWORD count = ReadField(block, SCB_COUNT);
    const bool sane = total >= SHARED_COPY_HEADER_BYTES && total <= shared->Size() - SHARED_COPY_TERMINATOR_BYTES
                      && count <= (total - SHARED_COPY_HEADER_BYTES) / 4;
    const bool fits = sane && count <= DWORD(capacity < 0 ? 0 : capacity) && (count == 0 || values);
    if (fits) {
        content.kind = int(ReadField(block, SCB_KIND));
        content.extra = int(ReadField(block, SCB_EXTRA));
        content.count = int(count);
        for (DWORD i = 0; i < count; ++i)
            values[i] = int(ReadField(block, SHARED_COPY_HEADER_BYTES + 4 * i));
        const DWORD textAt = SHARED_COPY_HEADER_BYTES + 4 * count;
        if (!valuesOnly)
            content.text.assign(reinterpret_cast<const char*>(block + textAt), total - textAt);
    }
    ReleaseReader(block);
    return fits ? TRUE : FALSE;
}
