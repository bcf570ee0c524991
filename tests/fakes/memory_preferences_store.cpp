// SPDX-License-Identifier: MIT
#include "fakes/memory_preferences_store.h"

namespace sorvane {

std::optional<PreferenceValue> MemoryPreferencesStore::object(const QString& key) const {
    const auto found = m_values.find(key);
    if (found == m_values.end())
        return std::nullopt;
    return found->second;
}

void MemoryPreferencesStore::set(const QString& key, const PreferenceValue& value) {
    m_values.insert_or_assign(key, value);
    ++m_writeCount;
}

void MemoryPreferencesStore::remove(const QString& key) {
    m_values.erase(key);
    ++m_writeCount;
}

QStringList MemoryPreferencesStore::keys() const {
    QStringList names;
    for (const auto& [key, value] : m_values)
        names.append(key);
    return names;
}

} // namespace sorvane
