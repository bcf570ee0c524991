#include "engine/undo_run.h"

#include "engine/path_rules.h"

namespace sorvane {

UndoRun::UndoRun(FileServices& files, ItemTransfer::Clock now, UndoObserver* observer)
    : m_files(files), m_transfer(files, std::move(now)), m_observer(observer) {}

UndoResult UndoRun::run(const CleanRecord& record, const std::filesystem::path& archive) {
    UndoResult result;
    std::size_t done = 0;
    for (const auto& item : record.moved) {
        restore(item, archive, result);
        if (m_observer)
            m_observer->undoProgressed(++done, record.moved.size());
    }
    return result;
}

void UndoRun::restore(const MovedFile& item, const std::filesystem::path& archive,
                      UndoResult& result) {
    const std::filesystem::path archived = item.newPath;
    const std::filesystem::path original = item.originalPath;
    const std::string archivedName = archived.filename().native();
    auto fail = [&](const std::string& reason) {
        result.errors.push_back(archivedName + ": " + reason);
        result.remaining.push_back(item);
    };

    if (!m_files.fileExists(archived)) {
        // With its dated folder gone too, the archive's drive is most likely unplugged: keep
        // the item so that the undo can be tried again when the drive is back.
        const auto folder = archived.parent_path();
        if (!m_files.fileExists(folder))
            return fail("its archive folder \u201C" + folder.filename().native() +
                        "\u201D is not available.");
        result.errors.push_back(archivedName + ": no longer in the archive");
        return;
    }
    const auto home = original.parent_path();
    if (auto made = m_files.createDirectory(home); !made)
        return fail(made.error().description());
    const auto target = m_transfer.uniqueDestination(original.filename().native(), home);
    if (!target)
        return fail(target.error().description());
    if (auto moved = m_transfer.transfer(archived, *target); !moved)
        return fail(moved.error().description());
    result.restored.push_back(item);
    removeEmptyArchiveFolder(archived, archive);
}

void UndoRun::removeEmptyArchiveFolder(const std::filesystem::path& item,
                                       const std::filesystem::path& archive) {
    const auto folder = PathRules::standardized(item.parent_path());
    if (!PathRules::isInside(folder, PathRules::standardized(archive)))
        return;
    // Stops at the first other entry, so undoing n items of one folder does not read the
    // folder n times over.
    auto onlyLeftovers = m_files.directoryHoldsOnly(folder, ".DS_Store");
    if (onlyLeftovers && *onlyLeftovers)
        m_files.trashItem(folder);
}

} // namespace sorvane
