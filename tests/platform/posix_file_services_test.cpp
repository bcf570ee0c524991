// SPDX-License-Identifier: MIT
#include "platform/posix_file_services.h"

#include "support/directory_contents.h"
#include "support/scoped_environment.h"
#include "support/temp_dir.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace sorvane {
namespace {

namespace fs = std::filesystem;
using test::ScopedEnvironment;
using test::TempDir;

const ResourceValues& valuesOf(const std::vector<DirectoryEntry>& entries, const fs::path& path) {
    const auto found =
        std::find_if(entries.begin(), entries.end(),
                     [&](const DirectoryEntry& entry) { return entry.path == path; });
    if (found == entries.end() || !found->values)
        throw std::runtime_error("no values for " + path.string());
    return *found->values;
}

void setTags(const fs::path& item, const std::string& value) {
    if (setxattr(item.c_str(), "user.xdg.tags", value.data(), value.size(), 0) != 0)
        throw std::runtime_error("cannot tag " + item.string());
}

// Makes a file immutable for the test's life: even root cannot change it, which is how a
// refusal is provoked where permissions mean nothing.
class Immutable {
public:
    explicit Immutable(fs::path path) : m_path(std::move(path)) {
        if (std::system(("chattr +i '" + m_path.string() + "'").c_str()) != 0)
            throw std::runtime_error("chattr failed");
    }
    ~Immutable() {
        [[maybe_unused]] int ignored = std::system(("chattr -i '" + m_path.string() + "'").c_str());
    }

private:
    fs::path m_path;
};

class PosixFileServicesTest : public ::testing::Test {
protected:
    PosixFileServices m_files;
    TempDir m_dir;
};

class DesktopDirectoryTest : public PosixFileServicesTest {
protected:
    void SetUp() override {
        m_environment.set("HOME", m_dir.path().string());
        m_environment.unset("XDG_CONFIG_HOME");
    }
    void setDesktopLine(const std::string& value) {
        m_dir.writeFile(".config/user-dirs.dirs", "XDG_DESKTOP_DIR=\"" + value + "\"\n");
    }
    ScopedEnvironment m_environment;
};

TEST_F(DesktopDirectoryTest, IsTheXdgDesktopWhenItExists) {
    EXPECT_EQ(m_files.desktopDirectory(), std::nullopt);
    m_dir.makeFolder("Desktop");
    EXPECT_EQ(m_files.desktopDirectory(), m_dir / "Desktop");
    m_dir.makeFolder("Bureau");
    setDesktopLine("$HOME/Bureau/");
    EXPECT_EQ(m_files.desktopDirectory(), m_dir / "Bureau");
}

TEST_F(DesktopDirectoryTest, IsNoneWhenItIsTheHomeFolderTheRootOrNotAFolder) {
    m_dir.makeFolder("Desktop");
    for (const std::string value : {"$HOME/", "$HOME", "$HOME/.", "$HOME/Desktop/..", "/"}) {
        setDesktopLine(value);
        EXPECT_EQ(m_files.desktopDirectory(), std::nullopt) << value;
    }
    fs::create_directory_symlink(m_dir.path(), m_dir / "HomeLink");
    setDesktopLine("$HOME/HomeLink");
    EXPECT_EQ(m_files.desktopDirectory(), std::nullopt);
    m_dir.writeFile("File");
    setDesktopLine("$HOME/File");
    EXPECT_EQ(m_files.desktopDirectory(), std::nullopt);
}

TEST_F(PosixFileServicesTest, ListingDescribesEachKindOfEntryWithoutFollowingLinks) {
    const auto file = m_dir.writeFile("notes.txt", "hello");
    const auto folder = m_dir.makeFolder("Project");
    const auto folderLink = m_dir / "Project link";
    fs::create_directory_symlink(folder, folderLink);
    const auto dangling = m_dir / "dangling";
    fs::create_symlink(m_dir / "nowhere", dangling);
    const auto dotFile = m_dir.writeFile(".env");
    const auto listedHidden = m_dir.writeFile("secret.txt");
    m_dir.writeFile(".hidden", "secret.txt\r\nnot-there\n");
    const timespec times[2] = {{1700000000, 111}, {1600000000, 123456789}};
    ASSERT_EQ(utimensat(AT_FDCWD, file.c_str(), times, AT_SYMLINK_NOFOLLOW), 0);

    const auto listing = test::contentsOf(m_files, m_dir.path());
    ASSERT_TRUE(listing) << listing.error().message;
    EXPECT_EQ(listing->size(), 7u);

    const auto& fileValues = valuesOf(*listing, file);
    EXPECT_EQ(fileValues.isDirectory, false);
    EXPECT_EQ(fileValues.isRegularFile, true);
    EXPECT_EQ(fileValues.isHidden, false);
    EXPECT_EQ(fileValues.fileSize, 5u);
    EXPECT_EQ(fileValues.modificationDate,
              Timestamp(std::chrono::seconds(1600000000) + std::chrono::nanoseconds(123456789)));
    EXPECT_TRUE(fileValues.statusChangeDate.has_value());
    EXPECT_EQ(fileValues.labelNumber, std::nullopt);
    struct stat status;
    ASSERT_EQ(lstat(file.c_str(), &status), 0);
    EXPECT_EQ(fileValues.identity, (FileIdentity{status.st_dev, status.st_ino}));

    EXPECT_EQ(valuesOf(*listing, folder).isDirectory, true);
    EXPECT_EQ(valuesOf(*listing, folder).fileSize, std::nullopt);
    EXPECT_EQ(valuesOf(*listing, folderLink).isDirectory, false);
    EXPECT_EQ(valuesOf(*listing, folderLink).isRegularFile, false);
    EXPECT_EQ(valuesOf(*listing, dangling).isRegularFile, false);
    EXPECT_TRUE(m_files.fileExists(dangling));
    EXPECT_FALSE(m_files.fileExists(m_dir / "nowhere"));
    EXPECT_EQ(valuesOf(*listing, dotFile).isHidden, true);
    EXPECT_EQ(valuesOf(*listing, listedHidden).isHidden, true);
}

TEST_F(PosixFileServicesTest, TagsComeFromTheXdgTagsAttribute) {
    const auto tagged = m_dir.writeFile("tagged.txt");
    setTags(tagged, "red, work,,");
    const auto untagged = m_dir.writeFile("plain.txt");

    const auto listing = test::contentsOf(m_files, m_dir.path());
    ASSERT_TRUE(listing);
    EXPECT_EQ(valuesOf(*listing, tagged).tagNames, (std::vector<std::string>{"red", "work"}));
    EXPECT_EQ(valuesOf(*listing, untagged).tagNames, std::vector<std::string>{});
    EXPECT_EQ(m_files.resourceValues(tagged)->tagNames, (std::vector<std::string>{"red", "work"}));
}

TEST_F(PosixFileServicesTest, CreationDateIsTheBirthTimeWhereTheFileSystemKeepsOne) {
    const auto before = std::chrono::system_clock::now() - std::chrono::seconds(2);
    const auto file = m_dir.writeFile("new.txt");
    struct statx status;
    ASSERT_EQ(statx(AT_FDCWD, file.c_str(), 0, STATX_BTIME, &status), 0);
    if (!(status.stx_mask & STATX_BTIME))
        GTEST_SKIP() << "this file system keeps no birth times";
    const auto values = m_files.resourceValues(file);
    ASSERT_TRUE(values && values->creationDate);
    EXPECT_GE(*values->creationDate, before);
    EXPECT_LE(*values->creationDate, std::chrono::system_clock::now() + std::chrono::seconds(2));
}

TEST_F(PosixFileServicesTest, ResourceValuesOfOneItemConsultTheParentsHiddenFile) {
    const auto item = m_dir.writeFile("Sub/listed.txt");
    m_dir.writeFile("Sub/.hidden", "listed.txt\n");
    EXPECT_EQ(m_files.resourceValues(item)->isHidden, true);
    EXPECT_EQ(m_files.resourceValues(m_dir / "Sub/")->isHidden, false);
    EXPECT_EQ(m_files.resourceValues(m_dir / "Sub/")->isDirectory, true);

    const auto missing = m_files.resourceValues(m_dir / "gone.txt");
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.error().code, ENOENT);
    EXPECT_EQ(missing.error().message,
              "Could not read the properties of \u201Cgone.txt\u201D: No such file or directory.");
}

