#include "history/history_store.h"

#include "history/clean_record_json.h"
#include "platform/durable_file.h"
#include "platform/xdg_user_dirs.h"

#include <cerrno>
#include <system_error>

namespace sorvane {

namespace fs = std::filesystem;

HistoryStore::HistoryStore(std::optional<fs::path> directory, QObject* parent) : QObject(parent) {
    const fs::path folder = directory ? *directory : XdgUserDirs::dataHome() / "Sorvane";
    // A folder that cannot be made shows up as a failed save later; the history then lives in
    // memory for this run.
    std::error_code ignored;
    fs::create_directories(folder, ignored);
    m_fileURL = folder / "history.json";
    load();
}

HistoryStore& HistoryStore::shared() {
    static HistoryStore store;
    return store;
}

void HistoryStore::load() {
    FileResult<std::string> bytes = DurableFile::read(m_fileURL);
    if (!bytes) {
        // A file that exists but cannot be read now (an I/O error, a folder in its place)
        // may still hold a history worth keeping.
        m_fileUnreadable = bytes.error().code != ENOENT && bytes.error().code != ENOTDIR;
        return;
    }
    std::optional<std::vector<CleanRecord>> decoded = CleanRecordJson::decode(*bytes);
    if (!decoded) {
        m_fileUnreadable = !bytes->empty();
        return;
    }
    m_records = std::move(*decoded);
}

void HistoryStore::add(CleanRecord record) {
    m_records.insert(m_records.begin(), std::move(record));
    if (m_records.size() > static_cast<std::size_t>(maxRecords))
        m_records.resize(static_cast<std::size_t>(maxRecords));
    store();
}

std::optional<CleanRecord> HistoryStore::lastUndoable() const {
    for (const CleanRecord& record : m_records)
        if (!record.undone && !record.moved.empty())
            return record;
    return std::nullopt;
}

void HistoryStore::markUndone(const Uuid& id) {
    CleanRecord* record = find(id);
    if (!record)
        return;
    record->undone = true;
    store();
}

void HistoryStore::recordPartialUndo(const Uuid& id, std::vector<MovedFile> remaining) {
    CleanRecord* record = find(id);
    if (!record)
        return;
    record->undone = remaining.empty();
    record->moved = std::move(remaining);
    store();
}

void HistoryStore::clear() {
    m_records.clear();
    store();
}

void HistoryStore::save() {
    const std::string bytes = CleanRecordJson::encode(m_records);
    if (m_fileUnreadable) {
        // Without a copy of the old bytes, overwriting them would lose a history that a
        // later version, or the user, might still read. Try again at the next save.
        const auto keptAside = DurableFile::keepAside(m_fileURL, ".unreadable");
        if (!keptAside && keptAside.error().code != ENOENT)
            return;
        m_fileUnreadable = false;
    }
    if (DurableFile::write(m_fileURL, bytes).error().code == ENOENT) {
        // The folder could not be made at start-up, or was removed since.
        std::error_code ignored;
        fs::create_directories(m_fileURL.parent_path(), ignored);
        DurableFile::write(m_fileURL, bytes);
    }
}

CleanRecord* HistoryStore::find(const Uuid& id) {
    for (CleanRecord& record : m_records)
        if (record.id == id)
            return &record;
    return nullptr;
}

void HistoryStore::store() {
    save();
    emit recordsChanged();
}

} // namespace sorvane
