#include "history/history_store.h"

#include "platform/durable_file.h"
#include "platform/xdg_user_dirs.h"
#include "record/clean_record_json.h"

#include <algorithm>
#include <cerrno>
#include <sys/stat.h>

namespace sorvane {

namespace fs = std::filesystem;

HistoryStore::HistoryStore(std::optional<fs::path> directory, QObject* parent) : QObject(parent) {
    const fs::path folder = directory ? *directory : XdgUserDirs::dataHome() / "Sorvane";
    // A folder that cannot be made shows up as a failed save later; the history then lives in
    // memory for this run.
    DurableFile::makeFolder(folder);
    m_fileURL = folder / "history.json";
    m_target = DurableFile::resolved(m_fileURL);
    load();
}

HistoryStore::Identity HistoryStore::identityOf(const fs::path& file) {
    struct stat status {};
    if (::stat(file.c_str(), &status) != 0)
        return {};
    return {status.st_dev, status.st_ino, status.st_size,
            std::int64_t{status.st_mtim.tv_sec} * 1'000'000'000 + status.st_mtim.tv_nsec};
}

void HistoryStore::load(bool keepUnreadable) {
    m_seen = identityOf(m_target);
    FileResult<std::string> bytes = DurableFile::read(m_target);
    std::optional<std::vector<CleanRecord>> decoded;
    if (!bytes) {
        // A file that exists but cannot be read now (an I/O error, a folder in its place)
        // may still hold a history worth keeping.
        m_fileUnreadable = bytes.error().code != ENOENT && bytes.error().code != ENOTDIR;
    } else if (decoded = CleanRecordJson::decode(*bytes); !decoded) {
        m_fileUnreadable = !bytes->empty();
    } else {
        m_fileUnreadable = false;
    }
    if (decoded)
        m_records = std::move(*decoded);
    else if (!keepUnreadable)
        m_records.clear();
}

void HistoryStore::refresh() {
    if (identityOf(m_target) == m_seen)
        return;
    load(true);
    emit recordsChanged();
}

bool HistoryStore::isStored(const Uuid& id) const {
    const auto bytes = DurableFile::read(m_target);
    const auto stored = bytes ? CleanRecordJson::decode(*bytes) : std::nullopt;
    return stored && std::any_of(stored->begin(), stored->end(),
                                 [&](const CleanRecord& record) { return record.id == id; });
}

FileStatus HistoryStore::add(CleanRecord record) {
    refresh();
    std::erase_if(m_records, [&](const CleanRecord& kept) { return kept.id == record.id; });
    m_records.insert(m_records.begin(), std::move(record));
    if (m_records.size() > static_cast<std::size_t>(maxRecords))
        m_records.resize(static_cast<std::size_t>(maxRecords));
    return store();
}

std::optional<CleanRecord> HistoryStore::lastUndoable() const {
    for (const CleanRecord& record : m_records)
        if (!record.undone && !record.moved.empty())
            return record;
    return std::nullopt;
}

FileStatus HistoryStore::markUndone(const Uuid& id) {
    refresh();
    CleanRecord* record = find(id);
    if (!record)
        return {};
    record->undone = true;
    return store();
}

FileStatus HistoryStore::recordPartialUndo(const Uuid& id, std::vector<MovedFile> remaining) {
    refresh();
    CleanRecord* record = find(id);
    if (!record)
        return {};
    record->undone = remaining.empty();
    record->moved = std::move(remaining);
    return store();
}

FileStatus HistoryStore::clear() {
    m_records.clear();
    return store();
}

FileStatus HistoryStore::save() {
    const std::string bytes = CleanRecordJson::encode(m_records);
    FileStatus written = [&]() -> FileStatus {
        if (m_fileUnreadable) {
            // Without a copy of the old bytes, overwriting them would lose a history that a
            // later version, or the user, might still read. Try again at the next save.
            const auto keptAside = DurableFile::keepAside(m_target, ".unreadable");
            if (!keptAside && keptAside.error().code != ENOENT)
                return keptAside.error();
            m_fileUnreadable = false;
        }
        FileStatus first = DurableFile::write(m_target, bytes);
        if (first || first.error().code != ENOENT)
            return first;
        // The folder could not be made at start-up, or was removed since.
        DurableFile::makeFolder(m_target.parent_path());
        return DurableFile::write(m_target, bytes);
    }();
    if (written) {
        m_seen = identityOf(m_target);
        m_saveError.reset();
    } else {
        m_saveError = written.error();
    }
    return written;
}

CleanRecord* HistoryStore::find(const Uuid& id) {
    for (CleanRecord& record : m_records)
        if (record.id == id)
            return &record;
    return nullptr;
}

FileStatus HistoryStore::store() {
    FileStatus saved = save();
    emit recordsChanged();
    return saved;
}

} // namespace sorvane
