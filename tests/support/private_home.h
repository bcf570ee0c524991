// SPDX-License-Identifier: MIT
#pragma once

#include "support/scoped_environment.h"
#include "support/temp_dir.h"

#include <filesystem>

namespace sorvane::test {

/// A whole private world for one test: HOME in a temporary folder, the XDG variables
/// cleared, UTC and an English locale, and an empty Desktop.
class PrivateHome {
public:
    PrivateHome();

    const std::filesystem::path& path() const { return m_home.path(); }
    std::filesystem::path operator/(const std::filesystem::path& relative) const {
        return m_home / relative;
    }
    const std::filesystem::path& desktop() const { return m_desktop; }
    /// The default archive folder, "Documents/Desktop Archive".
    std::filesystem::path archive() const { return m_home / "Documents/Desktop Archive"; }

    std::filesystem::path writeFile(const std::filesystem::path& relative,
                                    const std::string& contents = "x") const {
        return m_home.writeFile(relative, contents);
    }
    std::filesystem::path makeFolder(const std::filesystem::path& relative) const {
        return m_home.makeFolder(relative);
    }

    ScopedEnvironment env;

private:
    TempDir m_home;
    std::filesystem::path m_desktop;
};

} // namespace sorvane::test
