// SPDX-License-Identifier: MIT
#include "platform/durable_file.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <optional>

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

TEST(DurableFileTest, FilesAreTheOwnersOnlyAndANarrowerModeIsKept) {
    using enum fs::perms;
    struct Case {
        std::optional<fs::perms> before;
        fs::perms after;
    };
    const Case cases[] = {
        {std::nullopt, owner_read | owner_write},
        {owner_read | owner_write | group_read | others_read, owner_read | owner_write},
        {all, owner_read | owner_write},
        {owner_read, owner_read},
    };
    for (const auto& [before, after] : cases) {
        test::TempDir folder;
        const fs::path file = folder / "preferences.json";
        if (before) {
            folder.writeFile("preferences.json", "{}");
            fs::permissions(file, *before);
        }
        ASSERT_TRUE(DurableFile::write(file, "{\"a\": 1}"));
        EXPECT_EQ(DurableFile::read(file).value(), "{\"a\": 1}");
        EXPECT_EQ(fs::status(file).permissions(), after);
    }
    test::TempDir parent;
    DurableFile::makeFolder(parent / "new/Sorvane");
    EXPECT_EQ(fs::status(parent / "new/Sorvane").permissions(), owner_all);
}

TEST(DurableFileTest, ALinkIsResolvedSoThatItStaysALink) {
    test::TempDir folder;
    const fs::path target = folder.writeFile("dotfiles/history.json", "[]");
    fs::create_directories(folder / "data");
    fs::create_symlink("../dotfiles/history.json", folder / "data/history.json");
    EXPECT_EQ(DurableFile::resolved(folder / "data/history.json"), target);
    EXPECT_EQ(DurableFile::resolved(folder / "data/missing.json"), folder / "data/missing.json");
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
