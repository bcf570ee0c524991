// SPDX-License-Identifier: MIT
#include "support/temp_dir.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <system_error>

namespace sorvane::test {

TempDir::TempDir(const std::filesystem::path& parent) {
    std::string pattern = (parent / "sorvane-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary folder in " + parent.string());
    m_path = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::filesystem::path TempDir::writeFile(const std::filesystem::path& relative,
                                         const std::string& contents) const {
    const auto file = m_path / relative;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out << contents;
    if (!out)
        throw std::runtime_error("cannot write " + file.string());
    return file;
}

std::filesystem::path TempDir::makeFolder(const std::filesystem::path& relative) const {
    const auto folder = m_path / relative;
    std::filesystem::create_directories(folder);
    return folder;
}

} // namespace sorvane::test
