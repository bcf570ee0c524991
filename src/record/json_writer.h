// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace sorvane {

/// Writes JSON in the history file's one exact form: two-space indentation, a line break
/// after each opening bracket and between elements, `"key" : value`, "/" escaped as "\/",
/// empty containers as `[]` and `{}`, no line break at the end.
///
/// Keys are written in the order given; callers give them sorted. Strings must be valid
/// UTF-8 (see Utf8), since the writer copies every character that needs no escape as it is.
class JsonWriter {
public:
    /// Makes room for `bytes` of text at once, for a long text of a known rough size.
    void reserve(std::size_t bytes) { m_text.reserve(bytes); }
    void beginArray();
    void endArray();
    void beginObject();
    void endObject();
    void key(std::string_view name);
    void string(std::string_view utf8);
    void integer(std::int64_t value);
    void boolean(bool value);

    /// The text written, which the writer gives up.
    std::string take() { return std::move(m_text); }

private:
    struct Level {
        char closer;
        bool empty;
    };

    void beforeValue();
    void open(char opener, char closer);
    void close();
    void newLine(std::size_t depth);
    void quoted(std::string_view utf8);
    /// Writes the escape of a quote, backslash, slash or control character.
    void escape(char c);

    std::string m_text;
    std::vector<Level> m_levels;
    bool m_afterKey = false;
};

} // namespace sorvane
