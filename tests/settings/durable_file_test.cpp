#include "platform/durable_file.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace sorvane {
namespace {

namespace fs = std::filesystem;

TEST(DurableFileTest, AFailedReplacementLeavesTheTargetAndNoTemporaryFile) {
    test::TempDir folder;
    folder.writeFile("taken/inside", "x");
    const FileStatus status = DurableFile::write(folder / "taken", "new bytes");
    EXPECT_FALSE(status);
    EXPECT_EQ(status.error().code, EISDIR);
    EXPECT_TRUE(fs::is_directory(folder / "taken"));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), {}), 1);
    EXPECT_FALSE(DurableFile::read(folder / "taken"));
}

TEST(DurableFileTest, AReplacementKeepsTheFilesPermissions) {
    test::TempDir folder;
    const fs::path file = folder.writeFile("preferences.json", "{}");
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_TRUE(DurableFile::write(file, "{\"a\": 1}"));
    EXPECT_EQ(DurableFile::read(file).value(), "{\"a\": 1}");
    EXPECT_EQ(fs::status(file).permissions(), fs::perms::owner_read | fs::perms::owner_write);
}

TEST(DurableFileTest, KeepingAsideNeverReplacesAnything) {
    test::TempDir folder;
    const fs::path file = folder.writeFile("history.json", "one");
    folder.writeFile("history.json.unreadable", "older");
    folder.writeFile("history.json.unreadable.2", "oldest");
    EXPECT_EQ(DurableFile::keepAside(file, ".unreadable").value(),
              folder / "history.json.unreadable.3");
    // The kept bytes stay as they were when the file itself is replaced.
    ASSERT_TRUE(DurableFile::write(file, "two"));
    EXPECT_EQ(DurableFile::read(folder / "history.json.unreadable.3").value(), "one");
    EXPECT_EQ(DurableFile::read(folder / "history.json.unreadable").value(), "older");
    EXPECT_EQ(DurableFile::keepAside(folder / "missing", ".unreadable").error().code, ENOENT);
}

} // namespace
} // namespace sorvane
