// SPDX-License-Identifier: MIT
#pragma once

#include "record/clean_record.h"
#include "record/run_summary.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace sorvane {

/// Reads one record of the history file when its text is exactly what the program writes
/// (CleanRecordJson), and only then: a single pass that checks every key, value and line
/// break and keeps only what a summary needs. Anything else (another spacing, extra keys,
/// paths kept as bytes, escapes the writer does not use) is left to the full reader.
class CanonicalRecordReader {
public:
    static std::optional<RunSummary> read(std::string_view text);
    /// The whole record, its moved items included, when `text` is exactly in the written form.
    static std::optional<CleanRecord> readWhole(std::string_view text);
    /// The record that starts at `at` in `document`; `at` moves past it when it is read.
    static std::optional<RunSummary> readAt(std::string_view document, std::size_t& at);

private:
    explicit CanonicalRecordReader(std::string_view text) : m_text(text) {}

    std::optional<RunSummary> record();
    bool movedItem();
    bool literal(std::string_view expected);
    /// A string's text between its quotes, checked but with its escapes as they stand.
    std::optional<std::string_view> rawString();
    /// A string's content, its escapes undone.
    std::optional<std::string> string();
    static std::string unescaped(std::string_view raw);
    std::optional<Uuid> uuid();
    std::optional<std::int64_t> integer();
    /// `[]`, or `[` followed by elements indented by `depth` levels; `element` reads one.
    template <typename Element> bool array(std::size_t depth, Element element);

    std::string_view m_text;
    std::size_t m_at = 0;
    /// Receives the moved items as they are read; null when only the summary is wanted.
    std::vector<MovedFile>* m_moved = nullptr;
};

} // namespace sorvane
