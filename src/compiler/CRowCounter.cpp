#include "CRowCounter.h"

#include "platform/ByteString.h"

void CRowCounter::Count(const std::string& line)
{
    const std::string upper = ByteString::Upper(ByteString::Trim(line));
    m_wrapped = false;
    if (m_rowPending) {
        m_countsAsRow = true;
        m_rowPending = false;
    }
    const bool readLine = ByteString::StartsWith(upper, "PTR_R ");
    if (readLine) {
        ++m_depth;
        m_inPtr = true;
        m_countsAsRow = false;
    } else if (ByteString::StartsWith(upper, "PTR_W ")) {
        --m_depth;
        m_inPtr = false;
        if (m_depth == 0)
            m_rowPending = true;
    } else if (m_inPtr) {
        m_inPtr = false;
        m_countsAsRow = false;
        m_wrapped = true;
    }
    if ((m_depth == 0 && m_countsAsRow) || (m_depth == 1 && readLine))
        ++m_row;
}
