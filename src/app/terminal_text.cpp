// SPDX-License-Identifier: MIT
#include "app/terminal_text.h"

#include "record/utf8.h"

#include <cstdio>

namespace sorvane {
namespace {

bool isBidiControl(char32_t c) {
    return c == 0x061C || c == 0x200E || c == 0x200F || (c >= 0x202A && c <= 0x202E) ||
           (c >= 0x2066 && c <= 0x2069);
}

/// The length of the character at `at` when it may be printed as it is; 0 when not.
std::size_t printableLength(std::string_view text, std::size_t at) {
    const std::size_t length = Utf8::sequenceLength(text, at);
    if (length == 0)
        return 0;
    const char32_t c = Utf8::codePoint(text, at, length);
    const bool control = c < 0x20 || (c >= 0x7F && c <= 0x9F) || isBidiControl(c);
    return control ? 0 : length;
}

/// Appends the escaped form of the character or stray byte at `at`; gives its length.
std::size_t appendEscaped(std::string& out, std::string_view text, std::size_t at) {
    const std::size_t length = Utf8::sequenceLength(text, at);
    char escaped[12];
    if (length > 1) {
        std::snprintf(escaped, sizeof escaped, "\\u%04X",
                      static_cast<unsigned>(Utf8::codePoint(text, at, length)));
        out += escaped;
        return length;
    }
    const auto c = static_cast<unsigned char>(text[at]);
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
        if (length == 1 && c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else {
            std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
            out += escaped;
        }
    }
    return 1;
}

bool needsQuoting(std::string_view name) {
    for (std::size_t i = 0; i < name.size();) {
        const auto length = printableLength(name, i);
        if (length == 0)
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
        const auto length = printableLength(name, i);
        if (length > 1) {
            out.append(name.substr(i, length));
            i += length;
        } else {
            i += appendEscaped(out, name, i);
        }
    }
    return out + "'";
}

std::string TerminalText::line(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        if (const auto length = printableLength(text, i)) {
            out.append(text.substr(i, length));
            i += length;
            continue;
        }
        out += "$'";
        while (i < text.size() && printableLength(text, i) == 0)
            i += appendEscaped(out, text, i);
        out += "'";
    }
    return out;
}

} // namespace sorvane
