// SPDX-License-Identifier: MIT
#pragma once

#include "support/immutable_folder.h"
#include "support/scoped_environment.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

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

} // namespace sorvane::test
