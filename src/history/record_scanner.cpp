// SPDX-License-Identifier: MIT
#include "history/record_scanner.h"

namespace sorvane {

namespace {

constexpr std::size_t none = std::string_view::npos;

bool isSpace(char c) {
    return c == ' ' || c == '\n' || c == '\t' || c == '\r';
}

std::size_t skipSpace(std::string_view text, std::size_t at) {
    while (at < text.size() && isSpace(text[at]))
        ++at;
    return at;
}

/// Just past the string that starts at `at`.
std::size_t stringEnd(std::string_view text, std::size_t at) {
    for (++at; at < text.size(); ++at) {
        if (text[at] == '\\')
            ++at;
        else if (text[at] == '"')
            return at + 1;
    }
    return none;
}

/// Just past the element that starts at `at`.
std::size_t elementEnd(std::string_view text, std::size_t at) {
    std::size_t depth = 0;
    while (at < text.size()) {
        const char c = text[at];
        if (c == '"') {
            at = stringEnd(text, at);
            if (at == none || depth == 0)
                return at;
            continue;
        }
        if (c == '{' || c == '[') {
            ++depth;
        } else if (c == '}' || c == ']') {
            if (depth == 0)
                return at;
            if (--depth == 0)
                return at + 1;
        } else if (depth == 0 && (c == ',' || isSpace(c))) {
            return at;
        }
        ++at;
    }
    return none;
}

} // namespace

std::optional<std::vector<RecordScanner::Span>> RecordScanner::elements(std::string_view text) {
    std::size_t at = skipSpace(text, 0);
    if (at == text.size() || text[at] != '[')
        return std::nullopt;
    std::vector<Span> spans;
    at = skipSpace(text, at + 1);
    bool closed = at < text.size() && text[at] == ']';
    while (!closed) {
        const std::size_t end = elementEnd(text, at);
        if (end == none || end == at)
            return std::nullopt;
        spans.push_back({at, end - at});
        at = skipSpace(text, end);
        if (at == text.size())
            return std::nullopt;
        if (text[at] == ']')
            closed = true;
        else if (text[at] == ',')
            at = skipSpace(text, at + 1);
        else
            return std::nullopt;
    }
    if (skipSpace(text, at + 1) != text.size())
        return std::nullopt;
    return spans;
}

} // namespace sorvane
