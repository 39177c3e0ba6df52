#include "Codec.h"

#include <cerrno>
#include <iconv.h>

namespace tarvo {
namespace {

// Length of the UTF-8 sequence that starts with byte c (1 for a stray byte).
std::size_t Utf8SequenceLength(unsigned char c) {
    if (c >= 0xF0) return 4;
    if (c >= 0xE0) return 3;
    if (c >= 0xC0) return 2;
    return 1;
}

// Converts with iconv; an input sequence the target cannot hold is replaced by '?' and skipped.
std::string Convert(const char* to, const char* from, std::string_view in, bool utf8Input) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(in);
    std::string out;
    out.reserve(in.size() * 2 + 4);
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    char buffer[256];
    while (srcLeft > 0) {
        char* dst = buffer;
        std::size_t dstLeft = sizeof buffer;
        std::size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(buffer, static_cast<std::size_t>(dst - buffer));
        if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) {
            std::size_t skip = utf8Input ? Utf8SequenceLength(static_cast<unsigned char>(*src)) : 1;
            if (skip > srcLeft) skip = srcLeft;
            src += skip;
            srcLeft -= skip;
            out.push_back('?');
        }
    }
    iconv_close(cd);
    return out;
}

} // namespace

std::string Cp1251ToUtf8(std::string_view bytes) {
    return Convert("UTF-8", "WINDOWS-1251", bytes, false);
}

std::string Utf8ToCp1251(std::string_view text) {
    return Convert("WINDOWS-1251", "UTF-8", text, true);
}

} // namespace tarvo
