// SPDX-License-Identifier: MIT
#pragma once

#include "platform/file_services.h"
#include "record/clean_record.h"

#include <filesystem>
#include <optional>
#include <vector>

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

    /// The journals in `folder` that no live process holds, oldest first.
    static std::vector<std::filesystem::path> leftovers(const std::filesystem::path& folder);

    /// Adds the record of a leftover journal to the history, unless the history file as
    /// stored has it already (the clean got as far as saving it), and removes the journal
    /// once the file holds its record. True when a record was added and saved.
    static bool recoverInto(HistoryStore& history, const std::filesystem::path& journal,
                            FileServices& files);

    /// Recovers every leftover journal beside the history. Callers hold the user lock.
    static void recoverLeftovers(HistoryStore& history, FileServices& files);
};

} // namespace sorvane
