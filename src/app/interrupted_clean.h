#pragma once

#include "history/clean_record.h"
#include "platform/file_services.h"

#include <filesystem>
#include <optional>

namespace sorvane {

class HistoryStore;

/// Turns the journal of a clean that was killed half-way into a history record.
class InterruptedClean {
public:
    /// The last error line of a recovered record.
    static constexpr const char* stoppedLine = "Stopped: the clean was interrupted.";

    /// True when a journal exists that no live process holds.
    static bool isLeftOver(const std::filesystem::path& journal);

    /// The record a left-over journal stands for; none when its clean had not started
    /// moving. Settles on the way the moves the clean left half-done (see MoveRecovery);
    /// the file system decides which announced renames happened: the source gone and the
    /// target there.
    static std::optional<CleanRecord> readLeftover(const std::filesystem::path& journal,
                                                   FileServices& files);

    /// Adds the record of a leftover journal to the history, unless the history has it
    /// already (the clean got as far as saving it), then removes the journal. True when a
    /// record was added.
    static bool recoverInto(HistoryStore& history, const std::filesystem::path& journal,
                            FileServices& files);
};

} // namespace sorvane
