#include "online/Bodies.h"

#include <vector>

#include "core/Codec.h"

namespace tarvo {
namespace {

std::vector<std::string_view> SplitTextLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0, i = 0;
    while (i < text.size()) {
        if (text[i] != '\r' && text[i] != '\n') {
            ++i;
            continue;
        }
        lines.push_back(text.substr(start, i - start));
        if (text[i] == '\r') ++i;
        if (i < text.size() && text[i] == '\n') ++i;
        start = i;
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

} // namespace

std::string RawBody(std::span<const FormField> fields) {
    std::string text;
    for (const FormField& f : fields) {
        if (!text.empty()) text += '&';
        text += f.name + '=' + f.value;
    }
    return Utf8ToCp1251(text);
}

std::string FormEncode(std::string_view bytes) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '*' ||
            c == '-' || c == '.' || c == '_') {
            out += ch;
        } else if (c == ' ') {
            out += '+';
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
    return out;
}

std::string ListedBody(std::span<const FormField> fields) {
    std::string text;
    for (const FormField& f : fields) {
        if (!text.empty()) text += "\n\r";
        text += f.name + '=' + f.value;
    }
    const std::string bytes = Utf8ToCp1251(text);
    std::string body;
    bool first = true;
    for (std::string_view line : SplitTextLines(bytes)) {
        if (!first) body += '&';
        first = false;
        const std::size_t eq = line.find('=');
        if (eq == std::string_view::npos) {
            body += FormEncode(line);
        } else {
            body += FormEncode(line.substr(0, eq)) + '=' + FormEncode(line.substr(eq + 1));
        }
    }
    return body;
}

} // namespace tarvo
