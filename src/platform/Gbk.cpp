#include "Gbk.h"

#include <cerrno>
#include <iconv.h>

namespace {

// One conversion with iconv; an unconvertible input sequence is skipped and
// replaced. Returns false when any replacement was needed.
bool Convert(const char* to, const char* from, bool sourceIsUtf8, const std::string& in,
             const std::string& replacement, std::string& out)
{
    out.clear();
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return false;
    bool exact = true;
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    char buffer[1024];
    while (srcLeft > 0) {
        char* dst = buffer;
        size_t dstLeft = sizeof(buffer);
        size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(buffer, static_cast<size_t>(dst - buffer));
        if (rc != static_cast<size_t>(-1))
            continue;
        if (errno == E2BIG)
            continue;
        // EILSEQ or EINVAL: a sequence that does not convert, or a cut one at the end.
        exact = false;
        out += replacement;
        size_t skip = 1;
        if (sourceIsUtf8) {
            // Skip one whole UTF-8 sequence.
            unsigned char c = static_cast<unsigned char>(*src);
            skip = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        } else if (srcLeft >= 2 && IsGbkLeadByte(static_cast<BYTE>(src[0])) && IsGbkTrailByte(static_cast<BYTE>(src[1]))) {
            skip = 2;
        }
        if (skip > srcLeft)
            skip = srcLeft;
        src += skip;
        srcLeft -= skip;
    }
    char* dst = buffer;
    size_t dstLeft = sizeof(buffer);
    iconv(cd, nullptr, nullptr, &dst, &dstLeft);
    out.append(buffer, static_cast<size_t>(dst - buffer));
    iconv_close(cd);
    return exact;
}

} // namespace

int GbkCharLength(const std::string& text, size_t index)
{
    if (index >= text.size())
        return 0;
    if (IsGbkLeadByte(static_cast<BYTE>(text[index])) && index + 1 < text.size()
        && IsGbkTrailByte(static_cast<BYTE>(text[index + 1])))
        return 2;
    return 1;
}

size_t GbkSafeLength(const std::string& text, size_t maxBytes)
{
    size_t i = 0;
    while (i < text.size()) {
        size_t next = i + static_cast<size_t>(GbkCharLength(text, i));
        if (next > maxBytes)
            break;
        i = next;
    }
    return i;
}

BOOL GbkIsTrailAt(const std::string& text, size_t index)
{
    size_t i = 0;
    while (i < text.size() && i < index)
        i += static_cast<size_t>(GbkCharLength(text, i));
    return i > index ? TRUE : FALSE;
}

std::string GbkToUtf8(const std::string& gbk)
{
    std::string out;
    Convert("UTF-8", "CP936", false, gbk, "\xEF\xBF\xBD", out);
    return out;
}

std::string Utf8ToGbk(const std::string& utf8)
{
    std::string out;
    Convert("CP936", "UTF-8", true, utf8, "?", out);
    return out;
}

BOOL Utf8FitsGbk(const std::string& utf8)
{
    std::string out;
    return Convert("CP936", "UTF-8", true, utf8, "?", out) ? TRUE : FALSE;
}
