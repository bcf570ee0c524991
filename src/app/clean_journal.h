// SPDX-License-Identifier: MIT
#pragma once

#include "engine/clean_observer.h"
#include "platform/file_error.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>

namespace sorvane {

/// The account of a clean while it runs, kept in a file beside the history so that a clean
/// killed half-way loses no record of what it moved.
///
/// Each move is written down before it happens (its intent, with the identity the scan saw)
/// and after (its outcome); a kill between the two leaves the file system to tell which
/// intents completed. The intents of a batch go in one write, flushed to the disk, before the
/// first of them moves; outcomes wait in memory for the next write, as the file system tells
/// them as well. The file is held under an exclusive lock for as long as this object lives,
/// which is how a journal left behind by a dead process is told from one in use.
///
/// Each run has a journal of its own name, so that one kept because its record could not be
/// saved never stands in the way of the next run. A line that cannot be written asks the run
/// to stop: nothing may move that a kill could leave unrecorded.
class CleanJournal : public CleanObserver {
public:
    ~CleanJournal() override;
    CleanJournal(const CleanJournal&) = delete;
    CleanJournal& operator=(const CleanJournal&) = delete;

    /// Creates a journal of a new name in `folder`, takes its lock and writes its first line.
    static FileResult<std::unique_ptr<CleanJournal>> begin(const std::filesystem::path& folder);

    /// Whether `name` is the name of a journal this class makes.
    static bool isJournalName(const std::string& name);

    const std::filesystem::path& path() const { return m_path; }

    /// Why a line could not be written; none while every line was.
    const std::optional<FileError>& failure() const { return m_failure; }

    /// The run's record is safely in the history: the journal goes.
    void finish();
    /// The run is over but its record did not reach the history file: the journal stays, free
    /// for the next process that recovers interrupted cleans.
    void close();

    void foldersChosen(const std::filesystem::path& desktop,
                       const std::filesystem::path& archive) override;
    void cleanStarted(const CleanRecord& header, std::size_t itemCount) override;
    /// Held until the next write; the later header replaces the first.
    void scanFinished(const CleanRecord& header, std::size_t itemCount) override;
    /// Written through to the disk, in one write: recovery after a power cut removes a copy
    /// only while the journal says the original is untouched, so that must never lag behind;
    /// states that could not be written stop the moves.
    bool transfersStepped(std::span<const TransferStep> steps) override;
    /// Written through to the disk, with every line still held, in one write.
    void movesPlanned(const std::vector<PlannedMove>& moves) override;
    /// Written through to the disk at once: the item is about to move there.
    void itemWillMove(const std::filesystem::path& source,
                      const std::filesystem::path& target) override;
    /// Held until the next write.
    void itemMoved(const MovedFile& item) override;
    void errorAdded(const std::string& line) override;
    bool shouldStop() override { return m_failure.has_value(); }

private:
    CleanJournal(std::filesystem::path path, int fd);
    /// Writes the held lines and `line`; false once any line could not be written.
    bool append(const std::string& line);
    /// `append`, then makes the file's contents durable.
    bool appendDurably(const std::string& line);

    std::filesystem::path m_path;
    int m_fd = -1;
    std::string m_held;
    /// The identities of the current batch's items, by source.
    std::unordered_map<std::string, FileIdentity> m_planned;
    std::optional<FileError> m_failure;
};

} // namespace sorvane
