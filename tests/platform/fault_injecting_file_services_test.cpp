// SPDX-License-Identifier: MIT
#include "fakes/fault_injecting_file_services.h"
#include "platform/posix_file_services.h"

#include "support/directory_contents.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace sorvane::test {
namespace {

namespace fs = std::filesystem;

class FaultInjectingFileServicesTest : public ::testing::Test {
protected:
    PosixFileServices m_real;
    FaultInjectingFileServices m_files{m_real};
    TempDir m_dir;
};

TEST_F(FaultInjectingFileServicesTest, FailsTheChosenOperationOnTheChosenPathOnly) {
    const auto a = m_dir.writeFile("a.txt");
    const auto b = m_dir.writeFile("b.txt");
    m_files.failOn(FileOperation::moveItem, a, ENOSPC);

    const auto failed = m_files.moveItem(a, m_dir / "a2.txt");
    ASSERT_FALSE(failed);
    EXPECT_EQ(failed.error().code, ENOSPC);
    EXPECT_EQ(failed.error().message, "Could not move \u201Ca.txt\u201D: No space left on device.");
    EXPECT_TRUE(fs::exists(a));
    EXPECT_TRUE(m_files.moveItem(b, m_dir / "b2.txt"));
    const auto snapshot = m_files.snapshotItem(a);
    ASSERT_TRUE(snapshot);
    EXPECT_TRUE(m_files.copyItem(a, m_dir / "a3.txt", *snapshot, {}, CopyDurability::flushed));
    EXPECT_EQ(m_files.callCount(FileOperation::moveItem), 2);
    EXPECT_EQ(m_files.callCount(FileOperation::copyItem), 1);
}

TEST_F(FaultInjectingFileServicesTest, MatchesTargetsAnyPathAndALimitedNumberOfCalls) {
    const auto a = m_dir.writeFile("a.txt");
    m_files.failOn(FileOperation::copyItem, m_dir / "Archive/a.txt", EIO);
    EXPECT_FALSE(m_files.copyItem(a, m_dir / "Archive/a.txt", m_real.snapshotItem(a).value(), {},
                                  CopyDurability::flushed));

    m_files.failOn(FileOperation::createDirectory, std::nullopt, EROFS, 2, "Read-only, sorry.");
    const auto first = m_files.createDirectory(m_dir / "One");
    ASSERT_FALSE(first);
    EXPECT_EQ(first.error().message, "Read-only, sorry.");
    EXPECT_FALSE(m_files.createDirectory(m_dir / "Two"));
    EXPECT_TRUE(m_files.createDirectory(m_dir / "Three"));

    m_files.failOn(FileOperation::fileExists, a, ENOENT);
    EXPECT_FALSE(m_files.fileExists(a));
    m_files.clearFaults();
    EXPECT_TRUE(m_files.fileExists(a));
}

TEST_F(FaultInjectingFileServicesTest, ReportsChosenSizesAndShortensCopies) {
    const auto file = m_dir.writeFile("Folder/data.bin", "12345");
    m_files.reportFileSize(file, 4);
    EXPECT_EQ(m_files.resourceValues(file)->fileSize, 4u);
    const auto listing = test::contentsOf(m_files, m_dir / "Folder");
    ASSERT_TRUE(listing);
    EXPECT_EQ(listing->front().values->fileSize, 4u);
    m_files.shortenCopies();
    ASSERT_TRUE(m_files.copyItem(file, m_dir / "copy.bin", m_real.snapshotItem(file).value(), {},
                                 CopyDurability::flushed));
    EXPECT_EQ(fs::file_size(m_dir / "copy.bin"), 4u);
}

TEST_F(FaultInjectingFileServicesTest, TheArchiveVanishesAfterTheChosenNumberOfChanges) {
    const auto archive = m_dir.makeFolder("Archive");
    m_files.vanishAfter(archive, 2);
    EXPECT_TRUE(m_files.createDirectory(archive / "2024-01"));
    EXPECT_TRUE(m_files.fileExists(archive));
    EXPECT_TRUE(m_files.createDirectory(archive / "2024-02"));
    EXPECT_FALSE(m_files.fileExists(archive));
    EXPECT_FALSE(m_files.moveItem(m_dir.writeFile("x.txt"), archive / "2024-02/x.txt"));
    ASSERT_TRUE(m_files.vanishedTo());
    EXPECT_TRUE(fs::exists(*m_files.vanishedTo() / "2024-02"));
}

TEST_F(FaultInjectingFileServicesTest, DesktopIsWhatTheTestSays) {
    m_files.setDesktopDirectory(m_dir.path());
    EXPECT_EQ(m_files.desktopDirectory(), m_dir.path());
    m_files.setDesktopDirectory(std::nullopt);
    EXPECT_EQ(m_files.desktopDirectory(), std::nullopt);
    EXPECT_EQ(m_files.callCount(FileOperation::desktopDirectory), 2);
}

} // namespace
} // namespace sorvane::test
