#pragma once

#include "history/clean_record.h"

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
///     start <record id> <date in ns since 1970> <trigger> <skipped count>
///     intent <source> <target>
///     moved <item id> <source> <target>
///     error <line>
class JournalFormat {
public:
    static std::string header();
    static std::string start(const CleanRecord& header);
    static std::string intent(const std::filesystem::path& source,
                              const std::filesystem::path& target);
    static std::string moved(const MovedFile& item);
    static std::string error(const std::string& line);

    /// What a journal says, line by line; lines that do not parse (a last line cut short by
    /// a kill) are passed over.
    struct Contents {
        std::optional<CleanRecord> header;
        /// Every announced move, in order.
        std::vector<std::pair<std::string, std::string>> intents;
        std::vector<MovedFile> moved;
        std::vector<std::string> errors;
    };
    static Contents parse(std::string_view text);
};

} // namespace sorvane
