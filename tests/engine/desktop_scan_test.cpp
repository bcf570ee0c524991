#include "engine/desktop_cleaner.h"
#include "platform/posix_file_services.h"
#include "support/file_attributes.h"
#include "support/private_home.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace sorvane {
namespace {

using namespace std::chrono;
using test::setModificationTime;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
namespace fs = std::filesystem;

class DesktopScanTest : public ::testing::Test {
protected:
    DesktopScanTest() { options.destination = home.archive(); }

    fs::path file(const std::string& name) { return home.writeFile(desktop / name, "x"); }
    fs::path folder(const std::string& name) { return home.makeFolder(desktop / name); }
    CleanPreview scan() {
        return DesktopCleaner(files, [this] { return now; }).preview(options);
    }
    std::vector<std::string> eligibleNames() {
        std::vector<std::string> names;
        for (const auto& path : scan().eligible)
            names.push_back(path.filename().native());
        return names;
    }

    test::PrivateHome home;
    test::ScopedEnvironment& env = home.env;
    const fs::path desktop = home.desktop();
    PosixFileServices files;
    CleanOptions options;
    Timestamp now = system_clock::now();
};

TEST_F(DesktopScanTest, anEmptyOrMissingDesktopGivesAnEmptyPreview) {
    EXPECT_EQ(scan(), CleanPreview{});
    fs::remove(desktop);
    EXPECT_EQ(scan(), CleanPreview{});
}

TEST_F(DesktopScanTest, aDesktopThatIsTheHomeFolderIsNoDesktop) {
    home.writeFile(".config/user-dirs.dirs", "XDG_DESKTOP_DIR=\"$HOME/\"\n");
    file("report.pdf");
    home.writeFile("private.txt", "x");
    EXPECT_EQ(scan(), CleanPreview{});
}

TEST_F(DesktopScanTest, housekeepingFilesNeverMoveEvenWithHiddenItemsIncluded) {
    for (const char* name : {".DS_Store", ".localized", "Icon\r", "Icon", ".directory", ".hidden"})
        file(name);
    file("notes.txt");
    options.includeHidden = true;
    const auto preview = scan();
    EXPECT_THAT(eligibleNames(), ElementsAre("notes.txt"));
    EXPECT_EQ(preview.skipped, 6);
    EXPECT_EQ(preview.tagged, 0);
}

TEST_F(DesktopScanTest, hiddenItemsStayUnlessIncluded) {
    file(".env");
    file("secret.txt");
    file("visible.txt");
    home.writeFile(desktop / ".hidden", "secret.txt\n");
    EXPECT_THAT(eligibleNames(), ElementsAre("visible.txt"));
    EXPECT_EQ(scan().skipped, 3);

    options.includeHidden = true;
    EXPECT_THAT(eligibleNames(), ElementsAre(".env", "secret.txt", "visible.txt"));
}

TEST_F(DesktopScanTest, taggedItemsStayAndCountAsTaggedOnlyWhenNoEarlierRuleKeptThem) {
    test::setTags(file("pinned.txt"), "work,red");
    test::setTags(file(".pinned-hidden"), "work");
    test::setTags(folder("Pinned Folder"), "work");
    test::setTags(file("empty-tag.txt"), "");
    file("plain.txt");
    options.moveFolders = false;

    auto preview = scan();
    EXPECT_THAT(eligibleNames(), ElementsAre("empty-tag.txt", "plain.txt"));
    EXPECT_EQ(preview.tagged, 1);
    EXPECT_EQ(preview.skipped, 3);

    options.keepTaggedFiles = false;
    EXPECT_THAT(eligibleNames(), ElementsAre("empty-tag.txt", "pinned.txt", "plain.txt"));
    EXPECT_EQ(scan().tagged, 0);
}

TEST_F(DesktopScanTest, aColourLabelAloneMarksAnItemAsTagged) {
    ResourceValues labelled;
    labelled.isDirectory = false;
    labelled.isHidden = false;
    labelled.labelNumber = 2;
    const DirectoryEntry item{desktop / "labelled.txt", labelled};
    DesktopCleaner cleaner(files);
    EXPECT_EQ(cleaner.classify(item, options), ItemVerdict::tagged);
    options.keepTaggedFiles = false;
    EXPECT_EQ(cleaner.classify(item, options), ItemVerdict::eligible);
}

TEST_F(DesktopScanTest, anItemWhoseValuesCannotBeReadIsJudgedByItsNameAlone) {
    DesktopCleaner cleaner(files);
    options.moveFolders = false;
    options.keepRecentDays = 30;
    EXPECT_EQ(cleaner.classify({desktop / "unreadable", std::nullopt}, options),
              ItemVerdict::eligible);
    EXPECT_EQ(cleaner.classify({desktop / ".unreadable", std::nullopt}, options),
              ItemVerdict::skipped);
}

TEST_F(DesktopScanTest, foldersStayUnlessFoldersMoveButLinksToFoldersAreNotFolders) {
    folder("Project");
    const auto elsewhere = home.makeFolder("Elsewhere");
    fs::create_directory_symlink(elsewhere, desktop / "Shortcut");
    fs::create_symlink(home / "gone", desktop / "Dangling");
    options.moveFolders = false;
    EXPECT_THAT(eligibleNames(), ElementsAre("Dangling", "Shortcut"));
    options.moveFolders = true;
    EXPECT_THAT(eligibleNames(), ElementsAre("Dangling", "Project", "Shortcut"));
}

TEST_F(DesktopScanTest, theArchiveAndEveryFolderHoldingItStayOnTheDesktop) {
    options.destination = desktop / "Archive";
    folder("Archive/2025-03 March");
    folder("Outer/Inner");
    folder("Archive old");
    EXPECT_THAT(eligibleNames(), ElementsAre("Archive old", "Outer"));

    options.destination = desktop / "Outer/Inner/./Archive";
    EXPECT_THAT(eligibleNames(), ElementsAre("Archive", "Archive old"));
}

TEST_F(DesktopScanTest, theArchiveIsRecognisedWhenReachedThroughALink) {
    folder("Archive");
    folder("Other");
    fs::create_directory_symlink(desktop, home / "desk-link");
    options.destination = home / "desk-link/Archive";
    EXPECT_THAT(eligibleNames(), ElementsAre("Other"));
}

TEST_F(DesktopScanTest, nothingMovesWhenTheDesktopLiesInsideTheArchive) {
    file("a.txt");
    folder("b");
    options.destination = desktop;
    EXPECT_THAT(eligibleNames(), IsEmpty());
    EXPECT_EQ(scan().skipped, 2);

    fs::create_directory_symlink(desktop, home / "desk-link");
    options.destination = home / "desk-link";
    EXPECT_THAT(eligibleNames(), IsEmpty());
}

TEST_F(DesktopScanTest, launchersAndDownloadsInProgressStay) {
    for (const char* name : {"firefox.desktop", "movie.mkv.part", "setup.CRDOWNLOAD", "a.download",
                             "b.partial", "finished.zip"})
        file(name);
    const auto preview = scan();
    EXPECT_THAT(eligibleNames(), ElementsAre("finished.zip"));
    EXPECT_EQ(preview.skipped, 5);
}

TEST_F(DesktopScanTest, anItemOnAnotherFileSystemStays) {
    ResourceValues mounted;
    mounted.isDirectory = true;
    mounted.isHidden = false;
    mounted.identity = FileIdentity{0xdead, 0x7ffffff1};
    DesktopCleaner cleaner(files);
    EXPECT_EQ(cleaner.classify({desktop / "USB", mounted}, options), ItemVerdict::skipped);
    mounted.identity->device = files.identityFollowingLinks(desktop)->device;
    EXPECT_EQ(cleaner.classify({desktop / "USB", mounted}, options), ItemVerdict::eligible);
}

TEST_F(DesktopScanTest, recentItemsStayForTheChosenNumberOfDays) {
    setModificationTime(file("23h.txt"), now - hours(23));
    setModificationTime(file("25h.txt"), now - hours(25));
    setModificationTime(file("future.txt"), now + hours(48));
    options.keepRecentDays = 1;
    EXPECT_THAT(eligibleNames(), ElementsAre("25h.txt"));
    options.keepRecentDays = 0;
    EXPECT_THAT(eligibleNames(), ElementsAre("23h.txt", "25h.txt", "future.txt"));
    options.keepRecentDays = -3;
    EXPECT_EQ(eligibleNames().size(), 3u);
}

TEST_F(DesktopScanTest, aRecentDayIsACalendarDayAcrossADaylightSavingChange) {
    env.set("TZ", "Europe/Berlin");
    // Noon on the day the clocks went forward: the day before began only 23 hours earlier.
    now = sys_days{2025y / March / 30} + hours(10); // 12:00 CEST
    setModificationTime(file("after-cutoff.txt"),
                        sys_days{2025y / March / 29} + hours(11) + minutes(30)); // 12:30 CET
    setModificationTime(file("before-cutoff.txt"), sys_days{2025y / March / 29} + hours(10) +
                                                       minutes(30)); // 11:30 CET, 23.5 h ago
    options.keepRecentDays = 1;
    EXPECT_THAT(eligibleNames(), ElementsAre("before-cutoff.txt"));
}

TEST_F(DesktopScanTest, itemsComeInPlainUnicodeOrderOfTheirCanonicalNames) {
    for (const char* name : {"file2", "e\xcc\x81x", "apple",
                             "\xc3\xa9"
                             "a",
                             "Zebra", "file10", "b"})
        file(name);
    EXPECT_THAT(eligibleNames(), ElementsAre("Zebra", "apple", "b", "file10", "file2",
                                             "\xc3\xa9"
                                             "a",
                                             "e\xcc\x81x"));
}

TEST_F(DesktopScanTest, strangeNamesAreScannedLikeAnyOther) {
    const std::string longName = std::string(251, 'n') + ".txt";
    for (const std::string& name : {std::string("line\nbreak"), std::string("carriage\rreturn"),
                                    std::string("latin1-\xff.txt"), longName})
        file(name);
    const auto eligible = scan().eligible;
    ASSERT_EQ(eligible.size(), 4u);
    EXPECT_EQ(eligible[0], desktop / "carriage\rreturn");
    EXPECT_EQ(eligible[1], desktop / "latin1-\xff.txt");
    EXPECT_EQ(eligible[2], desktop / "line\nbreak");
    EXPECT_EQ(eligible[3], desktop / longName);
}

} // namespace
} // namespace sorvane
