// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QtGlobal>
#include <optional>
#include <variant>

namespace sorvane {

/// A stored preference of one of the types the store knows; dates are in UTC.
using PreferenceValue = std::variant<qint64, bool, QDateTime, QString, QByteArray>;

/// A persistent key-value store with typed reads. A value of another type than the read
/// asks for counts as missing.
class PreferencesStore {
public:
    virtual ~PreferencesStore() = default;

    /// The value of whatever type is stored; callers test it for the type they need.
    virtual std::optional<PreferenceValue> object(const QString& key) const = 0;
    virtual void set(const QString& key, const PreferenceValue& value) = 0;
    virtual void remove(const QString& key) = 0;

    std::optional<QString> string(const QString& key) const { return typed<QString>(key); }
    std::optional<QByteArray> data(const QString& key) const { return typed<QByteArray>(key); }
    /// False when missing or not a Boolean.
    bool boolean(const QString& key) const { return typed<bool>(key).value_or(false); }

    void setString(const QString& key, const QString& value) { set(key, value); }
    void setData(const QString& key, const QByteArray& value) { set(key, value); }
    void setInteger(const QString& key, qint64 value) { set(key, value); }
    void setBoolean(const QString& key, bool value) { set(key, value); }
    void setDate(const QString& key, const QDateTime& value) { set(key, value.toUTC()); }

private:
    template <class T> std::optional<T> typed(const QString& key) const {
        const std::optional<PreferenceValue> value = object(key);
        if (value && std::holds_alternative<T>(*value))
            return std::get<T>(*value);
        return std::nullopt;
    }
};

} // namespace sorvane
