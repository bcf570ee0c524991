// SPDX-License-Identifier: MIT
#include "platform/normalised_path.h"

#include <string_view>

namespace sorvane {
namespace {

// Nearly every path asked about is already normal; telling so is much cheaper than building
// its normal form.
bool isNormal(std::string_view text) {
    if (text.empty() || text == "/")
        return false;
    std::size_t start = text[0] == '/' ? 1 : 0;
    for (;;) {
        const auto end = text.find('/', start);
        const auto component = text.substr(start, end - start);
        if (component.empty() || component == "." || component == "..")
            return false;
        if (end == std::string_view::npos)
            return true;
        start = end + 1;
    }
}

} // namespace

std::filesystem::path normalisedPath(const std::filesystem::path& path) {
    if (isNormal(path.native()))
        return path;
    auto result = path.lexically_normal();
    if (!result.has_filename() && result.has_relative_path())
        result = result.parent_path();
    return result;
}

} // namespace sorvane
