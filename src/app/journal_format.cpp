#include "app/journal_format.h"

#include "history/base64.h"

#include <charconv>
#include <chrono>

namespace sorvane {
namespace {

std::vector<std::string_view> fields(std::string_view line) {
    std::vector<std::string_view> parts;
    while (!line.empty()) {
        const auto space = line.find(' ');
        parts.push_back(line.substr(0, space));
        if (space == std::string_view::npos)
            break;
        line.remove_prefix(space + 1);
    }
    return parts;
}

template <class T> std::optional<T> number(std::string_view text) {
    T value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

void parseLine(std::string_view line, JournalFormat::Contents& contents) {
    const auto part = fields(line);
    if (part.empty())
        return;
    auto bytes = [&](std::size_t i) {
        return Base64::decode(part[i]);
    };
    if (part[0] == "start" && part.size() == 5) {
        const auto id = Uuid::fromString(part[1]);
        const auto nanoseconds = number<long long>(part[2]);
        const auto trigger = cleanTriggerFromRaw(part[3]);
        const auto skipped = number<std::int64_t>(part[4]);
        if (!id || !nanoseconds || !trigger || !skipped)
            return;
        CleanRecord header;
        header.id = *id;
        header.date = std::chrono::system_clock::time_point(
            std::chrono::duration_cast<std::chrono::system_clock::duration>(
                std::chrono::nanoseconds(*nanoseconds)));
        header.trigger = *trigger;
        header.skippedCount = *skipped;
        contents.header = header;
    } else if (part[0] == "intent" && part.size() == 3) {
        const auto source = bytes(1);
        const auto target = bytes(2);
        if (source && target)
            contents.intents.emplace_back(*source, *target);
    } else if (part[0] == "moved" && part.size() == 4) {
        const auto id = Uuid::fromString(part[1]);
        const auto source = bytes(2);
        const auto target = bytes(3);
        if (id && source && target)
            contents.moved.push_back({*id, *source, *target});
    } else if (part[0] == "error" && part.size() == 2) {
        if (const auto text = bytes(1))
            contents.errors.push_back(*text);
    }
}

} // namespace

std::string JournalFormat::header() {
    return "sorvane-journal 1\n";
}

std::string JournalFormat::start(const CleanRecord& header) {
    const auto ns =
        std::chrono::duration_cast<std::chrono::nanoseconds>(header.date.time_since_epoch());
    return "start " + header.id.toString() + " " + std::to_string(ns.count()) + " " +
           std::string(rawValue(header.trigger)) + " " + std::to_string(header.skippedCount) + "\n";
}

std::string JournalFormat::intent(const std::filesystem::path& source,
                                  const std::filesystem::path& target) {
    return "intent " + Base64::encode(source.native()) + " " + Base64::encode(target.native()) +
           "\n";
}

std::string JournalFormat::moved(const MovedFile& item) {
    return "moved " + item.id.toString() + " " + Base64::encode(item.originalPath) + " " +
           Base64::encode(item.newPath) + "\n";
}

std::string JournalFormat::error(const std::string& line) {
    return "error " + Base64::encode(line) + "\n";
}

JournalFormat::Contents JournalFormat::parse(std::string_view text) {
    Contents contents;
    if (!text.starts_with(header()))
        return contents;
    text.remove_prefix(header().size());
    // Only whole lines count: a line without its newline was cut short.
    for (auto end = text.find('\n'); end != std::string_view::npos; end = text.find('\n')) {
        parseLine(text.substr(0, end), contents);
        text.remove_prefix(end + 1);
    }
    return contents;
}

} // namespace sorvane
