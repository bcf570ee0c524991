// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>
#include <sys/types.h>

namespace sorvane {

/// Creates a folder and its missing parents with `mode` (less the umask). Returns 0 when
/// the folder exists afterwards (also when it did before), ENOTDIR when something else
/// stands in the way, or the errno value of the failure.
int makeFolders(const std::filesystem::path& folder, mode_t mode);

/// The same for the folder alone: a missing parent fails with ENOENT.
int makeFolder(const std::filesystem::path& folder, mode_t mode);

} // namespace sorvane
