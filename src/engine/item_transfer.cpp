#include "engine/item_transfer.h"

#include "engine/clean_error.h"
#include "history/uuid.h"

#include <cerrno>
#include <climits>

namespace sorvane {
namespace {

constexpr std::size_t maxNameBytes = NAME_MAX;

struct SplitName {
    std::string base;
    std::string extension;
};

// The extension follows the last "." provided something comes before it: "report.final.pdf"
// has "pdf", ".env" and "Makefile" have none.
SplitName split(const std::string& name) {
    const auto dot = name.rfind('.');
    if (dot == std::string::npos || dot == 0 || dot + 1 == name.size())
        return {name, {}};
    return {name.substr(0, dot), name.substr(dot + 1)};
}

std::string withSuffix(const SplitName& name, const std::string& suffix) {
    return name.base + " " + suffix + (name.extension.empty() ? "" : "." + name.extension);
}

// What tells that an item was written to while it was being copied.
struct Fingerprint {
    std::optional<std::uint64_t> size;
    std::optional<Timestamp> modified;
    std::optional<Timestamp> changed;
    friend bool operator==(const Fingerprint&, const Fingerprint&) = default;
};

std::optional<Fingerprint> fingerprint(FileServices& files, const std::filesystem::path& item) {
    auto values = files.resourceValues(item);
    if (!values)
        return std::nullopt;
    return Fingerprint{values->fileSize, values->modificationDate, values->statusChangeDate};
}

std::string quoted(const std::filesystem::path& item) {
    return "\u201C" + item.filename().native() + "\u201D";
}

} // namespace

ItemTransfer::ItemTransfer(FileServices& files, Clock now)
    : m_files(files), m_now(std::move(now)) {}

FileResult<std::filesystem::path>
ItemTransfer::uniqueDestination(const std::string& name,
                                const std::filesystem::path& folder) const {
    if (!m_files.fileExists(folder / name))
        return folder / name;
    const SplitName parts = split(name);
    for (int n = 2; n <= 999; ++n) {
        const std::string candidate = withSuffix(parts, std::to_string(n));
        if (candidate.size() > maxNameBytes)
            return FileError{ENAMETOOLONG, "The name \u201C" + name + "\u201D is taken in \u201C" +
                                               folder.filename().native() +
                                               "\u201D and too long to be numbered."};
        if (!m_files.fileExists(folder / candidate))
            return folder / candidate;
    }
    const auto seconds =
        std::chrono::duration_cast<std::chrono::seconds>(m_now().time_since_epoch()).count();
    return folder / withSuffix(parts, std::to_string(seconds));
}

FileStatus ItemTransfer::transfer(const std::filesystem::path& source,
                                  const std::filesystem::path& target) const {
    auto moved = m_files.moveItem(source, target);
    // Only another file system is a reason to copy. After any other failure a copy whose
    // original could not be removed would leave an unrecorded duplicate behind every day.
    if (moved || moved.error().code != EXDEV)
        return moved;
    return copyAcross(source, target);
}

FileResult<std::filesystem::path> ItemTransfer::transferToFreeName(
    const std::filesystem::path& source, const std::filesystem::path& folder,
    const std::string& name,
    const std::function<void(const std::filesystem::path&)>& willMove) const {
    const auto plain = folder / name;
    if (willMove)
        willMove(plain);
    auto moved = m_files.moveItem(source, plain);
    if (moved)
        return plain;
    if (moved.error().code != EEXIST && moved.error().code != EXDEV)
        return moved.error();

    const auto target = uniqueDestination(name, folder);
    if (!target)
        return target.error();
    if (willMove && *target != plain)
        willMove(*target);
    if (auto transferred = transfer(source, *target); !transferred)
        return transferred.error();
    return *target;
}

FileStatus ItemTransfer::copyAcross(const std::filesystem::path& source,
                                    const std::filesystem::path& target) const {
    const auto before = fingerprint(m_files, source);
    // Under a hidden temporary name until it is complete and verified, so that a run killed
    // half-way never leaves a partial file under a real name.
    const auto temporary =
        target.parent_path() / (".sorvane-copy-" + Uuid::random().toString().substr(0, 8));
    if (auto copied = m_files.copyItem(source, temporary); !copied)
        return copied;

    auto discard = [&](FileError error) -> FileStatus {
        m_files.removeItem(temporary);
        return error;
    };
    if (!copiesMatch(source, temporary))
        return discard(
            {0, CleanError::copyUnverified(source.filename().native()).errorDescription()});
    if (!before || fingerprint(m_files, source) != before)
        return discard({0, quoted(source) + " changed while it was being copied, so it was left "
                                            "where it was."});
    if (auto named = m_files.moveItem(temporary, target); !named)
        return discard(named.error());
    return m_files.removeItem(source);
}

bool ItemTransfer::copiesMatch(const std::filesystem::path& source,
                               const std::filesystem::path& copy) const {
    const auto original = m_files.resourceValues(source);
    const auto duplicate = m_files.resourceValues(copy);
    if (!original || !duplicate)
        return false;
    const bool originalIsFolder = original->isDirectory.value_or(false);
    if (originalIsFolder != duplicate->isDirectory.value_or(false))
        return false;
    if (!originalIsFolder)
        return original->fileSize == duplicate->fileSize;
    const auto a = m_files.folderSummary(source);
    const auto b = m_files.folderSummary(copy);
    return a && b && *a == *b;
}

} // namespace sorvane
