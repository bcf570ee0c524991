// SPDX-License-Identifier: MIT
#pragma once

#include "engine/clean_observer.h"
#include "platform/file_services.h"

#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace sorvane {

class HistoryStore;

/// The account of an undo while it runs, in a file beside the history, so that an undo
/// killed half-way counts exactly the items it put back, and no others, as restored.
///
/// For each item it writes the target it chose and the identity of the archived item before
/// the move, then the identity of what it placed there: for a rename, which keeps an item's
/// identity, the one read before the move; for a copy, the copy's. Only a target that still holds
/// that very object counts: an item missing from the archive is otherwise no proof of anything. The
/// intents of a batch go in one write, flushed to the disk, before the first of them moves; what
/// was placed waits in memory for the next write, as the file system tells it as well. Progress and
/// stop requests go on to the observer it is given.
class UndoJournal : public UndoObserver {
public:
    ~UndoJournal() override;
    UndoJournal(const UndoJournal&) = delete;
    UndoJournal& operator=(const UndoJournal&) = delete;

    /// Starts the journal of an undo of `record`; none when the file cannot be made (the
    /// undo then runs without it, as it did before there was one).
    static std::unique_ptr<UndoJournal> begin(const std::filesystem::path& path,
                                              const CleanRecord& record, FileServices& files,
                                              UndoObserver& next);

    /// The undo's result is in the history: the journal goes.
    void finish();

    /// Brings a journal left by a killed undo into the history: the items it proves restored
    /// leave the record (which is marked undone when none is left), an info file it wrote
    /// into the Trash for a folder that never got there is removed, then the journal goes.
    static void recoverInto(HistoryStore& history, const std::filesystem::path& path,
                            FileServices& files);

    void undoProgressed(std::size_t done, std::size_t total) override;
    bool shouldStop() override;
    void restoresPlanned(std::span<const MovedFile> items,
                         std::span<const std::optional<FileIdentity>> identities) override;
    void itemWillRestore(const MovedFile& item, const std::filesystem::path& target) override;
    void itemRestored(const MovedFile& item, const std::filesystem::path& target) override;
    /// Notes the info file of an emptied dated folder before the folder moves into the
    /// Trash, so that recovery can remove that file, and only it, when the move never came.
    bool trashReserved(const TrashReservation& reservation) override;
    /// Notes where moves back across file systems stand, with the copies' identities, on
    /// the disk before their work begins: the originals go only once it says so.
    bool restoresStepped(std::span<const MovedFile* const> items,
                         std::span<const TransferStep> steps) override;

private:
    UndoJournal(std::filesystem::path path, int fd, FileServices& files, UndoObserver& next);
    /// Writes the held lines and `lines`; false when they could not all be written.
    bool append(const std::string& lines);
    /// An item of the current batch: the identity it had before it moved (as written), and
    /// whether it crossed file systems, which leaves a copy with an identity of its own.
    struct Planned {
        Uuid item;
        std::string identity;
        bool copied = false;
    };

    /// Also notes `identity`, read for `item`, when it is one of the current batch.
    std::string willLine(const MovedFile& item, const std::string& target, std::string identity);
    /// `item` in the current batch; null when it is not one of it.
    Planned* plannedOf(const MovedFile& item);

    std::filesystem::path m_path;
    int m_fd = -1;
    std::string m_held;
    std::vector<Planned> m_planned;
    /// Where the last look-up found its item: the items come in the order of their batch.
    std::size_t m_lastFound = 0;
    FileServices& m_files;
    UndoObserver& m_next;
};

} // namespace sorvane
