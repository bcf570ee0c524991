// SPDX-License-Identifier: MIT
#pragma once

#include "record/uuid.h"

#include <string>

namespace sorvane {

/// One item that reached the archive. Paths are the raw bytes of absolute POSIX paths, so a
/// name that is not valid UTF-8 is carried unchanged.
struct MovedFile {
    Uuid id;
    std::string originalPath;
    std::string newPath;

    friend bool operator==(const MovedFile&, const MovedFile&) = default;
};

} // namespace sorvane
