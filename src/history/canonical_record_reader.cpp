// SPDX-License-Identifier: MIT
#include "history/canonical_record_reader.h"

#include "record/iso8601.h"
#include "record/utf8.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <cstring>

namespace sorvane {

namespace {

/// Bytes a string in the written form holds as they are: printable, valid UTF-8 apart,
/// neither a quote, a backslash nor a slash.
constexpr std::array<bool, 256> plainBytes = [] {
    std::array<bool, 256> plain{};
    for (std::size_t c = 0x20; c < 256; ++c)
        plain[c] = c != '"' && c != '\\' && c != '/' && c < 0x80;
    return plain;
}();

/// The length of the run of plain bytes at the start of `text`. Eight bytes at a time while
/// none of them is special, which is most of a history file: several times faster than
/// byte by byte.
std::size_t plainRun(std::string_view text) {
    constexpr std::uint64_t ones = 0x0101010101010101;
    constexpr std::uint64_t highs = 0x8080808080808080;
    // Whether any byte of `word` is below `limit` (at most 0x80), or equal to `byte`.
    const auto anyBelow = [](std::uint64_t word, std::uint64_t limit) {
        return (word - ones * limit) & ~word & highs;
    };
    const auto anyEqual = [&](std::uint64_t word, unsigned char byte) {
        return anyBelow(word ^ (ones * byte), 1);
    };
    std::size_t at = 0;
    for (std::uint64_t word; at + sizeof word <= text.size(); at += sizeof word) {
        std::memcpy(&word, text.data() + at, sizeof word);
        if ((word & highs) || anyBelow(word, 0x20) || anyEqual(word, '"') || anyEqual(word, '\\') ||
            anyEqual(word, '/'))
            break;
    }
    while (at < text.size() && plainBytes[static_cast<unsigned char>(text[at])])
        ++at;
    return at;
}

constexpr std::array<bool, 256> upperHexDigits = [] {
    std::array<bool, 256> digits{};
    for (std::size_t c = 0; c < 256; ++c)
        digits[c] = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
    return digits;
}();

/// "0A1B2C3D-4E5F-…" as the writer gives it: upper-case digits, hyphens in their places.
bool isWrittenUuid(std::string_view text) {
    if (text.size() != 36 || text[8] != '-' || text[13] != '-' || text[18] != '-' ||
        text[23] != '-')
        return false;
    // Group by group, with no test of the position inside the loop: a history holds one
    // identifier per item.
    constexpr std::size_t groups[][2] = {{0, 8}, {9, 13}, {14, 18}, {19, 23}, {24, 36}};
    bool digits = true;
    for (const auto& [from, to] : groups)
        for (std::size_t i = from; i < to; ++i)
            digits &= upperHexDigits[static_cast<unsigned char>(text[i])];
    return digits;
}

} // namespace

std::optional<RunSummary> CanonicalRecordReader::read(std::string_view text) {
    std::size_t at = 0;
    auto summary = readAt(text, at);
    if (!summary || at != text.size())
        return std::nullopt;
    return summary;
}

std::optional<CleanRecord> CanonicalRecordReader::readWhole(std::string_view text) {
    CanonicalRecordReader reader(text);
    std::vector<MovedFile> moved;
    reader.m_moved = &moved;
    auto summary = reader.record();
    if (!summary || reader.m_at != text.size())
        return std::nullopt;
    return CleanRecord{summary->id,      summary->date,         summary->trigger,
                       std::move(moved), summary->skippedCount, std::move(summary->errors),
                       summary->undone};
}

std::optional<RunSummary> CanonicalRecordReader::readAt(std::string_view document,
                                                        std::size_t& at) {
    CanonicalRecordReader reader(document);
    reader.m_at = at;
    auto summary = reader.record();
    if (summary)
        at = reader.m_at;
    return summary;
}

std::optional<RunSummary> CanonicalRecordReader::record() {
    RunSummary run;
    if (!literal("{\n    \"date\" : "))
        return std::nullopt;
    const auto date = string();
    const auto time = date ? Iso8601::parse(*date) : std::nullopt;
    if (!time || Iso8601::format(*time) != *date)
        return std::nullopt;
    run.date = *time;
    if (!literal(",\n    \"errors\" : ") || !array(3, [&] {
            auto line = string();
            if (line)
                run.errors.push_back(std::move(*line));
            return line.has_value();
        }))
        return std::nullopt;
    if (!literal(",\n    \"id\" : "))
        return std::nullopt;
    const auto id = uuid();
    if (!id || !literal(",\n    \"moved\" : ") || !array(3, [&] {
            ++run.movedCount;
            return movedItem();
        }))
        return std::nullopt;
    run.id = *id;
    const auto skipped = literal(",\n    \"skippedCount\" : ") ? integer() : std::nullopt;
    if (!skipped || !literal(",\n    \"trigger\" : "))
        return std::nullopt;
    run.skippedCount = *skipped;
    const auto trigger = string();
    const auto known = trigger ? cleanTriggerFromRaw(*trigger) : std::nullopt;
    if (!known || !literal(",\n    \"undone\" : "))
        return std::nullopt;
    run.trigger = *known;
    if (literal("true"))
        run.undone = true;
    else if (!literal("false"))
        return std::nullopt;
    if (!literal("\n  }"))
        return std::nullopt;
    return run;
}

bool CanonicalRecordReader::movedItem() {
    if (!literal("{\n        \"id\" : "))
        return false;
    const auto id = rawString();
    if (!id || !isWrittenUuid(*id) || !literal(",\n        \"newPath\" : "))
        return false;
    const auto newPath = rawString();
    if (!newPath || !literal(",\n        \"originalPath\" : "))
        return false;
    const auto originalPath = rawString();
    if (!originalPath || !literal("\n      }"))
        return false;
    if (m_moved)
        m_moved->push_back({*Uuid::fromString(*id), unescaped(*originalPath), unescaped(*newPath)});
    return true;
}

template <typename Element> bool CanonicalRecordReader::array(std::size_t depth, Element element) {
    if (literal("[]"))
        return true;
    const std::string separator = "\n" + std::string(2 * depth, ' ');
    const std::string next = "," + separator;
    if (!literal("[") || !literal(separator) || !element())
        return false;
    while (literal(next))
        if (!element())
            return false;
    return literal("\n" + std::string(2 * (depth - 1), ' ') + "]");
}

bool CanonicalRecordReader::literal(std::string_view expected) {
    if (m_text.substr(m_at, expected.size()) != expected)
        return false;
    m_at += expected.size();
    return true;
}

std::optional<std::string_view> CanonicalRecordReader::rawString() {
    if (!literal("\""))
        return std::nullopt;
    const std::size_t start = m_at;
    bool ascii = true;
    for (; m_at < m_text.size(); ++m_at) {
        m_at += plainRun(m_text.substr(m_at));
        if (m_at == m_text.size())
            break;
        const char c = m_text[m_at];
        if (c == '"') {
            const std::string_view raw = m_text.substr(start, m_at - start);
            ++m_at;
            // The writer copies text that needs no escape as it is, and only valid UTF-8;
            // escapes are ASCII, so the raw text is valid exactly when its content is.
            if (!ascii && !Utf8::isValid(raw))
                return std::nullopt;
            return raw;
        }
        if (c == '\\') {
            // Only the escapes the writer uses for these characters; the rarer ones (control
            // characters) are left to the full reader.
            const char escaped = m_at + 1 < m_text.size() ? m_text[++m_at] : '\0';
            if (escaped != '"' && escaped != '\\' && escaped != '/')
                return std::nullopt;
            continue;
        }
        if (static_cast<unsigned char>(c) < 0x80)
            return std::nullopt;
        ascii = false;
    }
    return std::nullopt;
}

std::optional<std::string> CanonicalRecordReader::string() {
    const auto raw = rawString();
    if (!raw)
        return std::nullopt;
    return unescaped(*raw);
}

std::string CanonicalRecordReader::unescaped(std::string_view raw) {
    // Only the one-character escapes reach here: `rawString` lets no others through.
    // Whole runs at a time: most paths hold no escape at all.
    std::string content;
    content.reserve(raw.size());
    for (std::size_t at = 0;;) {
        const auto escape = raw.find('\\', at);
        content.append(raw.substr(at, escape - at));
        if (escape == std::string_view::npos)
            return content;
        content += raw[escape + 1];
        at = escape + 2;
    }
}

std::optional<Uuid> CanonicalRecordReader::uuid() {
    const auto text = rawString();
    if (!text || !isWrittenUuid(*text))
        return std::nullopt;
    return Uuid::fromString(*text);
}

std::optional<std::int64_t> CanonicalRecordReader::integer() {
    std::int64_t value = 0;
    const char* begin = m_text.data() + m_at;
    const auto [end, failure] = std::from_chars(begin, m_text.data() + m_text.size(), value);
    if (failure != std::errc() ||
        std::to_string(value) != std::string_view(begin, static_cast<std::size_t>(end - begin)))
        return std::nullopt;
    m_at += static_cast<std::size_t>(end - begin);
    return value;
}

} // namespace sorvane