TEST_F(PosixFileServicesTest, ListingAMissingFolderFails) {
    const auto listing = test::contentsOf(m_files, m_dir / "absent");
    ASSERT_FALSE(listing);
    EXPECT_EQ(listing.error().code, ENOENT);
    EXPECT_FALSE(m_files.directoryHoldsOnly(m_dir / "absent", ".DS_Store"));
}

TEST_F(PosixFileServicesTest, DirectoryHoldsOnlyTheAllowedName) {
    const auto folder = m_dir.makeFolder("Dated");
    EXPECT_EQ(m_files.directoryHoldsOnly(folder, ".DS_Store").value(), true);
    m_dir.writeFile("Dated/.DS_Store");
    EXPECT_EQ(m_files.directoryHoldsOnly(folder, ".DS_Store").value(), true);
    m_dir.writeFile("Dated/left.txt");
    EXPECT_EQ(m_files.directoryHoldsOnly(folder, ".DS_Store").value(), false);
}

TEST_F(PosixFileServicesTest, IdentityFollowingLinksNamesTheLinkedFolderIdentityTheLinkItself) {
    const auto folder = m_dir.makeFolder("Real");
    fs::create_directory_symlink(folder, m_dir / "Alias");
    EXPECT_EQ(m_files.identityFollowingLinks(m_dir / "Alias"),
              m_files.identityFollowingLinks(folder));
    EXPECT_EQ(m_files.identityFollowingLinks(m_dir / "absent"), std::nullopt);

    struct stat link;
    ASSERT_EQ(lstat((m_dir / "Alias").c_str(), &link), 0);
    const FileIdentity itself{link.st_dev, link.st_ino};
    EXPECT_EQ(m_files.identity(m_dir / "Alias"), itself);
    EXPECT_EQ(m_files.identity(m_dir.path() / "Alias/"), itself);
    EXPECT_EQ(m_files.identity(m_dir / "absent"), std::nullopt);
}

