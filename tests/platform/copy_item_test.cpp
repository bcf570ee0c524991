// SPDX-License-Identifier: MIT
#include "platform/posix_file_services.h"

#include "support/temp_dir.h"

#include <cerrno>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace sorvane {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

std::string contents(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

struct stat statusOf(const fs::path& item) {
    struct stat status;
    if (lstat(item.c_str(), &status) != 0)
        throw std::runtime_error("cannot examine " + item.string());
    return status;
}

std::string attribute(const fs::path& item, const char* name) {
    char buffer[65536];
    const ssize_t size = lgetxattr(item.c_str(), name, buffer, sizeof buffer);
    return size < 0 ? std::string("<none>") : std::string(buffer, size);
}

// A copy as the engine makes one: of what a snapshot taken just before lists.
FileStatus copy(FileServices& files, const fs::path& source, const fs::path& target,
                const std::function<bool()>& cancelled = {}) {
    const auto snapshot = files.snapshotItem(source);
    if (!snapshot)
        return snapshot.error();
    return files.copyItem(source, target, *snapshot, cancelled, CopyDurability::flushed);
}

void setTimes(const fs::path& item, timespec accessed, timespec modified) {
    const timespec times[2] = {accessed, modified};
    if (utimensat(AT_FDCWD, item.c_str(), times, AT_SYMLINK_NOFOLLOW) != 0)
        throw std::runtime_error("cannot set times of " + item.string());
}

// Check before reading the copy: reading it moves its access time.
void expectTimes(const fs::path& copy, timespec accessed, timespec modified) {
    const auto status = statusOf(copy);
    EXPECT_EQ(status.st_mtim.tv_sec, modified.tv_sec) << copy;
    EXPECT_EQ(status.st_mtim.tv_nsec, modified.tv_nsec) << copy;
    EXPECT_EQ(status.st_atim.tv_sec, accessed.tv_sec) << copy;
    EXPECT_EQ(status.st_atim.tv_nsec, accessed.tv_nsec) << copy;
}

// Every copy test runs from the root disk to tmpfs and back: the copy exists for exactly
// that case, and the two kinds of file system differ in what they keep.
class CopyItemTest : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        if (statusOf(m_disk.path()).st_dev == statusOf(m_memory.path()).st_dev)
            GTEST_SKIP() << "/dev/shm is no separate file system here";
    }
    const TempDir& from() const { return GetParam() ? m_disk : m_memory; }
    const TempDir& to() const { return GetParam() ? m_memory : m_disk; }

    PosixFileServices m_files;
    TempDir m_disk;
    TempDir m_memory{"/dev/shm"};
};

INSTANTIATE_TEST_SUITE_P(BothWays, CopyItemTest, ::testing::Bool(), [](const auto& info) {
    return info.param ? "DiskToTmpfs" : "TmpfsToDisk";
});

TEST_P(CopyItemTest, AFileKeepsContentsModeTimesAndTags) {
    const auto source = from().writeFile("report.pdf", std::string(300000, 'r') + "end");
    ASSERT_EQ(chmod(source.c_str(), 0640), 0);
    ASSERT_EQ(setxattr(source.c_str(), "user.xdg.tags", "red,work", 8, 0), 0);
    ASSERT_EQ(setxattr(source.c_str(), "user.other", "", 0, 0), 0);
    setTimes(source, {1500000000, 987654321}, {1400000000, 123456789});

    const auto target = to() / "report.pdf";
    const auto copied = copy(m_files, source, target);
    ASSERT_TRUE(copied) << copied.error().message;
    expectTimes(target, {1500000000, 987654321}, {1400000000, 123456789});
    EXPECT_EQ(contents(target), contents(source));
    EXPECT_EQ(statusOf(target).st_mode & 07777, 0640u);
    EXPECT_EQ(attribute(target, "user.xdg.tags"), "red,work");
    EXPECT_EQ(attribute(target, "user.other"), "");
    EXPECT_TRUE(fs::exists(source));
}

