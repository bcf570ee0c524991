// SPDX-License-Identifier: MIT
#include "settings/json_preferences_store.h"

#include "platform/durable_file.h"
#include "platform/log_categories.h"
#include "platform/xdg_user_dirs.h"
#include "record/base64.h"

#include <cerrno>
#include <limits>
#include <nlohmann/json.hpp>

namespace sorvane {

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

constexpr const char* dataTag = "data";
// No preference is more than two levels deep. Writing a value back walks it recursively, so a
// hand-edited one nested thousands deep would overflow the stack.
constexpr int maxDepth = 16;
constexpr const char* dateTag = "date";

/// The one member of {"data": …} or {"date": …}, when `value` is such a wrapper.
const std::string* wrapped(const json& value, const char* tag) {
    if (!value.is_object() || value.size() != 1)
        return nullptr;
    const auto found = value.find(tag);
    if (found == value.end() || !found->is_string())
        return nullptr;
    return &found->get_ref<const std::string&>();
}

std::optional<PreferenceValue> fromJson(const json& value) {
    if (value.is_boolean())
        return value.get<bool>();
    if (value.is_number_unsigned()) {
        const auto number = value.get<std::uint64_t>();
        if (number > static_cast<std::uint64_t>(std::numeric_limits<qint64>::max()))
            return std::nullopt;
        return static_cast<qint64>(number);
    }
    if (value.is_number_integer())
        return static_cast<qint64>(value.get<std::int64_t>());
    if (value.is_string())
        return QString::fromStdString(value.get<std::string>());
    if (const std::string* base64 = wrapped(value, dataTag)) {
        const std::optional<std::string> decoded = Base64::decode(*base64);
        if (!decoded)
            return std::nullopt;
        return QByteArray::fromStdString(*decoded);
    }
    if (const std::string* text = wrapped(value, dateTag)) {
        const QDateTime date =
            QDateTime::fromString(QString::fromStdString(*text), Qt::ISODateWithMs);
        // A time without a zone would be read as local time, which is not what was written.
        if (!date.isValid() || date.timeSpec() == Qt::LocalTime)
            return std::nullopt;
        return date.toUTC();
    }
    return std::nullopt;
}

/// The top-level object of `text`, without the keys whose values nest deeper than
/// `maxDepth`; none when the text is not a JSON object or not JSON at all.
std::optional<json> parseObject(const std::string& text) {
    std::string currentKey;
    std::vector<std::string> tooDeep;
    const auto watch = [&](int depth, json::parse_event_t event, const json& parsed) {
        if (depth == 1 && event == json::parse_event_t::key)
            currentKey = parsed.get<std::string>();
        else if (depth > maxDepth && (tooDeep.empty() || tooDeep.back() != currentKey))
            tooDeep.push_back(currentKey);
        return true;
    };
    try {
        json parsed = json::parse(text, watch);
        if (!parsed.is_object())
            return std::nullopt;
        for (const auto& key : tooDeep)
            parsed.erase(key);
        return parsed;
    } catch (const json::exception&) {
        // Not JSON, or JSON with a number beyond a double's range: unreadable as a whole.
        return std::nullopt;
    }
}

json toJson(const PreferenceValue& value) {
    return std::visit(
        [](const auto& item) -> json {
            using T = std::decay_t<decltype(item)>;
            if constexpr (std::is_same_v<T, qint64>)
                return static_cast<std::int64_t>(item);
            else if constexpr (std::is_same_v<T, bool>)
                return item;
            else if constexpr (std::is_same_v<T, QString>)
                return item.toStdString();
            else if constexpr (std::is_same_v<T, QByteArray>)
                return json{{dataTag, Base64::encode(std::string_view(item.data(), item.size()))}};
            else
                return json{{dateTag, item.toUTC().toString(Qt::ISODateWithMs).toStdString()}};
        },
        value);
}

} // namespace

struct JsonPreferencesStore::Document {
    json object = json::object();
};

JsonPreferencesStore::JsonPreferencesStore(fs::path file)
    : m_file(std::move(file)), m_target(DurableFile::resolved(m_file)),
      m_document(std::make_unique<Document>()) {
    FileResult<std::string> bytes = DurableFile::read(m_target);
    if (!bytes) {
        m_fileUnreadable = bytes.error().code != ENOENT && bytes.error().code != ENOTDIR;
        return;
    }
    if (auto parsed = parseObject(*bytes))
        m_document->object = std::move(*parsed);
    else
        m_fileUnreadable = true;
}

JsonPreferencesStore::~JsonPreferencesStore() = default;

fs::path JsonPreferencesStore::defaultFile() {
    return XdgUserDirs::configHome() / "Sorvane" / "preferences.json";
}

std::optional<PreferenceValue> JsonPreferencesStore::object(const QString& key) const {
    const json& object = m_document->object;
    const auto found = object.find(key.toStdString());
    if (found == object.end())
        return std::nullopt;
    return fromJson(*found);
}

void JsonPreferencesStore::set(const QString& key, const PreferenceValue& value) {
    if (const auto* date = std::get_if<QDateTime>(&value); date && !date->isValid()) {
        // An invalid date has no text form that would read back; store it as absent.
        remove(key);
        return;
    }
    m_document->object[key.toStdString()] = toJson(value);
    write();
}

void JsonPreferencesStore::remove(const QString& key) {
    m_document->object.erase(key.toStdString());
    write();
}

void JsonPreferencesStore::write() {
    if (m_fileUnreadable) {
        // The user may have edited the file by hand and made a slip; keep what they wrote.
        const auto keptAside = DurableFile::keepAside(m_target, ".unreadable");
        if (!keptAside && keptAside.error().code != ENOENT) {
            qCWarning(logSettings) << "The preferences are not saved: the unreadable file could "
                                      "not be kept aside:"
                                   << keptAside.error().description().c_str();
            return;
        }
        m_fileUnreadable = false;
    }
    DurableFile::makeFolder(m_target.parent_path());
    // Strings came from QString and are valid UTF-8, but a replacement beats an exception.
    const std::string text =
        m_document->object.dump(2, ' ', false, json::error_handler_t::replace) + "\n";
    if (const FileStatus written = DurableFile::write(m_target, text); !written)
        qCWarning(logSettings) << "The preferences could not be saved:"
                               << written.error().description().c_str();
}

} // namespace sorvane
