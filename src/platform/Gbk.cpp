#include "Gbk.h"

#include <cerrno>
#include <iconv.h>

namespace {

// Bytes of the UTF-8 sequence at src that does not convert: its lead byte
// and the continuation bytes that really follow it, so that a stray or cut
// sequence never swallows the character after it.
size_t Utf8SkipLength(const char* src, size_t left)
{
    const unsigned char lead = static_cast<unsigned char>(src[0]);
    size_t length = 1;
    if (lead >= 0xC2 && lead < 0xE0)
        length = 2;
    else if (lead >= 0xE0 && lead < 0xF0)
        length = 3;
    else if (lead >= 0xF0 && lead < 0xF5)
        length = 4;
    size_t n = 1;
    while (n < length && n < left && (static_cast<unsigned char>(src[n]) & 0xC0) == 0x80)
        ++n;
    return n;
}

// One conversion with iconv; an unconvertible input sequence is skipped and
// replaced. Returns false when any replacement was needed.
bool IsPlainAscii(const std::string& text)
{
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

bool Convert(const char* to, const char* from, bool sourceIsUtf8, const std::string& in,
             const std::string& replacement, std::string& out)
{
    // Plain ASCII reads the same in both encodings: most file names and
    // texts need no converter at all.
    if (IsPlainAscii(in)) {
        out = in;
        return true;
    }
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
            skip = Utf8SkipLength(src, srcLeft);
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
