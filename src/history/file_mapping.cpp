// SPDX-License-Identifier: MIT
#include "history/file_mapping.h"

#include <sys/mman.h>

namespace sorvane {

FileMapping::FileMapping(int fd, std::size_t size) {
    if (size == 0)
        return;
    void* data = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
    if (data == MAP_FAILED)
        return;
    ::madvise(data, size, MADV_SEQUENTIAL);
    m_data = data;
    m_size = size;
}

FileMapping::~FileMapping() {
    if (m_data)
        ::munmap(m_data, m_size);
}

} // namespace sorvane
