// SPDX-License-Identifier: MIT
#pragma once

#include "platform/resource_values.h"

#include <filesystem>
#include <optional>
#include <string>

namespace sorvane::test {

/// Sets an item's access and modification times, without following a link.
void setModificationTime(const std::filesystem::path& item, Timestamp time);
/// Sets the freedesktop tag attribute that file managers write.
void setTags(const std::filesystem::path& item, const std::string& tags);
/// The tag attribute, none when the item has none.
std::optional<std::string> tags(const std::filesystem::path& item);
/// Modification time to the nanosecond, without following a link.
Timestamp modificationTime(const std::filesystem::path& item);
/// The device an item lies on.
std::uint64_t deviceOf(const std::filesystem::path& item);

} // namespace sorvane::test
