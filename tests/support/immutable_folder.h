// SPDX-License-Identifier: MIT
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

namespace sorvane::test {

/// Makes a folder immutable (`chattr +i`) until released, so that even root can neither add,
/// replace nor remove anything in it: the way to make a write fail when tests run as root.
class ImmutableFolder {
public:
    explicit ImmutableFolder(std::filesystem::path folder) : m_folder(std::move(folder)) {
        m_done = std::system(("chattr +i '" + m_folder.string() + "' 2>/dev/null").c_str()) == 0;
    }
    ~ImmutableFolder() { release(); }
    ImmutableFolder(const ImmutableFolder&) = delete;
    ImmutableFolder& operator=(const ImmutableFolder&) = delete;

    /// False where the file system has no such attribute; the test should then be skipped.
    bool done() const { return m_done; }
    void release() {
        if (m_done && std::system(("chattr -i '" + m_folder.string() + "'").c_str()) == 0)
            m_done = false;
    }

private:
    std::filesystem::path m_folder;
    bool m_done = false;
};

} // namespace sorvane::test
