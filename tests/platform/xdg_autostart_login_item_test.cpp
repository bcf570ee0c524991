// SPDX-License-Identifier: MIT
#include "platform/xdg_autostart_login_item.h"

#include "platform/durable_file.h"
#include "support/immutable_folder.h"
#include "support/private_home.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <sys/wait.h>

namespace sorvane::test {
namespace {

namespace fs = std::filesystem;

std::string contentsOf(const fs::path& file) {
    auto bytes = DurableFile::read(file);
    return bytes ? *bytes : std::string();
}

/// What desktop-file-validate says about a file: empty when it has nothing to complain of.
std::string validatorComplaints(const fs::path& file) {
    FILE* pipe = ::popen(("desktop-file-validate '" + file.string() + "' 2>&1").c_str(), "r");
    if (!pipe)
        return "could not run desktop-file-validate";
    std::string output;
    char buffer[512];
    while (std::size_t count = std::fread(buffer, 1, sizeof buffer, pipe))
        output.append(buffer, count);
    const int status = ::pclose(pipe);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        output += "\nexit status " + std::to_string(status);
    return output;
}

class XdgAutostartLoginItemTest : public ::testing::Test {
protected:
    PrivateHome home;
    fs::path entry = home / ".config/autostart/app.sorvane.Sorvane.desktop";
};

TEST_F(XdgAutostartLoginItemTest, TurnsOnOffAndOnWithAValidEntry) {
    XdgAutostartLoginItem item("/usr/bin/sorvane");
    ASSERT_EQ(XdgAutostartLoginItem::entryPath(), entry);
    EXPECT_FALSE(item.isEnabled());

    EXPECT_EQ(item.setEnabled(true), std::nullopt);
    EXPECT_TRUE(item.isEnabled());
    const std::string contents = contentsOf(entry);
    EXPECT_NE(contents.find("[Desktop Entry]\nType=Application\nName=Sorvane\n"),
              std::string::npos);
    EXPECT_NE(contents.find("\nTryExec=/usr/bin/sorvane\nExec=/usr/bin/sorvane --background\n"),
              std::string::npos);
    EXPECT_NE(contents.find("\nIcon=app.sorvane.Sorvane\n"), std::string::npos);
    EXPECT_NE(contents.find("\nX-GNOME-Autostart-enabled=true\n"), std::string::npos);
    EXPECT_EQ(validatorComplaints(entry), "");

    EXPECT_EQ(item.setEnabled(false), std::nullopt);
    EXPECT_FALSE(item.isEnabled());
    EXPECT_FALSE(fs::exists(entry));
    EXPECT_EQ(item.setEnabled(false), std::nullopt) << "turning off twice is not an error";

    EXPECT_EQ(item.setEnabled(true), std::nullopt);
    EXPECT_TRUE(item.isEnabled());
    // A later start from elsewhere (a moved installation) points the entry at the new place.
    EXPECT_EQ(XdgAutostartLoginItem("/opt/sorvane/sorvane").setEnabled(true), std::nullopt);
    EXPECT_NE(contentsOf(entry).find("\nExec=/opt/sorvane/sorvane --background\n"),
              std::string::npos);
}

TEST_F(XdgAutostartLoginItemTest, ProgramPathsAreQuotedAsDesktopEntriesRequire) {
    EXPECT_EQ(XdgAutostartLoginItem::execArgument("/usr/bin/sorvane"), "/usr/bin/sorvane");
    EXPECT_EQ(XdgAutostartLoginItem::execArgument("/opt/My Apps/sorvane"),
              "\"/opt/My Apps/sorvane\"");
    // Quoting escapes the backslash and the dollar; the string escapes double the backslashes.
    EXPECT_EQ(XdgAutostartLoginItem::execArgument("/opt/a$b\\c"), "\"/opt/a\\\\$b\\\\\\\\c\"");
    EXPECT_EQ(XdgAutostartLoginItem::execArgument("/opt/it's \"x\"/s"),
              "\"/opt/it's \\\\\"x\\\\\"/s\"");
    EXPECT_EQ(XdgAutostartLoginItem::execArgument("/opt/100%/s"), "/opt/100%%/s");

    for (const char* program : {"/opt/My Apps/sorvane", "/opt/a$b\\c (test)/sorvane",
                                "/opt/100% & more/sorvane", "/opt/\xC3\xA9t\xC3\xA9/sorvane"}) {
        SCOPED_TRACE(program);
        ASSERT_EQ(XdgAutostartLoginItem(program).setEnabled(true), std::nullopt);
        EXPECT_EQ(validatorComplaints(entry), "");
    }

    const auto error = XdgAutostartLoginItem("/opt/bad\xFF/sorvane").setEnabled(true);
    ASSERT_TRUE(error.has_value());
    EXPECT_TRUE(error->contains(QStringLiteral("not valid UTF-8"))) << error->toStdString();
}

TEST_F(XdgAutostartLoginItemTest, AtStartOnlyAnOutdatedEntryOfOursIsRewritten) {
    const std::string head = "[Desktop Entry]\nType=Application\nName=Sorvane\n";
    const std::string current = *XdgAutostartLoginItem::entryFor("/usr/bin/sorvane");
    struct Case {
        const char* what;
        std::string before;
        bool rewritten;
    };
    const Case cases[] = {
        {"ours without TryExec",
         head + "Exec=/usr/bin/sorvane --background\nX-Sorvane-Generated=true\n", true},
        {"ours for a program that moved",
         head + "TryExec=/opt/old/sorvane\nExec=/opt/old/sorvane --background\n"
                "X-Sorvane-Generated=true\n",
         true},
        {"ours and current", "# kept\n" + current, false},
        {"ours but switched off",
         head +
             "Exec=/opt/old/sorvane\nX-GNOME-Autostart-enabled=false\nX-Sorvane-Generated=true\n",
         false},
        {"the user's own", head + "Exec=env FOO=1 sorvane\n", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        home.writeFile(".config/autostart/app.sorvane.Sorvane.desktop", c.before);
        XdgAutostartLoginItem("/usr/bin/sorvane").refresh();
        EXPECT_EQ(contentsOf(entry), c.rewritten ? current : c.before);
    }
    fs::remove(entry);
    XdgAutostartLoginItem("/usr/bin/sorvane").refresh();
    EXPECT_FALSE(fs::exists(entry)) << "no entry, none made";
}

TEST_F(XdgAutostartLoginItemTest, EntriesSwitchedOffByTheUserCountAsOff) {
    XdgAutostartLoginItem item("/usr/bin/sorvane");
    const char* switchedOff[] = {
        "[Desktop Entry]\nType=Application\nName=Sorvane\nExec=sorvane\nHidden=true\n",
        "[Desktop Entry]\nType=Application\nName=Sorvane\nExec=sorvane\n"
        "X-GNOME-Autostart-enabled = false\n",
    };
    for (const char* contents : switchedOff) {
        home.writeFile(".config/autostart/app.sorvane.Sorvane.desktop", contents);
        EXPECT_FALSE(item.isEnabled()) << contents;
        // Turning off what is already off leaves the user's file exactly as it was.
        EXPECT_EQ(item.setEnabled(false), std::nullopt);
        EXPECT_EQ(contentsOf(entry), contents);
    }
    // Keys of another group say nothing about the entry.
    home.writeFile(".config/autostart/app.sorvane.Sorvane.desktop",
                   "[Desktop Entry]\nType=Application\nName=Sorvane\nExec=sorvane\n"
                   "[Desktop Action x]\nHidden=true\n");
    EXPECT_TRUE(item.isEnabled());
}

TEST_F(XdgAutostartLoginItemTest, TheUsersOwnEntryIsSwitchedButNeverRemoved) {
    const std::string own = "# made by the session settings\n"
                            "[Desktop Entry]\n"
                            "Type=Application\n"
                            "Name=Sorvane\n"
                            "Exec=env FOO=1 sorvane\n"
                            "X-GNOME-Autostart-enabled=true\n"
                            "[Desktop Action extra]\n"
                            "Name=Extra\n";
    home.writeFile(".config/autostart/app.sorvane.Sorvane.desktop", own);
    XdgAutostartLoginItem item("/usr/bin/sorvane");
    EXPECT_TRUE(item.isEnabled());

    EXPECT_EQ(item.setEnabled(false), std::nullopt);
    EXPECT_FALSE(item.isEnabled());
    EXPECT_EQ(contentsOf(entry), "# made by the session settings\n"
                                 "[Desktop Entry]\n"
                                 "Type=Application\n"
                                 "Name=Sorvane\n"
                                 "Exec=env FOO=1 sorvane\n"
                                 "X-GNOME-Autostart-enabled=true\n"
                                 "Hidden=true\n"
                                 "[Desktop Action extra]\n"
                                 "Name=Extra\n");

    EXPECT_EQ(item.setEnabled(true), std::nullopt);
    EXPECT_TRUE(item.isEnabled());
    const std::string reenabled = contentsOf(entry);
    EXPECT_NE(reenabled.find("Exec=env FOO=1 sorvane\n"), std::string::npos);
    EXPECT_NE(reenabled.find("Hidden=false\n"), std::string::npos);
}

TEST_F(XdgAutostartLoginItemTest, AFailedWriteIsReportedAndChangesNothing) {
    // The configuration folder is a regular file: nothing can be created below it.
    home.writeFile("not-a-folder", "x");
    home.env.set("XDG_CONFIG_HOME", (home / "not-a-folder").string());
    XdgAutostartLoginItem item("/usr/bin/sorvane");
    const auto error = item.setEnabled(true);
    ASSERT_TRUE(error.has_value());
    EXPECT_TRUE(error->startsWith(QStringLiteral("Could not turn on opening at login: ")))
        << error->toStdString();
    EXPECT_TRUE(error->contains(QStringLiteral("Not a directory"))) << error->toStdString();
    EXPECT_FALSE(item.isEnabled());
    home.env.unset("XDG_CONFIG_HOME");

    ASSERT_EQ(item.setEnabled(true), std::nullopt);
    ImmutableFolder frozen(entry.parent_path());
    if (!frozen.done())
        GTEST_SKIP() << "no immutable attribute on this file system";
    const auto offError = item.setEnabled(false);
    ASSERT_TRUE(offError.has_value());
    EXPECT_TRUE(offError->startsWith(QStringLiteral("Could not turn off opening at login: ")))
        << offError->toStdString();
    EXPECT_TRUE(item.isEnabled());
}

} // namespace
} // namespace sorvane::test