TEST_P(CopyItemTest, AFolderKeepsLinksSpecialFilesAndItsOwnModeAndTimes) {
    from().writeFile("Project/src/main.cpp", "int main() {}");
    from().writeFile("Project/.git/HEAD", "ref");
    fs::create_symlink("src/main.cpp", from() / "Project/relative-link");
    fs::create_symlink("/nowhere/at/all", from() / "Project/dangling-link");
    ASSERT_EQ(mkfifo((from() / "Project/pipe").c_str(), 0600), 0);
    ASSERT_EQ(chmod((from() / "Project/pipe").c_str(), 0620), 0);
    const auto socketPath = from() / "Project/socket";
    const int sock = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", socketPath.c_str());
    ASSERT_EQ(bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    close(sock);
    const auto readOnly = from() / "Project/src";
    ASSERT_EQ(chmod(readOnly.c_str(), 0555), 0);
    ASSERT_EQ(setxattr((from() / "Project").c_str(), "user.xdg.tags", "blue", 4, 0), 0);
    setTimes(from() / "Project/relative-link", {1300000000, 5}, {1200000000, 7});
    setTimes(readOnly, {1100000000, 11}, {1000000000, 13});
    setTimes(from() / "Project", {900000000, 17}, {800000000, 19});

    const auto target = to() / "Project";
    const auto made = copy(m_files, from() / "Project", target);
    ASSERT_TRUE(made) << made.error().message;
    expectTimes(target / "relative-link", {1300000000, 5}, {1200000000, 7});
    expectTimes(target / "src", {1100000000, 11}, {1000000000, 13});
    expectTimes(target, {900000000, 17}, {800000000, 19});

    EXPECT_EQ(contents(target / "src/main.cpp"), "int main() {}");
    EXPECT_EQ(contents(target / ".git/HEAD"), "ref");
    EXPECT_TRUE(fs::is_symlink(target / "relative-link"));
    EXPECT_EQ(fs::read_symlink(target / "relative-link"), "src/main.cpp");
    EXPECT_EQ(fs::read_symlink(target / "dangling-link"), "/nowhere/at/all");
    EXPECT_TRUE(S_ISFIFO(statusOf(target / "pipe").st_mode));
    EXPECT_EQ(statusOf(target / "pipe").st_mode & 07777, 0620u);
    EXPECT_TRUE(S_ISSOCK(statusOf(target / "socket").st_mode));
    EXPECT_EQ(statusOf(target / "src").st_mode & 07777, 0555u);
    EXPECT_EQ(attribute(target, "user.xdg.tags"), "blue");

    const auto original = m_files.snapshotItem(from() / "Project");
    const auto copied = m_files.snapshotItem(target);
    ASSERT_TRUE(original && copied);
    EXPECT_TRUE(original->sameShapeAs(*copied));
    chmod(readOnly.c_str(), 0755);
}

TEST_P(CopyItemTest, ALinkIsCopiedAsALinkNeverFollowed) {
    from().writeFile("Big/data.bin", "data");
    fs::create_directory_symlink(from() / "Big", from() / "shortcut");
    ASSERT_TRUE(copy(m_files, from() / "shortcut", to() / "shortcut"));
    EXPECT_TRUE(fs::is_symlink(to() / "shortcut"));
    EXPECT_EQ(fs::read_symlink(to() / "shortcut"), from() / "Big");
}

TEST_P(CopyItemTest, AnExistingTargetIsNeverTouched) {
    const auto file = from().writeFile("notes.txt", "new");
    const auto existing = to().writeFile("notes.txt", "old");
    const auto refused = copy(m_files, file, existing);
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error().code, EEXIST);
    EXPECT_EQ(contents(existing), "old");

    from().writeFile("Folder/inner.txt", "new");
    const auto existingFolder = to().writeFile("Folder/mine.txt", "mine");
    EXPECT_FALSE(copy(m_files, from() / "Folder", to() / "Folder"));
    EXPECT_EQ(contents(existingFolder), "mine");
    EXPECT_FALSE(fs::exists(to() / "Folder/inner.txt"));
}

TEST_P(CopyItemTest, NamesOfTheLongestLengthCopy) {
    const std::string name = std::string(250, 'n') + ".txt\xff";
    ASSERT_EQ(name.size(), 255u);
    from().writeFile("Long/" + name, "long");
    ASSERT_TRUE(copy(m_files, from() / "Long", to() / "Long"));
    EXPECT_EQ(contents(to() / "Long" / name), "long");
}

TEST_P(CopyItemTest, HolesStayHoles) {
    const auto source = from() / "disk.img";
    {
        std::ofstream out(source, std::ios::binary);
        out << "head";
        out.seekp(64 << 20);
        out << "tail";
    }
    const auto target = to() / "disk.img";
    ASSERT_TRUE(copy(m_files, source, target));
    EXPECT_EQ(fs::file_size(target), fs::file_size(source));
    EXPECT_LT(statusOf(target).st_blocks * 512, 1 << 20) << "the copy was filled in";
    EXPECT_EQ(contents(target), contents(source));
}

