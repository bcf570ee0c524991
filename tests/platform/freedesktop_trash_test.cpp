// SPDX-License-Identifier: MIT
#include "platform/freedesktop_trash.h"
#include "platform/percent_encoding.h"
#include "platform/posix_file_services.h"

#include "support/scoped_environment.h"
#include "support/temp_dir.h"

#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <regex>
#include <sys/stat.h>
#include <unistd.h>

namespace sorvane {
namespace {

namespace fs = std::filesystem;
using test::ScopedEnvironment;
using test::TempDir;

std::string contents(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::string pathLine(const fs::path& info) {
    const auto text = contents(info);
    const auto start = text.find("\nPath=");
    if (start == std::string::npos)
        return {};
    return text.substr(start + 6, text.find('\n', start + 6) - start - 6);
}

std::string run(const std::string& command) {
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        while (const auto got = fread(buffer, 1, sizeof buffer, pipe))
            output.append(buffer, got);
        pclose(pipe);
    }
    return output;
}

class TrashTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_environment.set("HOME", m_home.path().string());
        m_environment.unset("XDG_DATA_HOME");
    }
    fs::path trash() const { return m_home / ".local/share/Trash"; }

    PosixFileServices m_files;
    TempDir m_home;
    ScopedEnvironment m_environment;
};

TEST_F(TrashTest, CreatesTheHomeTrashAndWritesAnInfoFileForTheItem) {
    ASSERT_FALSE(fs::exists(m_home / ".local"));
    const auto folder = m_home.writeFile("Archive/2024-03/inner.txt", "x").parent_path();

    const auto trashed = m_files.trashItem(folder, {});
    ASSERT_TRUE(trashed) << trashed.error().message;
    EXPECT_FALSE(fs::exists(folder));
    EXPECT_TRUE(fs::exists(trash() / "files/2024-03/inner.txt"));
    for (const auto& part : {trash(), trash() / "files", trash() / "info"}) {
        struct stat status;
        ASSERT_EQ(stat(part.c_str(), &status), 0);
        EXPECT_EQ(status.st_mode & 0777, 0700u) << part;
    }
    const auto info = contents(trash() / "info/2024-03.trashinfo");
    EXPECT_TRUE(std::regex_match(info, std::regex("\\[Trash Info\\]\nPath=" + folder.string() +
                                                  "\nDeletionDate=\\d{4}-\\d\\d-\\d\\dT\\d\\d:"
                                                  "\\d\\d:\\d\\d\n")))
        << info;
}

TEST_F(TrashTest, PathIsPercentEncodedAndDecodesToTheOriginalBytes) {
    const std::string name = "50% off\nreport \xff (final).txt";
    const auto item = m_home.writeFile(name);
    ASSERT_TRUE(m_files.trashItem(item, {}));
    const auto encoded = pathLine(trash() / "info" / (name + ".trashinfo"));
    EXPECT_TRUE(encoded.ends_with("/50%25%20off%0Areport%20%FF%20(final).txt")) << encoded;
    EXPECT_EQ(PercentEncoding::decode(encoded), item.string());
    EXPECT_EQ(contents(trash() / "files" / name), "");
}

TEST_F(TrashTest, ATakenNameGetsANumberedOneAndBothEntriesStayPaired) {
    ASSERT_TRUE(m_files.trashItem(m_home.writeFile("One/report.pdf", "first"), {}));
    ASSERT_TRUE(m_files.trashItem(m_home.writeFile("Two/report.pdf", "second"), {}));
    // A leftover without an info file must not be replaced either.
    m_home.writeFile(".local/share/Trash/files/report 3.pdf", "orphan");
    ASSERT_TRUE(m_files.trashItem(m_home.writeFile("Three/report.pdf", "third"), {}));

    EXPECT_EQ(contents(trash() / "files/report.pdf"), "first");
    EXPECT_EQ(contents(trash() / "files/report 2.pdf"), "second");
    EXPECT_EQ(contents(trash() / "files/report 3.pdf"), "orphan");
    EXPECT_EQ(contents(trash() / "files/report 4.pdf"), "third");
    EXPECT_EQ(pathLine(trash() / "info/report 2.pdf.trashinfo"),
              (m_home / "Two/report.pdf").string());
    EXPECT_EQ(pathLine(trash() / "info/report 4.pdf.trashinfo"),
              (m_home / "Three/report.pdf").string());
    EXPECT_FALSE(fs::exists(trash() / "info/report 3.pdf.trashinfo"));
}

