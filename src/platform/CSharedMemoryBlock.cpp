#include "CSharedMemoryBlock.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string ShmName(const std::string& name)
{
    return "/" + name;
}

} // namespace

CSharedMemoryBlock::~CSharedMemoryBlock()
{
    Close();
}

BOOL CSharedMemoryBlock::Map(int fd)
{
    struct stat st;
    if (::fstat(fd, &st) != 0 || st.st_size <= 0) {
        ::close(fd);
        return FALSE;
    }
    void* p = ::mmap(nullptr, static_cast<size_t>(st.st_size), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    ::close(fd);
    if (p == MAP_FAILED)
        return FALSE;
    m_data = static_cast<BYTE*>(p);
    m_size = static_cast<size_t>(st.st_size);
    return TRUE;
}

BOOL CSharedMemoryBlock::Open(const std::string& name)
{
    Close();
    const int fd = ::shm_open(ShmName(name).c_str(), O_RDWR, 0600);
    if (fd < 0)
        return FALSE;
    m_name = name;
    return Map(fd);
}

BOOL CSharedMemoryBlock::Create(const std::string& name, size_t size)
{
    Close();
    int fd = ::shm_open(ShmName(name).c_str(), O_RDWR | O_CREAT | O_EXCL, 0600);
    if (fd >= 0) {
        if (::ftruncate(fd, static_cast<off_t>(size)) != 0) {
            ::close(fd);
            ::shm_unlink(ShmName(name).c_str());
            return FALSE;
        }
        m_creator = true;
    } else {
        fd = ::shm_open(ShmName(name).c_str(), O_RDWR, 0600);
        if (fd < 0)
            return FALSE;
    }
    m_name = name;
    if (Map(fd))
        return TRUE;
    if (m_creator)
        ::shm_unlink(ShmName(name).c_str());
    m_creator = false;
    return FALSE;
}

void CSharedMemoryBlock::Close()
{
    if (m_data)
        ::munmap(m_data, m_size);
    if (m_creator)
        ::shm_unlink(ShmName(m_name).c_str());
    m_data = nullptr;
    m_size = 0;
    m_creator = false;
    m_name.clear();
}
