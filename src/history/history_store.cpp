// SPDX-License-Identifier: MIT
#include "history/history_store.h"

#include "history/canonical_record_reader.h"
#include "platform/durable_file.h"
#include "platform/xdg_user_dirs.h"
#include "record/clean_record_json.h"

#include <algorithm>
#include <cerrno>
#include <malloc.h>
#include <sys/stat.h>

namespace sorvane {

namespace fs = std::filesystem;

namespace {

std::optional<CleanRecord> noRecord() {
    return std::nullopt;
}

/// A whole history passes through memory when it is read or written; without this, the
/// allocator keeps those megabytes for the life of the tray application.
void returnFreedMemory() {
    malloc_trim(0);
}

} // namespace

HistoryStore::HistoryStore(std::optional<fs::path> directory, QObject* parent) : QObject(parent) {
    const fs::path folder = directory ? *directory : defaultFolder();
    // A folder that cannot be made shows up as a failed save later; the history then lives in
    // memory for this run.
    DurableFile::makeFolder(folder);
    m_fileURL = folder / "history.json";
    m_target = DurableFile::resolved(m_fileURL);
}

fs::path HistoryStore::defaultFolder() {
    return XdgUserDirs::dataHome() / "Sorvane";
}

HistoryStore::Identity HistoryStore::identityOf(const fs::path& file) {
    struct stat status {};
    if (::stat(file.c_str(), &status) != 0)
        return {};
    return {status.st_dev, status.st_ino, status.st_size,
            std::int64_t{status.st_mtim.tv_sec} * 1'000'000'000 + status.st_mtim.tv_nsec};
}

void HistoryStore::ensureLoaded() const {
    // Read on first use: a command that never looks at the history never reads it.
    if (!m_loaded)
        const_cast<HistoryStore*>(this)->load();
}

void HistoryStore::load(bool keepUnreadable) {
    m_loaded = true;
    m_seen = identityOf(m_target);
    IndexedFile file;
    FileMapping mapping;
    std::string copy;
    std::optional<std::vector<IndexedRun>> index;
    if (FileResult<std::string_view> bytes = file.open(m_target, mapping, copy); !bytes) {
        // A file that exists but cannot be read now (an I/O error, a folder in its place)
        // may still hold a history worth keeping.
        m_fileUnreadable = bytes.error().code != ENOENT && bytes.error().code != ENOTDIR;
    } else if (index = HistoryIndex::read(*bytes); !index) {
        m_fileUnreadable = !bytes->empty();
    } else {
        m_fileUnreadable = false;
    }
    if (index) {
        m_runs = std::move(*index);
        m_file = std::move(file);
    } else if (!keepUnreadable) {
        m_runs.clear();
        m_file.close();
    }
    returnFreedMemory();
}

void HistoryStore::refresh() {
    if (!m_loaded) {
        load();
        return;
    }
    if (identityOf(m_target) == m_seen)
        return;
    load(true);
    emit recordsChanged();
}

bool HistoryStore::isStored(const Uuid& id) const {
    const auto bytes = DurableFile::read(m_target);
    const auto stored = bytes ? HistoryIndex::read(*bytes) : std::nullopt;
    return stored && std::any_of(stored->begin(), stored->end(),
                                 [&](const IndexedRun& run) { return run.summary.id == id; });
}

std::vector<RunSummary> HistoryStore::runs() const {
    ensureLoaded();
    std::vector<RunSummary> summaries;
    summaries.reserve(m_runs.size());
    for (const IndexedRun& run : m_runs)
        summaries.push_back(run.summary);
    return summaries;
}

std::vector<CleanRecord> HistoryStore::records() const {
    ensureLoaded();
    std::vector<CleanRecord> records;
    for (const IndexedRun& run : m_runs)
        if (auto record = recordOf(run, records.size() + 1))
            records.push_back(std::move(*record));
    return records;
}

std::optional<CleanRecord> HistoryStore::record(const Uuid& id) const {
    return recordReader(id)();
}

std::function<std::optional<CleanRecord>()> HistoryStore::recordReader(const Uuid& id) const {
    ensureLoaded();
    for (std::size_t number = 0; number < m_runs.size(); ++number)
        if (m_runs[number].summary.id == id)
            return readerOf(m_runs[number], number + 1);
    return noRecord;
}

std::optional<CleanRecord> HistoryStore::recordOf(const IndexedRun& run, std::size_t number) const {
    return readerOf(run, number)();
}

std::function<std::optional<CleanRecord>()> HistoryStore::readerOf(const IndexedRun& run,
                                                                   std::size_t number) const {
    std::string text;
    if (run.rewritten.empty() && !m_file.appendRange(run.offset, run.length, text))
        return noRecord;
    if (!run.rewritten.empty())
        text = run.rewritten;
    return [text = std::move(text), number]() -> std::optional<CleanRecord> {
        // The written form, which nearly every record is in, reads in one pass without
        // building a document first: ten times faster for a large run.
        if (auto record = CanonicalRecordReader::readWhole(text))
            return record;
        return CleanRecordJson::decodeRecord(text, number);
    };
}

FileStatus HistoryStore::add(const CleanRecord& record) {
    refresh();
    std::erase_if(m_runs, [&](const IndexedRun& kept) { return kept.summary.id == record.id; });
    m_runs.insert(m_runs.begin(), IndexedRun{});
    replace(m_runs.front(), record);
    if (m_runs.size() > static_cast<std::size_t>(maxRecords))
        m_runs.resize(static_cast<std::size_t>(maxRecords));
    return store();
}

std::optional<RunSummary> HistoryStore::lastUndoable() const {
    ensureLoaded();
    for (const IndexedRun& run : m_runs)
        if (!run.summary.undone && run.summary.movedCount > 0)
            return run.summary;
    return std::nullopt;
}

FileStatus HistoryStore::markUndone(const Uuid& id) {
    refresh();
    IndexedRun* run = find(id);
    if (!run)
        return {};
    // Every held text is in the written form, whose last key is "undone": flipping its value
    // in place spares reading and writing every item of a large run.
    std::string text = run->rewritten;
    if (text.empty() && !m_file.appendRange(run->offset, run->length, text))
        return {};
    constexpr std::string_view notUndone = "\"undone\" : false\n  }";
    if (text.ends_with(notUndone)) {
        text.replace(text.size() - notUndone.size(), notUndone.size(), "\"undone\" : true\n  }");
        run->summary.undone = true;
        run->rewritten = std::move(text);
        return store();
    }
    std::optional<CleanRecord> record = recordOf(*run, 1);
    if (!record)
        return {};
    record->undone = true;
    replace(*run, *record);
    return store();
}

FileStatus HistoryStore::recordPartialUndo(const Uuid& id, std::vector<MovedFile> remaining) {
    refresh();
    IndexedRun* run = find(id);
    std::optional<CleanRecord> record = run ? recordOf(*run, 1) : std::nullopt;
    if (!record)
        return {};
    record->undone = remaining.empty();
    record->moved = std::move(remaining);
    replace(*run, *record);
    return store();
}

FileStatus HistoryStore::clear() {
    ensureLoaded();
    m_runs.clear();
    return store();
}

void HistoryStore::replace(IndexedRun& run, const CleanRecord& record) {
    run.summary = RunSummary::of(record);
    run.rewritten = CleanRecordJson::encodeRecord(record);
}

FileStatus HistoryStore::writeDocument(DurableFile::Output& output,
                                       std::vector<std::size_t>& offsets) const {
    // The form CleanRecordJson writes: "[\n  " record (",\n  " record)… "\n]", or "[]".
    // A run kept as it was goes from the old version to the new without being read here.
    if (FileStatus opened = output.text("["); !opened)
        return opened;
    for (const IndexedRun& run : m_runs) {
        FileStatus written = output.text(offsets.empty() ? "\n  " : ",\n  ");
        offsets.push_back(output.size());
        if (written)
            written = run.rewritten.empty() ? m_file.copyRange(run.offset, run.length, output)
                                            : output.text(run.rewritten);
        if (!written)
            return written;
    }
    return output.text(m_runs.empty() ? "]" : "\n]");
}

FileStatus HistoryStore::save() {
    ensureLoaded();
    std::vector<std::size_t> offsets;
    FileStatus written = write(offsets);
    if (written) {
        // The runs now lie in the new version, each as written.
        IndexedFile file;
        if (file.hold(m_target)) {
            m_file = std::move(file);
            for (std::size_t i = 0; i < m_runs.size(); ++i) {
                m_runs[i].offset = offsets[i];
                m_runs[i].length =
                    m_runs[i].rewritten.empty() ? m_runs[i].length : m_runs[i].rewritten.size();
                m_runs[i].rewritten.clear();
                m_runs[i].rewritten.shrink_to_fit();
            }
        }
        m_seen = identityOf(m_target);
        m_saveError.reset();
    } else {
        m_saveError = written.error();
    }
    returnFreedMemory();
    return written;
}

FileStatus HistoryStore::write(std::vector<std::size_t>& offsets) {
    if (m_fileUnreadable) {
        // Without a copy of the old bytes, overwriting them would lose a history that a
        // later version, or the user, might still read. Try again at the next save.
        const auto keptAside = DurableFile::keepAside(m_target, ".unreadable");
        if (!keptAside && keptAside.error().code != ENOENT)
            return keptAside.error();
        m_fileUnreadable = false;
    }
    const auto fill = [&](DurableFile::Output& output) {
        offsets.clear();
        return writeDocument(output, offsets);
    };
    FileStatus first = DurableFile::write(m_target, fill);
    if (first || first.error().code != ENOENT)
        return first;
    // The folder could not be made at start-up, or was removed since.
    DurableFile::makeFolder(m_target.parent_path());
    return DurableFile::write(m_target, fill);
}

IndexedRun* HistoryStore::find(const Uuid& id) {
    for (IndexedRun& run : m_runs)
        if (run.summary.id == id)
            return &run;
    return nullptr;
}

FileStatus HistoryStore::store() {
    FileStatus saved = save();
    emit recordsChanged();
    return saved;
}

} // namespace sorvane