// Deeper than the descriptors a process may hold: the copy and the removal must not hold
// one per level.
TEST_P(CopyItemTest, ATreeDeeperThanTheDescriptorLimitCopiesAndGoes) {
    fs::path deep = "Deep";
    for (int level = 0; level < 300; ++level)
        deep /= "d";
    from().writeFile(deep / "bottom.txt", "bottom");
    rlimit saved;
    getrlimit(RLIMIT_NOFILE, &saved);
    rlimit low = saved;
    low.rlim_cur = 64;
    ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &low), 0);
    const auto snapshot = m_files.snapshotItem(from() / "Deep");
    const auto copied = snapshot ? m_files.copyItem(from() / "Deep", to() / "Deep", *snapshot, {},
                                                    CopyDurability::flushed)
                                 : FileStatus(snapshot.error());
    const auto removed = snapshot ? m_files.removeSnapshot(from() / "Deep", *snapshot)
                                  : FileStatus(snapshot.error());
    setrlimit(RLIMIT_NOFILE, &saved);
    ASSERT_TRUE(copied) << copied.error().message;
    ASSERT_TRUE(removed) << removed.error().message;
    EXPECT_EQ(contents(to() / deep / "bottom.txt"), "bottom");
    EXPECT_FALSE(fs::exists(from() / "Deep"));
}

TEST_P(CopyItemTest, ACancelledCopyLeavesNothingBehind) {
    from().writeFile("Folder/a.txt", "a");
    from().writeFile("Folder/b.txt", "b");
    int asked = 0;
    const auto copied =
        copy(m_files, from() / "Folder", to() / "Folder", [&] { return ++asked > 1; });
    ASSERT_FALSE(copied);
    EXPECT_EQ(copied.error().code, ECANCELED);
    EXPECT_FALSE(fs::exists(to() / "Folder"));
    EXPECT_TRUE(fs::exists(from() / "Folder/b.txt"));
}

TEST_P(CopyItemTest, AnEntryReplacedAfterTheSnapshotFailsTheCopy) {
    from().writeFile("Folder/a.txt", "first");
    const auto snapshot = m_files.snapshotItem(from() / "Folder");
    ASSERT_TRUE(snapshot);
    fs::remove(from() / "Folder/a.txt");
    from().writeFile("Folder/a.txt", "second");
    const auto copied = m_files.copyItem(from() / "Folder", to() / "Folder", *snapshot, {},
                                         CopyDurability::flushed);
    ASSERT_FALSE(copied);
    EXPECT_EQ(copied.error().code, EAGAIN);
    EXPECT_FALSE(fs::exists(to() / "Folder"));
}

TEST(CopyItemFailure, APartialCopyIsRemovedAndTheErrorNamesTheEntry) {
    // tmpfs takes attribute values that ext4's single block cannot hold.
    TempDir memory("/dev/shm");
    TempDir disk;
    memory.writeFile("Folder/a-first.txt", "first");
    const auto big = memory.writeFile("Folder/big-tags.txt", "x");
    const std::string value(8000, 't');
    if (setxattr(big.c_str(), "user.xdg.tags", value.data(), value.size(), 0) != 0)
        GTEST_SKIP() << "tmpfs takes no user attributes here";
    memory.writeFile("Folder/z-last.txt", "last");

    PosixFileServices files;
    const auto copied = copy(files, memory / "Folder", disk / "Folder");
    ASSERT_FALSE(copied);
    EXPECT_NE(copied.error().message.find("Could not copy \u201CFolder\u201D (at "
                                          "\u201CFolder/big-tags.txt\u201D): "),
              std::string::npos)
        << copied.error().message;
    EXPECT_FALSE(fs::exists(disk / "Folder"));
    EXPECT_TRUE(fs::exists(memory / "Folder/z-last.txt"));
}

TEST(CopyItemFailure, AFolderIsNotCopiedIntoItself) {
    TempDir dir;
    dir.writeFile("Folder/inner.txt");
    PosixFileServices files;
    const auto copied = copy(files, dir / "Folder", dir / "Folder/Sub/Folder");
    EXPECT_FALSE(copied);
    const auto intoItself = copy(files, dir / "Folder", dir / "Folder/Folder");
    ASSERT_FALSE(intoItself);
    EXPECT_EQ(intoItself.error().code, EINVAL);
    EXPECT_FALSE(fs::exists(dir / "Folder/Folder"));
}

} // namespace
} // namespace sorvane
