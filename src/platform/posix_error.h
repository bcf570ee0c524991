// SPDX-License-Identifier: MIT
#pragma once

#include "platform/file_error.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace sorvane {

/// The system's sentence for an errno value, such as "No space left on device".
std::string errorText(int code);

/// Text in the typographic quotes of the program's language: “notes.txt”, „notes.txt“.
std::string quotedText(std::string_view text);

/// The last component of a path in typographic quotes, for messages: “notes.txt”.
std::string quotedName(const std::filesystem::path& item);

/// "Could not <action> “name”<afterName>: <reason>." — `action` is a verb phrase such as
/// "move", `afterName` an optional ending such as " to the Trash".
FileError posixError(std::string_view action, const std::filesystem::path& item, int code,
                     std::string_view afterName = {});

/// As above, naming the entry `inner` (relative to the item) where the failure happened.
FileError posixError(std::string_view action, const std::filesystem::path& item,
                     const std::filesystem::path& inner, int code, std::string_view afterName = {});

} // namespace sorvane
