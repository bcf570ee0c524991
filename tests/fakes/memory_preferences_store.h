// SPDX-License-Identifier: MIT
#pragma once

#include "settings/preferences_store.h"

#include <QStringList>
#include <map>

namespace sorvane {

/// Preferences held in memory, for tests that need no file.
class MemoryPreferencesStore : public PreferencesStore {
public:
    std::optional<PreferenceValue> object(const QString& key) const override;
    void set(const QString& key, const PreferenceValue& value) override;
    void remove(const QString& key) override;

    QStringList keys() const;
    /// How many sets and removes have reached the store.
    int writeCount() const { return m_writeCount; }

private:
    std::map<QString, PreferenceValue> m_values;
    int m_writeCount = 0;
};

} // namespace sorvane
