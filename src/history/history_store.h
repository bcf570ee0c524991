// SPDX-License-Identifier: MIT
#pragma once

#include "history/history_index.h"
#include "history/indexed_file.h"
#include "platform/durable_file.h"
#include "platform/file_error.h"
#include "record/clean_record.h"
#include "record/run_summary.h"

#include <QObject>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

namespace sorvane {

/// The past clean runs, newest first, in "history.json".
///
/// The file is read on first use, read again before each change when another process has
/// replaced it since (its identity, size or time differ), and rewritten whole after every
/// change. Memory holds each run's summary and where its text lies in the version of the
/// file last read or written, which stays open; a run's items are read from there when asked
/// for, and a saved run's text is copied from there unchanged. A history that cannot be read
/// starts empty; one that cannot be written lives on in memory, and every change says
/// whether it reached the disk. A file that could not be read is never simply overwritten;
/// its bytes are first kept beside it as "history.json.unreadable" so that they can be
/// recovered by hand. A "history.json" that is a symbolic link is followed once, and the
/// file it leads to is the one rewritten.
class HistoryStore : public QObject {
    Q_OBJECT

public:
    static constexpr std::int64_t maxRecords = 60;

    /// `directory` defaults to `defaultFolder()`.
    explicit HistoryStore(std::optional<std::filesystem::path> directory = {},
                          QObject* parent = nullptr);

    /// Where the history lives unless told otherwise: "Sorvane" in $XDG_DATA_HOME.
    static std::filesystem::path defaultFolder();

    std::vector<RunSummary> runs() const;
    /// Every run with its items; reads them all.
    std::vector<CleanRecord> records() const;
    /// One run with its items; none when it is not held or its text can no longer be read.
    std::optional<CleanRecord> record(const Uuid& id) const;
    /// The same in two steps: the run's text is read now, its items when the result is
    /// called, on any thread, whatever the store does meanwhile.
    std::function<std::optional<CleanRecord>()> recordReader(const Uuid& id) const;
    const std::filesystem::path& fileURL() const { return m_fileURL; }

    /// Puts a new run first and drops the oldest runs beyond `maxRecords`. A run already
    /// held in memory (kept there by a failed save) is replaced, not repeated.
    FileStatus add(const CleanRecord& record);

    /// The newest run that is not undone and moved something: what "Undo" would undo.
    std::optional<RunSummary> lastUndoable() const;

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
    void ensureLoaded() const;
    IndexedRun* find(const Uuid& id);
    std::optional<CleanRecord> recordOf(const IndexedRun& run, std::size_t number) const;
    /// Reads the run's text; the result reads its items from that text.
    std::function<std::optional<CleanRecord>()> readerOf(const IndexedRun& run,
                                                         std::size_t number) const;
    /// Replaces a run's content by `record`, held in memory until it is saved.
    static void replace(IndexedRun& run, const CleanRecord& record);
    /// Gives `output` the whole file's new text; `offsets` receives where each run's text
    /// starts in it.
    FileStatus writeDocument(DurableFile::Output& output, std::vector<std::size_t>& offsets) const;
    /// Replaces the file by that text, keeping an unreadable one aside first.
    FileStatus write(std::vector<std::size_t>& offsets);
    FileStatus store();

    std::filesystem::path m_fileURL;
    /// Where the bytes go: `m_fileURL`, or the file it links to.
    std::filesystem::path m_target;
    Identity m_seen;
    IndexedFile m_file;
    std::optional<FileError> m_saveError;
    std::vector<IndexedRun> m_runs;
    /// The file holds bytes that did not load; they go aside before the first overwrite.
    bool m_fileUnreadable = false;
    bool m_loaded = false;
};

} // namespace sorvane
