// SPDX-License-Identifier: MIT
#pragma once

#include "platform/file_error.h"

#include <filesystem>
#include <optional>

namespace sorvane {

/// Where the running application's socket is, told the same way in every environment: the
/// application writes the socket's absolute path into a private file beside the user lock,
/// and a later command reads it there.
///
/// A socket is trusted only inside a folder that nobody else can have made or changed: one
/// that is ours, 0700, and not a symbolic link. Another user who got to a shared runtime
/// folder first must neither answer our commands nor receive the paths they carry.
class InstanceAddress {
public:
    /// The longest socket path the kernel takes (sockaddr_un's sun_path less its NUL).
    static constexpr std::size_t maxSocketPath = 107;

    /// A socket path for the application to listen at: in $XDG_RUNTIME_DIR/sorvane when that
    /// folder is private, else beside the history when that one is, else in a new private
    /// folder in /tmp; never longer than `maxSocketPath`.
    static std::optional<std::filesystem::path> chooseSocket();

    /// Tells later commands that the application listens at `socket`.
    static FileStatus publish(const std::filesystem::path& socket);

    /// The socket a running application published, when its folder is still private.
    static std::optional<std::filesystem::path> find();

    /// True for a folder, not a link, owned by this user and closed to everyone else (0700).
    static bool isPrivateFolder(const std::filesystem::path& folder);

    /// The file that holds the socket's path.
    static std::filesystem::path pathFile();
};

} // namespace sorvane
