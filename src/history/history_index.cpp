// SPDX-License-Identifier: MIT
#include "history/history_index.h"

#include "history/canonical_record_reader.h"
#include "history/record_scanner.h"
#include "record/clean_record_json.h"

namespace sorvane {

namespace {

/// The whole document when it is exactly in the written form, in one pass; else none.
std::optional<std::vector<IndexedRun>> readWritten(std::string_view document) {
    std::vector<IndexedRun> runs;
    if (document == "[]")
        return runs;
    if (!document.starts_with("[\n  "))
        return std::nullopt;
    std::size_t at = 4;
    for (;;) {
        const std::size_t start = at;
        auto summary = CanonicalRecordReader::readAt(document, at);
        if (!summary)
            return std::nullopt;
        runs.push_back({std::move(*summary), start, at - start, {}});
        if (document.substr(at) == "\n]")
            return runs;
        if (document.substr(at, 4) != ",\n  ")
            return std::nullopt;
        at += 4;
    }
}

} // namespace

std::optional<std::vector<IndexedRun>> HistoryIndex::read(std::string_view document) {
    if (auto written = readWritten(document))
        return written;
    std::vector<IndexedRun> runs;
    const auto spans = RecordScanner::elements(document);
    if (!spans) {
        // Not laid out as an array of elements (a byte-order mark, say): the full reader
        // decides, and what it reads is written again.
        const auto records = CleanRecordJson::decode(document);
        if (!records)
            return std::nullopt;
        for (const CleanRecord& record : *records)
            runs.push_back({RunSummary::of(record), 0, 0, CleanRecordJson::encodeRecord(record)});
        return runs;
    }
    runs.reserve(spans->size());
    for (const auto& span : *spans) {
        const std::string_view text = document.substr(span.offset, span.length);
        if (auto summary = CanonicalRecordReader::read(text)) {
            runs.push_back({std::move(*summary), span.offset, span.length, {}});
            continue;
        }
        const auto record = CleanRecordJson::decodeRecord(text, runs.size() + 1);
        if (!record)
            return std::nullopt;
        std::string written = CleanRecordJson::encodeRecord(*record);
        // The full reader's verdict stands; the text is kept when it was the written form.
        if (written == text)
            written.clear();
        runs.push_back({RunSummary::of(*record), span.offset, span.length, std::move(written)});
    }
    return runs;
}

} // namespace sorvane
