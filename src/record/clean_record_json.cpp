// SPDX-License-Identifier: MIT
#include "record/clean_record_json.h"

#include "record/base64.h"
#include "record/iso8601.h"
#include "record/json_writer.h"
#include "record/utf8.h"

#include <cstdint>
#include <limits>
#include <nlohmann/json.hpp>

namespace sorvane {

namespace {

using nlohmann::json;

// The history's own form is four levels deep; far deeper text was not written by us, and
// code that walks it recursively would run out of stack.
constexpr int maxDepth = 32;

// Suffix of the key that carries a path's exact bytes beside its readable form.
constexpr std::string_view bytesSuffix = "Bytes";

void writePath(JsonWriter& writer, std::string_view key, const std::string& path) {
    if (Utf8::isValid(path)) {
        writer.key(key);
        writer.string(path);
        return;
    }
    writer.key(key);
    writer.string(Utf8::withReplacements(path));
    writer.key(std::string(key) + std::string(bytesSuffix));
    writer.string(Base64::encode(path));
}

void writeMovedFile(JsonWriter& writer, const MovedFile& file) {
    writer.beginObject();
    writer.key("id");
    writer.string(file.id.toString());
    writePath(writer, "newPath", file.newPath);
    writePath(writer, "originalPath", file.originalPath);
    writer.endObject();
}

void writeRecord(JsonWriter& writer, const CleanRecord& record) {
    writer.beginObject();
    writer.key("date");
    writer.string(Iso8601::format(record.date));
    writer.key("errors");
    writer.beginArray();
    for (const std::string& line : record.errors) {
        // Error lines are display text (they may quote a file name), so a lossy repair is
        // acceptable here, unlike for paths.
        writer.string(Utf8::withReplacements(line));
    }
    writer.endArray();
    writer.key("id");
    writer.string(record.id.toString());
    writer.key("moved");
    writer.beginArray();
    for (const MovedFile& file : record.moved) {
        writeMovedFile(writer, file);
    }
    writer.endArray();
    writer.key("skippedCount");
    writer.integer(record.skippedCount);
    writer.key("trigger");
    writer.string(rawValue(record.trigger));
    writer.key("undone");
    writer.boolean(record.undone);
    writer.endObject();
}

/// Thrown inside decoding to abandon the document with a reason.
struct Refusal {
    std::string reason;
};

std::string quotedKey(std::string_view key) {
    return "\"" + std::string(key) + "\"";
}

/// Reads one JSON object; `m_where` names it in every reason ("record 3: ").
class ObjectReader {
public:
    ObjectReader(const json& object, std::string where)
        : m_object(object), m_where(std::move(where)) {
        if (!m_object.is_object()) {
            // "record 3: " names the object in front of a key; alone it reads "record 3".
            throw Refusal{m_where.substr(0, m_where.size() - 2) + " is not an object"};
        }
    }

    const json& value(std::string_view key) const {
        const auto found = m_object.find(key);
        if (found == m_object.end()) {
            throw Refusal{m_where + "missing " + quotedKey(key)};
        }
        return *found;
    }

    const std::string& string(std::string_view key) const {
        const json& found = value(key);
        if (!found.is_string()) {
            refuse(key, "is not a string");
        }
        return found.get_ref<const std::string&>();
    }

    Uuid uuid(std::string_view key) const {
        const std::optional<Uuid> id = Uuid::fromString(string(key));
        if (!id) {
            refuse(key, "is not a UUID");
        }
        return *id;
    }

    std::int64_t integer(std::string_view key) const {
        const json& found = value(key);
        if (found.is_number_unsigned()) {
            const auto number = found.get<std::uint64_t>();
            if (number > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) {
                refuse(key, "is too large");
            }
            return static_cast<std::int64_t>(number);
        }
        if (!found.is_number_integer()) {
            refuse(key, "is not an integer");
        }
        return found.get<std::int64_t>();
    }

    bool boolean(std::string_view key) const {
        const json& found = value(key);
        if (!found.is_boolean()) {
            refuse(key, "is not true or false");
        }
        return found.get<bool>();
    }

    const json& array(std::string_view key) const {
        const json& found = value(key);
        if (!found.is_array()) {
            refuse(key, "is not an array");
        }
        return found;
    }

    std::vector<std::string> strings(std::string_view key) const {
        std::vector<std::string> lines;
        for (const json& element : array(key)) {
            if (!element.is_string()) {
                refuse(key, "holds something other than strings");
            }
            lines.push_back(element.get<std::string>());
        }
        return lines;
    }

