#pragma once

#include "engine/clean_observer.h"
#include "platform/file_error.h"

#include <filesystem>
#include <memory>
#include <string>

namespace sorvane {

/// The account of a clean while it runs, kept in a file beside the history so that a clean
/// killed half-way loses no record of what it moved.
///
/// Each move is written down before it happens (its intent) and after (its outcome); a kill
/// between the two leaves the file system to tell which intents completed. Lines are plain
/// appends, never flushed one by one: a crash of the whole machine may lose the last lines,
/// a killed process loses none. The file is held under an exclusive lock for as long as this
/// object lives, which is how a journal left behind by a dead process is told from one in use.
class CleanJournal : public CleanObserver {
public:
    ~CleanJournal() override;
    CleanJournal(const CleanJournal&) = delete;
    CleanJournal& operator=(const CleanJournal&) = delete;

    /// Creates the journal and takes its lock; fails when it exists already (another clean
    /// runs, or one was interrupted and has not been recovered yet).
    static FileResult<std::unique_ptr<CleanJournal>> begin(const std::filesystem::path& path);

    /// The run is safely in the history: the journal goes.
    void finish();

    void foldersChosen(const std::filesystem::path& desktop,
                       const std::filesystem::path& archive) override;
    void cleanStarted(const CleanRecord& header, std::size_t itemCount) override;
    /// Written through to the disk: recovery after a power cut removes a copy only while
    /// the journal says the original is untouched, so that must never lag behind; a state
    /// that could not be written stops the move.
    bool transferStepped(const TransferStep& step) override;
    void itemWillMove(const std::filesystem::path& source,
                      const std::filesystem::path& target) override;
    void itemMoved(const MovedFile& item) override;
    void errorAdded(const std::string& line) override;

private:
    CleanJournal(std::filesystem::path path, int fd);
    bool append(const std::string& line);

    std::filesystem::path m_path;
    int m_fd = -1;
};

} // namespace sorvane
