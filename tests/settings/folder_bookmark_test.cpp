// SPDX-License-Identifier: MIT
#include "platform/folder_bookmark.h"
#include "settings_test_home.h"

namespace sorvane {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

class FolderBookmarkTest : public test::SettingsTestHome {
protected:
    std::string bookmarkOf(const fs::path& folder) {
        const auto bytes = FolderBookmark::create(folder);
        EXPECT_TRUE(bytes);
        return bytes.value_or("");
    }

    void expectFoundAt(const std::string& bookmark, const fs::path& where, bool stale) {
        const auto resolved = FolderBookmark::resolve(bookmark);
        ASSERT_TRUE(resolved);
        EXPECT_EQ(resolved->path, where);
        EXPECT_EQ(resolved->stale, stale);
    }
};

TEST_F(FolderBookmarkTest, FindsTheFolderWhereItWas) {
    const fs::path archive = m_home.makeFolder("Documents/Desktop Archive");
    expectFoundAt(bookmarkOf(archive), archive, false);
    // The path is kept as given, a link on the way included.
    fs::create_directory_symlink(m_home / "Documents", m_home / "Docs");
    expectFoundAt(bookmarkOf(m_home / "Docs/Desktop Archive"), m_home / "Docs/Desktop Archive",
                  false);
}

TEST_F(FolderBookmarkTest, FindsAFolderMovedElsewhereBelowHome) {
    const fs::path archive = m_home.makeFolder("Documents/Desktop Archive");
    const std::string bookmark = bookmarkOf(archive);
    m_home.makeFolder("Music/a/b");
    m_home.makeFolder(".cache/deep/er");
    m_home.makeFolder("Projects/2025/Clients");
    fs::rename(archive, m_home / "Projects/2025/Clients/Archive");
    fs::remove(m_home / "Documents");
    expectFoundAt(bookmark, m_home / "Projects/2025/Clients/Archive", true);

    fs::rename(m_home / "Projects/2025/Clients/Archive", m_home / ".cache/deep/er/Archive");
    expectFoundAt(bookmark, m_home / ".cache/deep/er/Archive", true);
}

TEST_F(FolderBookmarkTest, DoesNotTakeANewFolderAtTheOldPathForTheOldOne) {
    const fs::path archive = m_home.makeFolder("Desktop Archive");
    const std::string bookmark = bookmarkOf(archive);
    // File systems hand a freed inode number out again, often at once: the birth time is
    // what tells the two folders apart.
    fs::remove(archive);
    fs::create_directory(archive);
    EXPECT_FALSE(FolderBookmark::resolve(bookmark));
}

TEST_F(FolderBookmarkTest, GivesUpOnFoldersGoneOrOutOfReach) {
    test::TempDir outside;
    const fs::path archive = m_home.makeFolder("Documents/Desktop Archive");
    const std::string bookmark = bookmarkOf(archive);

    // Reached only through a symbolic link: not followed.
    fs::create_directory_symlink(outside.path(), m_home / "link");
    fs::rename(archive, outside / "Desktop Archive");
    EXPECT_FALSE(FolderBookmark::resolve(bookmark));

    // In the Trash: the user threw it away, so it is not the archive any more.
    const fs::path trash = m_home.makeFolder(".local/share/Trash/files");
    fs::rename(outside / "Desktop Archive", trash / "Desktop Archive");
    EXPECT_FALSE(FolderBookmark::resolve(bookmark));

    // Below home but beyond the time allowed for looking.
    fs::rename(trash / "Desktop Archive", m_home.makeFolder("Music") / "Desktop Archive");
    EXPECT_FALSE(FolderBookmark::resolve(bookmark, 0ms));
    EXPECT_TRUE(FolderBookmark::resolve(bookmark));

    fs::remove(m_home / "Music/Desktop Archive");
    EXPECT_FALSE(FolderBookmark::resolve(bookmark));
}

TEST_F(FolderBookmarkTest, RefusesWhatIsNotAFolderOrNotABookmark) {
    EXPECT_FALSE(FolderBookmark::create(m_home.writeFile("file.txt", "x")));
    EXPECT_FALSE(FolderBookmark::create(m_home / "missing"));
    EXPECT_FALSE(FolderBookmark::create("relative/folder"));

    const std::string bookmark = bookmarkOf(m_home.makeFolder("Archive"));
    EXPECT_FALSE(FolderBookmark::resolve(""));
    EXPECT_FALSE(FolderBookmark::resolve("book\0mark"));
    EXPECT_FALSE(FolderBookmark::resolve(bookmark.substr(0, bookmark.size() - 1)));
    EXPECT_FALSE(FolderBookmark::resolve(bookmark + "x"));
    std::string otherVersion = bookmark;
    otherVersion[4] = 9;
    EXPECT_FALSE(FolderBookmark::resolve(otherVersion));
}

} // namespace
} // namespace sorvane
