// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>
#include <string>

namespace sorvane::test {

/// A fresh folder under the system's temporary folder, removed with everything in it when
/// the object goes away.
class TempDir {
public:
    explicit TempDir(const std::filesystem::path& parent = std::filesystem::temp_directory_path());
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path operator/(const std::filesystem::path& relative) const {
        return m_path / relative;
    }

    /// Writes `contents` to a file at `relative`, creating parent folders.
    std::filesystem::path writeFile(const std::filesystem::path& relative,
                                    const std::string& contents = {}) const;
    std::filesystem::path makeFolder(const std::filesystem::path& relative) const;

private:
    std::filesystem::path m_path;
};

} // namespace sorvane::test
