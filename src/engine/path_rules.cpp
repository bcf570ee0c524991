#include "engine/path_rules.h"

namespace sorvane {

std::filesystem::path PathRules::standardized(const std::filesystem::path& path) {
    std::string text = path.lexically_normal().native();
    while (text.size() > 1 && text.back() == '/')
        text.pop_back();
    return text;
}

bool PathRules::isSameOrInside(const std::filesystem::path& path,
                               const std::filesystem::path& folder) {
    return path.native() == folder.native() || isInside(path, folder);
}

bool PathRules::isInside(const std::filesystem::path& path, const std::filesystem::path& folder) {
    const std::string& p = path.native();
    const std::string& f = folder.native();
    if (f == "/")
        return p.size() > 1 && p.front() == '/';
    return p.size() > f.size() && p.compare(0, f.size(), f) == 0 && p[f.size()] == '/';
}

} // namespace sorvane
