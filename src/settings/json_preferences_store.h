// SPDX-License-Identifier: MIT
#pragma once

#include "settings/preferences_store.h"

#include <filesystem>
#include <memory>

namespace sorvane {

/// Preferences in one JSON object in a file, normally $XDG_CONFIG_HOME/Sorvane/preferences.json.
///
/// Strings, integers and Booleans are stored as the JSON values of those types; data as
/// {"data": "<base64>"} and dates as {"date": "<ISO 8601 UTC with milliseconds>"}. Every
/// change rewrites the whole file durably. Keys this program does not know are kept.
///
/// A file that is not a JSON object gives no values and is left alone until the first
/// change, which keeps its bytes aside as "preferences.json.unreadable" before replacing it.
/// A change that cannot be written stays in memory and goes out with the next write. A key
/// whose value is nested beyond reason is unusable: as if absent, and dropped at the next
/// write. A file that is a symbolic link is followed once, and its target is rewritten.
class JsonPreferencesStore : public PreferencesStore {
public:
    explicit JsonPreferencesStore(std::filesystem::path file);
    ~JsonPreferencesStore() override;
    JsonPreferencesStore(const JsonPreferencesStore&) = delete;
    JsonPreferencesStore& operator=(const JsonPreferencesStore&) = delete;

    /// $XDG_CONFIG_HOME/Sorvane/preferences.json.
    static std::filesystem::path defaultFile();

    const std::filesystem::path& file() const { return m_file; }

    std::optional<PreferenceValue> object(const QString& key) const override;
    void set(const QString& key, const PreferenceValue& value) override;
    void remove(const QString& key) override;

private:
    struct Document;

    void write();

    std::filesystem::path m_file;
    /// Where the bytes go: `m_file`, or the file it links to.
    std::filesystem::path m_target;
    std::unique_ptr<Document> m_document;
    bool m_fileUnreadable = false;
};

} // namespace sorvane
