#pragma once

#include "support/scoped_environment.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace sorvane::test {

/// A private home folder with no XDG variables, a United States English locale and UTC,
/// so that every default path and formatted text is known in advance.
class SettingsTestHome : public ::testing::Test {
protected:
    SettingsTestHome() {
        m_environment.set("HOME", m_home.path().string());
        m_environment.unset("XDG_CONFIG_HOME");
        m_environment.unset("XDG_DATA_HOME");
        m_environment.unset("XDG_RUNTIME_DIR");
        m_environment.unset("LC_TIME");
        m_environment.unset("LANG");
        m_environment.set("LC_ALL", "en_US.UTF-8");
        m_environment.set("TZ", "UTC");
    }

    std::filesystem::path preferencesFile() const {
        return m_home / ".config/Sorvane/preferences.json";
    }

    static std::string contents(const std::filesystem::path& file) {
        std::ifstream stream(file, std::ios::binary);
        std::ostringstream text;
        text << stream.rdbuf();
        return text.str();
    }

    static nlohmann::json readJson(const std::filesystem::path& file) {
        return nlohmann::json::parse(contents(file));
    }

    TempDir m_home;
    ScopedEnvironment m_environment;
};

/// Makes a folder immutable for the life of the object, so that even root cannot change
/// what is in it.
class ImmutableFolder {
public:
    explicit ImmutableFolder(std::filesystem::path folder) : m_folder(std::move(folder)) {
        m_done = std::system(("chattr +i '" + m_folder.string() + "' 2>/dev/null").c_str()) == 0;
    }
    ~ImmutableFolder() { release(); }
    ImmutableFolder(const ImmutableFolder&) = delete;
    ImmutableFolder& operator=(const ImmutableFolder&) = delete;

    bool done() const { return m_done; }
    void release() {
        if (m_done)
            std::system(("chattr -i '" + m_folder.string() + "'").c_str());
        m_done = false;
    }

private:
    std::filesystem::path m_folder;
    bool m_done = false;
};

} // namespace sorvane::test
