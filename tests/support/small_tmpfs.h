// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>

namespace sorvane::test {

/// A small tmpfs mounted over a folder until released: the way to fill a disk on demand.
/// What the folder held is hidden while it is mounted, and back afterwards.
class SmallTmpfs {
public:
    explicit SmallTmpfs(std::filesystem::path folder, int kilobytes = 64);
    ~SmallTmpfs();
    SmallTmpfs(const SmallTmpfs&) = delete;
    SmallTmpfs& operator=(const SmallTmpfs&) = delete;

    /// False where mounting is not allowed; the test should then be skipped.
    bool mounted() const { return m_mounted; }
    const std::filesystem::path& path() const { return m_folder; }

    /// Takes up all free space but `leftBytes` (rounded to whole pages) with a filler file.
    void fill(std::size_t leftBytes = 0) const;
    /// Frees what `fill` took.
    void empty() const;

private:
    std::filesystem::path m_folder;
    bool m_mounted = false;
};

} // namespace sorvane::test
