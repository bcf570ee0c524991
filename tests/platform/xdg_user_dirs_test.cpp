// SPDX-License-Identifier: MIT
#include "platform/xdg_user_dirs.h"

#include "support/scoped_environment.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace sorvane {
namespace {

using test::ScopedEnvironment;
using test::TempDir;

class XdgUserDirsTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_environment.set("HOME", m_home.path().string());
        m_environment.unset("XDG_CONFIG_HOME");
        m_environment.unset("XDG_DATA_HOME");
        m_environment.unset("XDG_RUNTIME_DIR");
    }
    void writeUserDirs(const std::string& contents) {
        m_home.writeFile(".config/user-dirs.dirs", contents);
    }

    TempDir m_home;
    ScopedEnvironment m_environment;
};

TEST_F(XdgUserDirsTest, WithoutUserDirsFileTheFoldersAreTheUsualOnesInHome) {
    EXPECT_EQ(XdgUserDirs::desktopDirectory(), m_home / "Desktop");
    EXPECT_EQ(XdgUserDirs::documentsDirectory(), m_home / "Documents");
}

TEST_F(XdgUserDirsTest, ReadsHomeRelativeAndAbsoluteEntriesAsTheFileManagersWriteThem) {
    writeUserDirs("# This file is written by xdg-user-dirs-update\n"
                  "XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n"
                  "XDG_DOCUMENTS_DIR=\"/srv/docs/with \\\"quote\\\"\"\n");
    EXPECT_EQ(XdgUserDirs::desktopDirectory(), m_home / "Schreibtisch");
    EXPECT_EQ(XdgUserDirs::documentsDirectory(), "/srv/docs/with \"quote\"");
}

TEST_F(XdgUserDirsTest, HonoursXdgConfigHomeForTheFile) {
    TempDir config;
    config.writeFile("user-dirs.dirs", "XDG_DESKTOP_DIR=\"$HOME/Bureau\"\n");
    m_environment.set("XDG_CONFIG_HOME", config.path().string());
    EXPECT_EQ(XdgUserDirs::desktopDirectory(), m_home / "Bureau");
}

TEST(XdgUserDirsParsing, KeepsTheHomeFolderItselfForTheCallerToRefuse) {
    EXPECT_EQ(XdgUserDirs::userDirectory("XDG_DESKTOP_DIR=\"$HOME/\"\n", "DESKTOP", "/home/ann")
                  ->lexically_normal(),
              "/home/ann/");
    EXPECT_EQ(XdgUserDirs::userDirectory("XDG_DESKTOP_DIR=\"$HOME\"", "DESKTOP", "/home/ann"),
              "/home/ann");
}

TEST(XdgUserDirsParsing, IgnoresRelativeCommentedMalformedAndForeignLines) {
    const std::string contents = "XDG_DESKTOP_DIR=\"Desktop\"\n"
                                 "# XDG_DESKTOP_DIR=\"/commented\"\n"
                                 "XDG_DESKTOP_DIR_OLD=\"/other\"\n"
                                 "XDG_DESKTOP_DIR\n"
                                 "XDG_DESKTOP_DIR=\"$HOMEwork\"\n";
    EXPECT_EQ(XdgUserDirs::userDirectory(contents, "DESKTOP", "/home/ann"), std::nullopt);
}

TEST(XdgUserDirsParsing, ALaterUsableLineWinsAndUnquotedValuesAndCrlfWork) {
    const std::string contents = "XDG_DESKTOP_DIR=\"$HOME/First\"\r\n"
                                 "  XDG_DESKTOP_DIR = $HOME/Second \r\n"
                                 "XDG_DESKTOP_DIR=\"relative/ignored\"\n";
    EXPECT_EQ(XdgUserDirs::userDirectory(contents, "DESKTOP", "/home/ann"), "/home/ann/Second");
}

TEST_F(XdgUserDirsTest, BaseDirectoriesMustBeAbsoluteElseTheDefaultsApply) {
    EXPECT_EQ(XdgUserDirs::dataHome(), m_home / ".local/share");
    EXPECT_EQ(XdgUserDirs::configHome(), m_home / ".config");
    EXPECT_EQ(XdgUserDirs::runtimeDirectory(), std::nullopt);

    m_environment.set("XDG_DATA_HOME", "relative/data");
    m_environment.set("XDG_CONFIG_HOME", "");
    m_environment.set("XDG_RUNTIME_DIR", "run");
    EXPECT_EQ(XdgUserDirs::dataHome(), m_home / ".local/share");
    EXPECT_EQ(XdgUserDirs::configHome(), m_home / ".config");
    EXPECT_EQ(XdgUserDirs::runtimeDirectory(), std::nullopt);

    m_environment.set("XDG_DATA_HOME", "/data");
    m_environment.set("XDG_RUNTIME_DIR", "/run/user/1000");
    EXPECT_EQ(XdgUserDirs::dataHome(), "/data");
    EXPECT_EQ(XdgUserDirs::runtimeDirectory(), "/run/user/1000");
}

TEST_F(XdgUserDirsTest, WithoutHomeTheAccountsHomeFolderIsUsed) {
    m_environment.unset("HOME");
    EXPECT_FALSE(XdgUserDirs::homeDirectory().empty());
    EXPECT_TRUE(XdgUserDirs::homeDirectory().is_absolute());
}

} // namespace
} // namespace sorvane
