#pragma once

#include "platform/file_error.h"
#include "record/clean_record.h"

#include <QObject>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace sorvane {

/// The past clean runs, newest first, kept in memory and in "history.json".
///
/// The file is read at construction, read again before each change when another process has
/// replaced it since (its identity, size or time differ), and rewritten whole after every
/// change. A history that cannot be read starts empty; one that cannot be written lives on
/// in memory, and every change says whether it reached the disk. A file that could not be
/// read is never simply overwritten; its bytes are first kept beside it as
/// "history.json.unreadable" so that they can be recovered by hand. A "history.json" that is
/// a symbolic link is followed once, and the file it leads to is the one rewritten.
class HistoryStore : public QObject {
    Q_OBJECT

public:
    static constexpr std::int64_t maxRecords = 60;

    /// `directory` defaults to "Sorvane" in the user's data folder ($XDG_DATA_HOME).
    explicit HistoryStore(std::optional<std::filesystem::path> directory = {},
                          QObject* parent = nullptr);

    const std::vector<CleanRecord>& records() const { return m_records; }
    const std::filesystem::path& fileURL() const { return m_fileURL; }

    /// Puts a new run first and drops the oldest runs beyond `maxRecords`. A run already
    /// held in memory (kept there by a failed save) is replaced, not repeated.
    FileStatus add(CleanRecord record);

    /// The newest run that is not undone and moved something: what "Undo" would undo.
    std::optional<CleanRecord> lastUndoable() const;

    FileStatus markUndone(const Uuid& id);

    /// Keeps in the run only the items an undo could not put back; the run counts as undone
    /// once nothing remains.
    FileStatus recordPartialUndo(const Uuid& id, std::vector<MovedFile> remaining);

    FileStatus clear();

    /// Writes every record to the file.
    FileStatus save();

    /// Reads the file again when it is not the one last read or written here. Callers hold
    /// the user lock, so that nobody replaces it between this and their change.
    void refresh();

    /// Whether the run is in the file as stored (read afresh), not merely in memory.
    bool isStored(const Uuid& id) const;

    /// Why the latest save failed; none when it succeeded.
    const std::optional<FileError>& saveError() const { return m_saveError; }

signals:
    void recordsChanged();

private:
    /// Which file was last read or written, as far as `stat` tells them apart.
    struct Identity {
        std::uint64_t device = 0, inode = 0;
        std::int64_t size = -1, modifiedNs = 0;
        bool operator==(const Identity&) const = default;
    };
    static Identity identityOf(const std::filesystem::path& file);

    /// Reads the file. `keepUnreadable`: a file that cannot be read leaves the records in
    /// memory as they are (a folder put in its place is no reason to forget them).
    void load(bool keepUnreadable = false);
    CleanRecord* find(const Uuid& id);
    FileStatus store();

    std::filesystem::path m_fileURL;
    /// Where the bytes go: `m_fileURL`, or the file it links to.
    std::filesystem::path m_target;
    Identity m_seen;
    std::optional<FileError> m_saveError;
    std::vector<CleanRecord> m_records;
    /// The file holds bytes that did not load; they go aside before the first overwrite.
    bool m_fileUnreadable = false;
};

} // namespace sorvane
