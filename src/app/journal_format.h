// SPDX-License-Identifier: MIT
#pragma once

#include "engine/transfer_step.h"
#include "record/clean_record.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sorvane {

/// The lines of a clean journal. Paths and texts are base64, so that any byte a name may
/// hold, a newline included, keeps a line a line.
///
///     sorvane-journal 1
///     folders <desktop> <archive>
///     start <record id> <date in ns since 1970> <trigger> <skipped count>
///     intent <source> <target> [<device> <inode>]   (the identity the scan saw at source)
///     copying <source> <temporary> <target> <source device> <source inode>
///     copied <source> <temporary> <target> <source device> <source inode> <copy device>
///            <copy inode>
///     entry <relative> <mode> <size> <mtime ns> <ctime ns> <device> <inode> <first child>
///           <child count>                        (the snapshot, in order, before removing)
///     removing <source> <temporary> <target> <source device> <source inode> <copy device>
///              <copy inode>
///     moved <item id> <source> <target>
///     error <line>
class JournalFormat {
public:
    static std::string header();
    static std::string folders(const std::filesystem::path& desktop,
                               const std::filesystem::path& archive);
    static std::string start(const CleanRecord& header);
    static std::string intent(const std::filesystem::path& source,
                              const std::filesystem::path& target,
                              const std::optional<FileIdentity>& identity = std::nullopt);
    /// `intent`, appended to `lines`.
    static void appendIntent(std::string& lines, const std::filesystem::path& source,
                             const std::filesystem::path& target,
                             const std::optional<FileIdentity>& identity);
    /// The state line of a move across file systems; for `removing`, preceded by the
    /// snapshot's entries.
    static std::string step(const TransferStep& step);
    static void appendMoved(std::string& lines, const MovedFile& item);
    static std::string error(const std::string& line);

    /// What a journal says, line by line; lines that do not parse (a last line cut short by
    /// a kill) are passed over.
    /// The last state a move across file systems reached, with what it recorded.
    struct Transfer {
        TransferStep::State state = TransferStep::State::copying;
        std::string source;
        std::string temporary;
        std::string target;
        FileIdentity sourceIdentity;
        FileIdentity copyIdentity;
        TreeSnapshot snapshot;
    };

    /// A move announced before it began.
    struct Intent {
        std::string source;
        std::string target;
        /// None in a journal of a version that did not write it, or for an item the scan
        /// could not read.
        std::optional<FileIdentity> identity;
    };

    struct Contents {
        /// The Desktop and the archive of the run.
        std::optional<std::pair<std::string, std::string>> folders;
        std::optional<CleanRecord> header;
        /// The last state of each item that crossed file systems, in order of first mention.
        std::vector<Transfer> transfers;
        /// Every announced move, in order.
        std::vector<Intent> intents;
        std::vector<MovedFile> moved;
        std::vector<std::string> errors;
        /// Snapshot entries read since the last state line.
        std::vector<SnapshotEntry> pendingEntries;
    };
    static Contents parse(std::string_view text);
};

} // namespace sorvane
