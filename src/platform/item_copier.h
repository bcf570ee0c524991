#pragma once

#include "platform/file_error.h"

#include <filesystem>
#include <string>
#include <sys/stat.h>

namespace sorvane {

/// Copies one item the way `mv` does across file systems: contents, mode, owner where
/// permitted, access and modification times to the nanosecond, extended attributes (the
/// tags live there), links as links, FIFOs, sockets and device nodes recreated without
/// ever being opened, folders with everything in them.
///
/// A folder holding another mounted file system is not copied at all: copying the mount's
/// contents would make the archive swallow a whole disk, and leaving them out would make a
/// copy that looks complete but is not. Whatever fails, nothing half-made stays at the
/// target. One object serves one copy at a time.
class ItemCopier {
public:
    FileStatus copy(const std::filesystem::path& source, const std::filesystem::path& target);

private:
    int copyEntry(int sourceFolder, const char* sourceName, int targetFolder,
                  const char* targetName, const struct stat& status,
                  const std::filesystem::path& relative, bool& created);
    int copyFile(int sourceFolder, const char* sourceName, int targetFolder, const char* targetName,
                 bool& created);
    int copyFolder(int sourceFolder, const char* sourceName, int targetFolder,
                   const char* targetName, const struct stat& status,
                   const std::filesystem::path& relative, bool& created);
    int copyLink(int sourceFolder, const char* sourceName, int targetFolder, const char* targetName,
                 const struct stat& status, bool& created);
    int copySpecial(int targetFolder, const char* targetName, const struct stat& status,
                    bool& created);

    static int copyData(int from, int to);
    static int copyExtendedAttributes(int from, int to);

    dev_t m_device = 0;
    std::filesystem::path m_failedAt;
    bool m_mountInside = false;
};

} // namespace sorvane