TEST_F(PosixFileServicesTest, CreateDirectoryMakesParentsAcceptsAFolderRefusesAFile) {
    EXPECT_TRUE(m_files.createDirectory(m_dir / "Archive/2024/March"));
    EXPECT_TRUE(fs::is_directory(m_dir / "Archive/2024/March"));
    EXPECT_TRUE(m_files.createDirectory(m_dir / "Archive/2024/"));
    m_dir.writeFile("Archive/file");
    const auto onFile = m_files.createDirectory(m_dir / "Archive/file");
    ASSERT_FALSE(onFile);
    EXPECT_EQ(onFile.error().code, ENOTDIR);
    EXPECT_FALSE(m_files.createDirectory(m_dir / "Archive/file/below"));
}

TEST_F(PosixFileServicesTest, MoveRenamesButNeverReplaces) {
    const auto source = m_dir.writeFile("notes.txt", "new");
    const auto target = m_dir.writeFile("Archive/notes.txt", "old");
    const auto refused = m_files.moveItem(source, target);
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error().code, EEXIST);
    EXPECT_EQ(refused.error().message, "Could not move \u201Cnotes.txt\u201D: File exists.");
    EXPECT_TRUE(fs::exists(source));

    const auto folder = m_dir.makeFolder("Folder");
    const auto existingFolder = m_dir.makeFolder("Archive/Folder");
    EXPECT_FALSE(m_files.moveItem(folder, existingFolder));

    EXPECT_TRUE(m_files.moveItem(source, m_dir / "Archive/notes 2.txt"));
    EXPECT_FALSE(fs::exists(source));
    std::ifstream moved(m_dir / "Archive/notes.txt");
    std::string text((std::istreambuf_iterator<char>(moved)), {});
    EXPECT_EQ(text, "old");
}