TEST_F(TrashTest, ANameOfTheLongestLengthIsShortenedInTheTrashOnly) {
    const std::string name = std::string(249, 'a') + "\xc3\xa9.txt"; // 255 bytes, "é" near the cut
    ASSERT_EQ(name.size(), 255u);
    const auto item = m_home.writeFile(name, "long");
    const auto trashed = m_files.trashItem(item, {});
    ASSERT_TRUE(trashed) << trashed.error().message;
    std::vector<fs::path> infos;
    for (const auto& entry : fs::directory_iterator(trash() / "info"))
        infos.push_back(entry.path());
    ASSERT_EQ(infos.size(), 1u);
    EXPECT_LE(infos[0].filename().string().size(), 255u);
    EXPECT_EQ(PercentEncoding::decode(pathLine(infos[0])), item.string());
    const auto stored = infos[0].stem();
    EXPECT_EQ(contents(trash() / "files" / stored), "long");
    EXPECT_EQ(FreedesktopTrash::candidateName(name, 1).size(), 245u);
    const auto second = FreedesktopTrash::candidateName(name, 2);
    EXPECT_EQ(second.size(), 245u);
    EXPECT_TRUE(second.ends_with("a 2.txt")) << second;
    EXPECT_EQ(FreedesktopTrash::candidateName(std::string(244, 'b') + "\xc3\xa9", 1),
              std::string(244, 'b'));
}

TEST_F(TrashTest, AFailedMoveLeavesNoInfoFileBehind) {
    const auto item = m_home.writeFile("Stuck/file.txt");
    ASSERT_EQ(std::system(("chattr +i '" + item.parent_path().string() + "'").c_str()), 0);
    const auto trashed = m_files.trashItem(item, {});
    [[maybe_unused]] int ignored =
        std::system(("chattr -i '" + item.parent_path().string() + "'").c_str());
    ASSERT_FALSE(trashed);
    EXPECT_EQ(trashed.error().message,
              "Could not move \u201Cfile.txt\u201D to the Trash: Operation not permitted.");
    EXPECT_TRUE(fs::is_empty(trash() / "info"));
    EXPECT_TRUE(fs::exists(item));
}

TEST(TrashInfo, DeletionDateIsLocalTime) {
    ScopedEnvironment environment;
    environment.set("TZ", "Europe/Berlin");
    TempDir data;
    const auto item = data.writeFile("note.txt");
    // 2024-07-01 12:30:45 UTC is 14:30:45 in Berlin's summer time.
    FreedesktopTrash trash(data.path(), getuid(),
                           [] { return Timestamp(std::chrono::seconds(1719837045)); });
    ASSERT_TRUE(trash.trash(item));
    EXPECT_NE(contents(data / "Trash/info/note.txt.trashinfo")
                  .find("\nDeletionDate=2024-07-01T14:30:45\n"),
              std::string::npos);
}

TEST_F(TrashTest, TrashCliListsWhatWasTrashed) {
    if (run("command -v trash-list").empty())
        GTEST_SKIP() << "trash-list is not installed";
    const auto item = m_home.writeFile("Desktop/50% plan B.txt");
    ASSERT_TRUE(m_files.trashItem(item, {}));
    const auto listing = run("HOME='" + m_home.path().string() + "' XDG_DATA_HOME='" +
                             (m_home / ".local/share").string() + "' trash-list 2>&1");
    EXPECT_NE(listing.find(" " + item.string() + "\n"), std::string::npos) << listing;
}

TEST_F(TrashTest, AnItemOnAnotherFileSystemGoesToThatFileSystemsTrash) {
    TempDir memory("/dev/shm");
    struct stat home, shm;
    ASSERT_EQ(stat(m_home.path().c_str(), &home), 0);
    ASSERT_EQ(stat("/dev/shm", &shm), 0);
    if (home.st_dev == shm.st_dev)
        GTEST_SKIP() << "/dev/shm is on the home folder's file system here";
    const auto item = memory.writeFile("Dated/file.txt").parent_path();
    const auto topTrash = fs::path("/dev/shm") / (".Trash-" + std::to_string(getuid()));
    const auto stored = topTrash / "files" / item.filename();
    const auto info = topTrash / "info" / (item.filename().string() + ".trashinfo");
    ASSERT_FALSE(fs::exists(stored));
    const bool trashExisted = fs::exists(topTrash);

    const auto trashed = m_files.trashItem(item, {});
    ASSERT_TRUE(trashed) << trashed.error().message;
    EXPECT_TRUE(fs::exists(stored / "file.txt"));
    EXPECT_EQ(pathLine(info), fs::relative(item, "/dev/shm").string());
    EXPECT_FALSE(fs::exists(trash()));
    fs::remove_all(stored);
    fs::remove(info);
    if (!trashExisted)
        fs::remove_all(topTrash);
}

} // namespace
} // namespace sorvane