    /// The exact bytes when the path carries them, else its string.
    std::string path(std::string_view key) const {
        const std::string& readable = string(key);
        const std::string bytesKey = std::string(key) + std::string(bytesSuffix);
        const auto found = m_object.find(bytesKey);
        if (found == m_object.end()) {
            return readable;
        }
        std::optional<std::string> bytes;
        if (found->is_string()) {
            bytes = Base64::decode(found->get_ref<const std::string&>());
        }
        if (!bytes) {
            refuse(bytesKey, "is not a base64 string");
        }
        return *bytes;
    }

    Iso8601::TimePoint date(std::string_view key) const {
        std::string reason;
        const std::optional<Iso8601::TimePoint> time = Iso8601::parse(string(key), &reason);
        if (!time) {
            refuse(key, reason);
        }
        return *time;
    }

private:
    [[noreturn]] void refuse(std::string_view key, std::string_view what) const {
        throw Refusal{m_where + quotedKey(key) + " " + std::string(what)};
    }

    const json& m_object;
    std::string m_where;
};

MovedFile readMovedFile(const json& object, const std::string& where) {
    const ObjectReader reader(object, where);
    return MovedFile{reader.uuid("id"), reader.path("originalPath"), reader.path("newPath")};
}

CleanRecord readRecord(const json& object, std::size_t number) {
    const std::string where = "record " + std::to_string(number) + ": ";
    const ObjectReader reader(object, where);
    CleanRecord record;
    record.id = reader.uuid("id");
    record.date = reader.date("date");
    const std::string& trigger = reader.string("trigger");
    const std::optional<CleanTrigger> knownTrigger = cleanTriggerFromRaw(trigger);
    if (!knownTrigger) {
        throw Refusal{where + "\"trigger\" is neither \"manual\" nor \"scheduled\""};
    }
    record.trigger = *knownTrigger;
    std::size_t itemNumber = 0;
    for (const json& item : reader.array("moved")) {
        ++itemNumber;
        record.moved.push_back(
            readMovedFile(item, where + "moved item " + std::to_string(itemNumber) + ": "));
    }
    record.skippedCount = reader.integer("skippedCount");
    record.errors = reader.strings("errors");
    record.undone = reader.boolean("undone");
    return record;
}

json parsed(std::string_view text) {
    try {
        return json::parse(
            text.begin(), text.end(), [](int depth, json::parse_event_t, const json&) {
                if (depth > maxDepth)
                    throw Refusal{"nested deeper than " + std::to_string(maxDepth) + " levels"};
                return true;
            });
    } catch (const json::parse_error& failure) {
        throw Refusal{"not valid JSON (at byte " + std::to_string(failure.byte) + ")"};
    }
}

/// What `decode` returns: `work`'s result, or none with the reason in `error`.
template <typename Work>
auto guarded(std::string* error, Work work) -> std::optional<decltype(work())> {
    try {
        auto result = work();
        if (error) {
            error->clear();
        }
        return result;
    } catch (const Refusal& refusal) {
        if (error) {
            *error = refusal.reason;
        }
        return std::nullopt;
    } catch (const json::exception& failure) {
        // Numbers beyond a double's range and the like: the text is JSON, but not ours.
        if (error) {
            *error = std::string("not readable: ") + failure.what();
        }
        return std::nullopt;
    }
}

} // namespace

std::string CleanRecordJson::encode(const std::vector<CleanRecord>& records) {
    JsonWriter writer;
    writer.beginArray();
    for (const CleanRecord& record : records) {
        writeRecord(writer, record);
    }
    writer.endArray();
    return writer.take();
}

std::string CleanRecordJson::encodeRecord(const CleanRecord& record) {
    JsonWriter writer;
    // About what a moved item takes: its keys, id and indentation, and its paths with their
    // slashes escaped. Growing by doubling would copy a large run's text several times.
    std::size_t estimate = 512;
    for (const MovedFile& file : record.moved)
        estimate += 160 + (file.originalPath.size() + file.newPath.size()) * 5 / 4;
    writer.reserve(estimate);
    writer.beginArray();
    writeRecord(writer, record);
    writer.endArray();
    std::string text = writer.take();
    // "[\n  " before the record, "\n]" after it.
    text.resize(text.size() - 2);
    text.erase(0, 4);
    return text;
}

std::optional<std::vector<CleanRecord>> CleanRecordJson::decode(std::string_view text,
                                                                std::string* error) {
    return guarded(error, [&] {
        const json document = parsed(text);
        if (!document.is_array()) {
            throw Refusal{"the top level is not an array"};
        }
        std::vector<CleanRecord> records;
        records.reserve(document.size());
        for (const json& element : document) {
            records.push_back(readRecord(element, records.size() + 1));
        }
        return records;
    });
}

std::optional<CleanRecord> CleanRecordJson::decodeRecord(std::string_view text, std::size_t number,
                                                         std::string* error) {
    return guarded(error, [&] { return readRecord(parsed(text), number); });
}

} // namespace sorvane
