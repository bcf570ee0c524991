// SPDX-License-Identifier: MIT
#include "engine/desktop_cleaner.h"
#include "fakes/fault_injecting_file_services.h"
#include "platform/posix_file_services.h"
#include "platform/resource_reader.h"
#include "support/file_attributes.h"
#include "support/private_home.h"

#include <cerrno>
#include <cstring>
#include <gmock/gmock.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

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

TEST_F(DesktopScanTest, theHomeFolderAnyFolderAboveItOrSomeoneElsesIsNoDesktop) {
    file("report.pdf");
    home.writeFile("private.txt", "x");
    fs::create_directory_symlink(home.path().parent_path(), home.path() / "Up");
    const auto others = home.makeFolder("Shared");
    home.writeFile("Shared/theirs.txt", "x");
    ASSERT_EQ(chown(others.c_str(), 65534, 65534), 0);
    struct Case {
        const char* line;
        bool isDesktop;
    };
    for (const auto& [line, isDesktop] :
         {Case{"$HOME/", false}, Case{"$HOME/.", false}, Case{"$HOME/..", false}, Case{"/", false},
          Case{"$HOME/Desktop/../..", false}, Case{"$HOME/Up", false}, Case{"$HOME/Shared", false},
          Case{"$HOME/Desktop", true}}) {
        home.writeFile(".config/user-dirs.dirs", "XDG_DESKTOP_DIR=\"" + std::string(line) + "\"\n");
        EXPECT_EQ(files.desktopDirectory().has_value(), isDesktop) << line;
        EXPECT_EQ(scan().eligible.size(), isDesktop ? 1u : 0u) << line;
    }
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
    labelled.tagNames.emplace();
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
    mounted.tagNames.emplace();
    DesktopCleaner cleaner(files);
    EXPECT_EQ(cleaner.classify({desktop / "USB", mounted}, options), ItemVerdict::skipped);
    mounted.identity->device = files.identityFollowingLinks(desktop)->device;
    EXPECT_EQ(cleaner.classify({desktop / "USB", mounted}, options), ItemVerdict::eligible);
}

/// A folder bind-mounted on the Desktop for as long as the object lives.
class BindMount {
public:
    BindMount(const fs::path& source, const fs::path& target) : m_target(target) {
        fs::create_directory(target);
        m_error = mount(source.c_str(), target.c_str(), nullptr, MS_BIND, nullptr) == 0 ? 0 : errno;
    }
    ~BindMount() {
        if (m_error == 0)
            umount2(m_target.c_str(), MNT_DETACH);
    }
    int error() const { return m_error; }

private:
    fs::path m_target;
    int m_error = 0;
};

TEST_F(DesktopScanTest, aBindMountOnTheDesktopStaysAndWhatItShowsIsLeftAlone) {
    const auto outside = home.makeFolder("Projects");
    home.writeFile("Projects/plan.txt", "keep me");
    const BindMount bound(outside, desktop / "Projects");
    if (bound.error() != 0)
        GTEST_SKIP() << "a bind mount was refused: " << std::strerror(bound.error());
    file("notes.txt");
    EXPECT_THAT(eligibleNames(), ElementsAre("notes.txt"));
    EXPECT_EQ(scan().skipped, 1);

    home.makeFolder(home.archive());
    const auto cleaned = DesktopCleaner(files).clean(options, CleanTrigger::manual);
    ASSERT_TRUE(std::holds_alternative<CleanRecord>(cleaned));
    EXPECT_EQ(std::get<CleanRecord>(cleaned).moved.size(), 1u);
    EXPECT_TRUE(fs::exists(outside / "plan.txt"));
}

TEST_F(DesktopScanTest, tagsThatCannotBeReadKeepTheItemButDoNotCountAsTags) {
    file("pinned-maybe.txt");
    file("plain.txt");
    PosixFileServices real;
    test::FaultInjectingFileServices faulty(real);
    faulty.failTagReadOf(desktop / "pinned-maybe.txt");
    const auto preview = DesktopCleaner(faulty).preview(options);
    ASSERT_EQ(preview.eligible.size(), 1u);
    EXPECT_EQ(preview.eligible[0].filename(), "plain.txt");
    EXPECT_EQ(preview.skipped, 1);
    EXPECT_EQ(preview.tagged, 0);
    options.keepTaggedFiles = false;
    EXPECT_EQ(DesktopCleaner(faulty).preview(options).eligible.size(), 2u);

    // File systems without user attributes: nothing is tagged there.
    EXPECT_EQ(ResourceReader::tagNames("/proc/version"), std::vector<std::string>{});
    // A read refused to the user (not to root, who may read anything).
    fs::permissions(home.path(), fs::perms(0755));
    fs::permissions(desktop, fs::perms(0755));
    const auto locked = file("locked.txt");
    fs::permissions(locked, fs::perms::none);
    const pid_t child = fork();
    if (child == 0) {
        const bool dropped = setgroups(0, nullptr) == 0 && setresgid(65534, 65534, 65534) == 0 &&
                             setresuid(65534, 65534, 65534) == 0;
        const bool refused = !ResourceReader::tagNames(locked.c_str()) && errno == EACCES;
        _exit(!dropped ? 2 : refused ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    if (WEXITSTATUS(status) == 2)
        GTEST_SKIP() << "could not become an unprivileged user";
    EXPECT_EQ(WEXITSTATUS(status), 0) << "EACCES reads as unreadable, not as untagged";
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
