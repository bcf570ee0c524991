#include "app/terminal_text.h"

#include <cstdio>

namespace sorvane {
namespace {

// The length of the valid UTF-8 sequence at `at`, or 0.
std::size_t utf8Length(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) {
        return static_cast<unsigned char>(text[i]);
    };
    const unsigned char lead = byte(at);
    std::size_t length = lead < 0x80                    ? 1
                         : lead >= 0xC2 && lead <= 0xDF ? 2
                         : lead >= 0xE0 && lead <= 0xEF ? 3
                         : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                        : 0;
    if (length == 0 || at + length > text.size())
        return 0;
    for (std::size_t i = 1; i < length; ++i)
        if ((byte(at + i) & 0xC0) != 0x80)
            return 0;
    // Overlong forms and surrogates.
    if ((lead == 0xE0 && byte(at + 1) < 0xA0) || (lead == 0xED && byte(at + 1) > 0x9F) ||
        (lead == 0xF0 && byte(at + 1) < 0x90) || (lead == 0xF4 && byte(at + 1) > 0x8F))
        return 0;
    return length;
}

bool isControl(unsigned char c) {
    return c < 0x20 || c == 0x7F;
}

bool needsQuoting(std::string_view name) {
    for (std::size_t i = 0; i < name.size();) {
        const auto length = utf8Length(name, i);
        if (length == 0 || isControl(static_cast<unsigned char>(name[i])))
            return true;
        i += length;
    }
    return false;
}

} // namespace

std::string TerminalText::quoted(std::string_view name) {
    if (!needsQuoting(name))
        return std::string(name);
    std::string out = "$'";
    for (std::size_t i = 0; i < name.size();) {
        const auto c = static_cast<unsigned char>(name[i]);
        const auto length = utf8Length(name, i);
        if (length > 1) {
            out.append(name.substr(i, length));
            i += length;
            continue;
        }
        ++i;
        switch (c) {
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        case 0x1B:
            out += "\\e";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\'':
            out += "\\'";
            break;
        default:
            if (length == 1 && !isControl(c)) {
                out += static_cast<char>(c);
            } else {
                char escaped[5];
                std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
                out += escaped;
            }
        }
    }
    return out + "'";
}

} // namespace sorvane