TEST_F(PosixFileServicesTest, MoveToAnotherFileSystemFailsWithExdevAndLeavesTheSource) {
    TempDir other("/dev/shm");
    struct stat here, there;
    ASSERT_EQ(stat(m_dir.path().c_str(), &here), 0);
    ASSERT_EQ(stat(other.path().c_str(), &there), 0);
    if (here.st_dev == there.st_dev)
        GTEST_SKIP() << "/dev/shm is on the same file system here";
    const auto source = m_dir.writeFile("notes.txt");
    const auto moved = m_files.moveItem(source, other / "notes.txt");
    ASSERT_FALSE(moved);
    EXPECT_EQ(moved.error().code, EXDEV);
    EXPECT_TRUE(fs::exists(source));
    EXPECT_FALSE(fs::exists(other / "notes.txt"));
}

TEST_F(PosixFileServicesTest, RemoveTakesAWholeTreeButNothingALinkPointsTo) {
    const auto outside = m_dir.writeFile("Outside/keep.txt", "keep");
    m_dir.writeFile("Tree/a/b/c.txt", "c");
    fs::create_directory_symlink(m_dir / "Outside", m_dir / "Tree/a/to-outside");
    fs::create_symlink(outside, m_dir / "Tree/file-link");
    ASSERT_EQ(mkfifo((m_dir / "Tree/pipe").c_str(), 0600), 0);

    EXPECT_TRUE(m_files.removeItem(m_dir / "Tree"));
    EXPECT_FALSE(fs::exists(m_dir / "Tree"));
    EXPECT_TRUE(fs::exists(outside));

    fs::create_symlink(m_dir / "Outside", m_dir / "lonely-link");
    EXPECT_TRUE(m_files.removeItem(m_dir / "lonely-link"));
    EXPECT_TRUE(fs::exists(outside));
}

TEST_F(PosixFileServicesTest, RemoveReportsTheEntryThatRefused) {
    const auto stuck = m_dir.writeFile("Tree/inner/stuck.txt");
    Immutable immutable(stuck);
    const auto removed = m_files.removeItem(m_dir / "Tree");
    ASSERT_FALSE(removed);
    EXPECT_EQ(removed.error().code, EPERM);
    EXPECT_EQ(removed.error().message, "Could not remove \u201CTree\u201D (at "
                                       "\u201CTree/inner/stuck.txt\u201D): Operation not "
                                       "permitted.");
    EXPECT_TRUE(fs::exists(stuck));
    EXPECT_FALSE(m_files.removeItem(m_dir / "absent"));
}

TEST_F(PosixFileServicesTest, ASnapshotListsEveryEntryAndFollowsNoLink) {
    const auto huge = m_dir.makeFolder("Huge");
    for (int i = 0; i < 50; ++i)
        m_dir.writeFile("Huge/f" + std::to_string(i), std::string(1000, 'x'));
    m_dir.writeFile("Tree/a.txt", "12345");
    m_dir.writeFile("Tree/.hidden-file", "123");
    m_dir.writeFile("Tree/Sub/b.bin", std::string(100, 'b'));
    m_dir.makeFolder("Tree/Sub/Empty");
    fs::create_directory_symlink(huge, m_dir / "Tree/Sub/huge-link");
    fs::create_symlink("missing", m_dir / "Tree/dangling");

    const auto snapshot = m_files.snapshotItem(m_dir / "Tree");
    ASSERT_TRUE(snapshot);
    std::set<std::string> listed;
    for (const auto& entry : snapshot->entries)
        listed.insert(entry.relative + (entry.isFolder() ? "/" : ""));
    EXPECT_EQ(listed, (std::set<std::string>{"/", "a.txt", ".hidden-file", "Sub/", "Sub/b.bin",
                                             "Sub/Empty/", "Sub/huge-link", "dangling"}));
    for (const auto& entry : snapshot->entries) {
        for (std::size_t i = entry.firstChild; i < entry.firstChild + entry.childCount; ++i)
            EXPECT_EQ(fs::path(snapshot->entries[i].relative).parent_path(), entry.relative);
    }

    const auto missing = m_files.snapshotItem(m_dir / "absent");
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.error().code, ENOENT);
}

} // namespace
} // namespace sorvane
