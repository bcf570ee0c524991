// SPDX-License-Identifier: MIT
#pragma once

#include "settings/preferences_store.h"

namespace sorvane {

/// Reads through to another store and drops every write: for commands that only look, so
/// that they never become a second writer beside the running application.
class ReadOnlyPreferencesStore : public PreferencesStore {
public:
    explicit ReadOnlyPreferencesStore(const PreferencesStore& store) : m_store(store) {}

    std::optional<PreferenceValue> object(const QString& key) const override {
        return m_store.object(key);
    }
    void set(const QString&, const PreferenceValue&) override {}
    void remove(const QString&) override {}

private:
    const PreferencesStore& m_store;
};

} // namespace sorvane
