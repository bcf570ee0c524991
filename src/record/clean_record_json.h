// SPDX-License-Identifier: MIT
#pragma once

#include "record/clean_record.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sorvane {

/// The history file's JSON form: a top-level array of records, newest first.
///
/// Writing gives one exact form (sorted keys, two-space indentation, " : " between key and
/// value, every "/" escaped, upper-case UUIDs, dates in whole UTC seconds). Reading is strict:
/// a missing key, a wrong type, an unknown trigger, a malformed UUID or a date that is not
/// whole-second ISO 8601 text rejects the whole document.
///
/// A path that is not valid UTF-8 cannot be a JSON string as it stands. It is written as a
/// readable string with U+FFFD in place of the bad bytes, plus its exact bytes in base64
/// under an extra key ("originalPathBytes", "newPathBytes") that readers prefer when present.
class CleanRecordJson {
public:
    static std::string encode(const std::vector<CleanRecord>& records);
    /// Empty on failure; `error`, when given, receives what was wrong.
    static std::optional<std::vector<CleanRecord>> decode(std::string_view text,
                                                          std::string* error = nullptr);

    /// One record's text as `encode` writes it inside the array: from its "{" to its "}".
    static std::string encodeRecord(const CleanRecord& record);
    /// One record, the `number`th of its array (for the reason given in `error`).
    static std::optional<CleanRecord> decodeRecord(std::string_view text, std::size_t number,
                                                   std::string* error = nullptr);
};

} // namespace sorvane
