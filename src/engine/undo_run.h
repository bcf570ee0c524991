#pragma once

#include "engine/clean_observer.h"
#include "engine/item_transfer.h"
#include "engine/undo_result.h"
#include "history/clean_record.h"

#include <map>

namespace sorvane {

/// Puts the items of one recorded clean back where they came from, never replacing what
/// sits there now, and sends dated sub-folders it empties to the Trash.
class UndoRun {
public:
    UndoRun(FileServices& files, ItemTransfer::Clock now, UndoObserver* observer);

    UndoResult run(const CleanRecord& record, const std::filesystem::path& archive);

    /// After an item came back: its dated sub-folder goes to the Trash when nothing but
    /// ".DS_Store" is left in it and it lies inside `archive`.
    void removeEmptyArchiveFolder(const std::filesystem::path& item,
                                  const std::filesystem::path& archive);

private:
    /// True when the item came back.
    bool restore(const MovedFile& item, UndoResult& result);
    FileResult<std::filesystem::path> putBack(const std::filesystem::path& archived,
                                              const std::filesystem::path& original);

    FileServices& m_files;
    ItemTransfer m_transfer;
    UndoObserver* m_observer;
};

} // namespace sorvane
