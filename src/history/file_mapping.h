// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <string_view>
#include <utility>

namespace sorvane {

/// A file's bytes mapped read-only, for one pass over them: no copy into the heap, and no
/// memory held once the mapping goes.
class FileMapping {
public:
    FileMapping() = default;
    /// Maps `size` bytes of the open file `fd`; empty when `size` is 0 or mapping fails.
    FileMapping(int fd, std::size_t size);
    ~FileMapping();
    FileMapping(FileMapping&& other) noexcept
        : m_data(std::exchange(other.m_data, nullptr)), m_size(std::exchange(other.m_size, 0)) {}
    FileMapping& operator=(FileMapping&& other) noexcept {
        std::swap(m_data, other.m_data);
        std::swap(m_size, other.m_size);
        return *this;
    }
    FileMapping(const FileMapping&) = delete;
    FileMapping& operator=(const FileMapping&) = delete;

    bool mapped() const { return m_data != nullptr; }
    std::string_view bytes() const { return {static_cast<const char*>(m_data), m_size}; }

private:
    void* m_data = nullptr;
    std::size_t m_size = 0;
};

} // namespace sorvane
