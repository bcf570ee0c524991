// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

namespace sorvane {

/// Paths as URI text, byte by byte, so that names that are not UTF-8 survive: the trash's
/// `Path=` lines and the `file://` URIs handed to the file manager.
class PercentEncoding {
public:
    /// Every byte but '/' and RFC 2396's unreserved characters as %XX.
    static std::string encodePath(std::string_view bytes);
    /// Each well-formed %XX as its byte; everything else as it stands.
    static std::string decode(std::string_view encoded);
};

} // namespace sorvane
