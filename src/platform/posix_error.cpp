#include "platform/posix_error.h"

#include <cstring>

namespace sorvane {

std::string errorText(int code) {
    char buffer[256];
    // The GNU strerror_r returns the text, which may or may not live in `buffer`.
    return strerror_r(code, buffer, sizeof buffer);
}

std::string quotedName(const std::filesystem::path& item) {
    auto name = item.filename();
    if (name.empty())
        name = item.parent_path().filename();
    if (name.empty())
        name = item;
    return "\u201C" + name.string() + "\u201D";
}

FileError posixError(std::string_view action, const std::filesystem::path& item, int code,
                     std::string_view afterName) {
    return {code, "Could not " + std::string(action) + " " + quotedName(item) +
                      std::string(afterName) + ": " + errorText(code) + "."};
}

FileError posixError(std::string_view action, const std::filesystem::path& item,
                     const std::filesystem::path& inner, int code, std::string_view afterName) {
    if (inner.empty() || inner == item.filename())
        return posixError(action, item, code, afterName);
    return {code, "Could not " + std::string(action) + " " + quotedName(item) +
                      std::string(afterName) + " (at \u201C" + inner.string() +
                      "\u201D): " + errorText(code) + "."};
}

} // namespace sorvane
