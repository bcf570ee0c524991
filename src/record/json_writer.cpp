// SPDX-License-Identifier: MIT
#include "record/json_writer.h"

namespace sorvane {

void JsonWriter::beginArray() {
    open('[', ']');
}

void JsonWriter::endArray() {
    close();
}

void JsonWriter::beginObject() {
    open('{', '}');
}

void JsonWriter::endObject() {
    close();
}

void JsonWriter::key(std::string_view name) {
    beforeValue();
    quoted(name);
    m_text += " : ";
    m_afterKey = true;
}

void JsonWriter::string(std::string_view utf8) {
    beforeValue();
    quoted(utf8);
}

void JsonWriter::integer(std::int64_t value) {
    beforeValue();
    m_text += std::to_string(value);
}

void JsonWriter::boolean(bool value) {
    beforeValue();
    m_text += value ? "true" : "false";
}

void JsonWriter::beforeValue() {
    if (m_afterKey) {
        m_afterKey = false;
        return;
    }
    if (m_levels.empty()) {
        return;
    }
    Level& level = m_levels.back();
    if (!level.empty) {
        m_text += ',';
    }
    level.empty = false;
    newLine(m_levels.size());
}

void JsonWriter::open(char opener, char closer) {
    beforeValue();
    m_text += opener;
    m_levels.push_back({closer, true});
}

void JsonWriter::close() {
    const Level level = m_levels.back();
    m_levels.pop_back();
    if (!level.empty) {
        newLine(m_levels.size());
    }
    m_text += level.closer;
}

void JsonWriter::newLine(std::size_t depth) {
    m_text += '\n';
    m_text.append(2 * depth, ' ');
}

void JsonWriter::quoted(std::string_view utf8) {
    m_text += '"';
    // Runs of characters that need no escape, nearly all of a path, go in whole.
    std::size_t plainFrom = 0;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const char c = utf8[i];
        if (static_cast<unsigned char>(c) >= 0x20 && c != '"' && c != '\\' && c != '/')
            continue;
        m_text.append(utf8.substr(plainFrom, i - plainFrom));
        escape(c);
        plainFrom = i + 1;
    }
    m_text.append(utf8.substr(plainFrom));
    m_text += '"';
}

void JsonWriter::escape(char c) {
    static constexpr char hexDigits[] = "0123456789abcdef";
    switch (c) {
    case '"':
        m_text += "\\\"";
        break;
    case '\\':
        m_text += "\\\\";
        break;
    case '/':
        m_text += "\\/";
        break;
    case '\b':
        m_text += "\\b";
        break;
    case '\f':
        m_text += "\\f";
        break;
    case '\n':
        m_text += "\\n";
        break;
    case '\r':
        m_text += "\\r";
        break;
    case '\t':
        m_text += "\\t";
        break;
    default:
        m_text += "\\u00";
        m_text += hexDigits[(c >> 4) & 0x0F];
        m_text += hexDigits[c & 0x0F];
    }
}

} // namespace sorvane
