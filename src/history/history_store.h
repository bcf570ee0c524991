#pragma once

#include "history/clean_record.h"

#include <QObject>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace sorvane {

/// The past clean runs, newest first, kept in memory and in "history.json".
///
/// The file is read once, at construction, and rewritten whole after every change. Nothing
/// here reports an error: a history that cannot be read starts empty, and one that cannot be
/// written lives on in memory. A file that could not be read is never simply overwritten;
/// its bytes are first kept beside it as "history.json.unreadable" so that they can be
/// recovered by hand.
class HistoryStore : public QObject {
    Q_OBJECT

public:
    static constexpr std::int64_t maxRecords = 60;

    /// `directory` defaults to "Sorvane" in the user's data folder ($XDG_DATA_HOME).
    explicit HistoryStore(std::optional<std::filesystem::path> directory = {},
                          QObject* parent = nullptr);

    /// The program's one store at the default place; for the program's entry only.
    static HistoryStore& shared();

    const std::vector<CleanRecord>& records() const { return m_records; }
    const std::filesystem::path& fileURL() const { return m_fileURL; }

    /// Puts a new run first and drops the oldest runs beyond `maxRecords`.
    void add(CleanRecord record);

    /// The newest run that is not undone and moved something: what "Undo" would undo.
    std::optional<CleanRecord> lastUndoable() const;

    void markUndone(const Uuid& id);

    /// Keeps in the run only the items an undo could not put back; the run counts as undone
    /// once nothing remains.
    void recordPartialUndo(const Uuid& id, std::vector<MovedFile> remaining);

    void clear();

    /// Writes every record to the file.
    void save();

signals:
    void recordsChanged();

private:
    void load();
    CleanRecord* find(const Uuid& id);
    void store();

    std::filesystem::path m_fileURL;
    std::vector<CleanRecord> m_records;
    /// The file holds bytes that did not load; they go aside before the first overwrite.
    bool m_fileUnreadable = false;
};

} // namespace sorvane
