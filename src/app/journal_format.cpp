// SPDX-License-Identifier: MIT
#include "app/journal_format.h"

#include "record/base64.h"

#include <algorithm>
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

constexpr std::string_view stateNames[] = {"copying", "copied", "removing"};

std::optional<TransferStep::State> stateNamed(std::string_view name) {
    for (std::size_t i = 0; i < std::size(stateNames); ++i)
        if (stateNames[i] == name)
            return static_cast<TransferStep::State>(i);
    return std::nullopt;
}

std::string identityFields(const FileIdentity& identity) {
    return " " + std::to_string(identity.device) + " " + std::to_string(identity.inode);
}

std::string entryLine(const SnapshotEntry& e) {
    return "entry " + Base64::encode(e.relative) + " " + std::to_string(e.mode) + " " +
           std::to_string(e.size) + " " + std::to_string(e.modified) + " " +
           std::to_string(e.changed) + identityFields({e.device, e.inode}) + " " +
           std::to_string(e.firstChild) + " " + std::to_string(e.childCount) + "\n";
}

void parseEntry(const std::vector<std::string_view>& part, JournalFormat::Contents& contents) {
    const auto relative = Base64::decode(part[1]);
    const auto mode = number<std::uint32_t>(part[2]);
    const auto size = number<std::uint64_t>(part[3]);
    const auto modified = number<std::int64_t>(part[4]);
    const auto changed = number<std::int64_t>(part[5]);
    const auto device = number<std::uint64_t>(part[6]);
    const auto inode = number<std::uint64_t>(part[7]);
    const auto first = number<std::size_t>(part[8]);
    const auto count = number<std::size_t>(part[9]);
    if (!relative || !mode || !size || !modified || !changed || !device || !inode || !first ||
        !count)
        return;
    SnapshotEntry entry;
    entry.relative = *relative;
    entry.mode = *mode;
    entry.size = *size;
    entry.modified = *modified;
    entry.changed = *changed;
    entry.device = *device;
    entry.inode = *inode;
    entry.firstChild = *first;
    entry.childCount = *count;
    contents.pendingEntries.push_back(std::move(entry));
}

// Each state line of an item replaces what an earlier one said; the entries written just
// before a `removing` line are its snapshot.
void parseStep(const std::vector<std::string_view>& part, TransferStep::State state,
               JournalFormat::Contents& contents) {
    const bool withCopy = state != TransferStep::State::copying;
    if (part.size() != (withCopy ? 8u : 6u))
        return;
    JournalFormat::Transfer transfer;
    transfer.state = state;
    const auto source = Base64::decode(part[1]);
    const auto temporary = Base64::decode(part[2]);
    const auto target = Base64::decode(part[3]);
    const auto sourceDevice = number<std::uint64_t>(part[4]);
    const auto sourceInode = number<std::uint64_t>(part[5]);
    if (!source || !temporary || !target || !sourceDevice || !sourceInode)
        return;
    transfer.source = *source;
    transfer.temporary = *temporary;
    transfer.target = *target;
    transfer.sourceIdentity = {*sourceDevice, *sourceInode};
    if (withCopy) {
        const auto copyDevice = number<std::uint64_t>(part[6]);
        const auto copyInode = number<std::uint64_t>(part[7]);
        if (!copyDevice || !copyInode)
            return;
        transfer.copyIdentity = {*copyDevice, *copyInode};
    }
    if (state == TransferStep::State::removing)
        transfer.snapshot.entries = std::move(contents.pendingEntries);
    contents.pendingEntries.clear();
    auto& transfers = contents.transfers;
    const auto known = std::find_if(transfers.begin(), transfers.end(),
                                    [&](const auto& t) { return t.source == transfer.source; });
    if (known != transfers.end())
        *known = std::move(transfer);
    else
        transfers.push_back(std::move(transfer));
}

void parseLine(std::string_view line, JournalFormat::Contents& contents) {
    const auto part = fields(line);
    if (part.empty())
        return;
    auto bytes = [&](std::size_t i) {
        return Base64::decode(part[i]);
    };
    if (const auto state = stateNamed(part[0])) {
        parseStep(part, *state, contents);
    } else if (part[0] == "entry" && part.size() == 10) {
        parseEntry(part, contents);
    } else if (part[0] == "folders" && part.size() == 3) {
        const auto desktop = bytes(1);
        const auto archive = bytes(2);
        if (desktop && archive)
            contents.folders.emplace(*desktop, *archive);
    } else if (part[0] == "start" && part.size() == 5) {
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
    } else if (part[0] == "intent" && (part.size() == 3 || part.size() == 5)) {
        const auto source = bytes(1);
        const auto target = bytes(2);
        std::optional<FileIdentity> identity;
        if (part.size() == 5) {
            const auto device = number<std::uint64_t>(part[3]);
            const auto inode = number<std::uint64_t>(part[4]);
            if (!device || !inode)
                return;
            identity = FileIdentity{*device, *inode};
        }
        if (source && target)
            contents.intents.push_back({*source, *target, identity});
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

std::string JournalFormat::folders(const std::filesystem::path& desktop,
                                   const std::filesystem::path& archive) {
    return "folders " + Base64::encode(desktop.native()) + " " + Base64::encode(archive.native()) +
           "\n";
}

std::string JournalFormat::step(const TransferStep& step) {
    std::string text;
    if (step.state == TransferStep::State::removing && step.snapshot)
        for (const auto& entry : step.snapshot->entries)
            text += entryLine(entry);
    text += std::string(stateNames[static_cast<int>(step.state)]) + " " +
            Base64::encode(step.source.native()) + " " + Base64::encode(step.temporary.native()) +
            " " + Base64::encode(step.target.native()) + identityFields(step.sourceIdentity);
    if (step.state != TransferStep::State::copying)
        text += identityFields(step.copyIdentity);
    return text + "\n";
}

std::string JournalFormat::start(const CleanRecord& header) {
    const auto ns =
        std::chrono::duration_cast<std::chrono::nanoseconds>(header.date.time_since_epoch());
    return "start " + header.id.toString() + " " + std::to_string(ns.count()) + " " +
           std::string(rawValue(header.trigger)) + " " + std::to_string(header.skippedCount) + "\n";
}

std::string JournalFormat::intent(const std::filesystem::path& source,
                                  const std::filesystem::path& target,
                                  const std::optional<FileIdentity>& identity) {
    std::string line;
    appendIntent(line, source, target, identity);
    return line;
}

void JournalFormat::appendIntent(std::string& lines, const std::filesystem::path& source,
                                 const std::filesystem::path& target,
                                 const std::optional<FileIdentity>& identity) {
    lines += "intent ";
    Base64::appendEncoded(lines, source.native());
    lines += ' ';
    Base64::appendEncoded(lines, target.native());
    if (identity)
        lines += identityFields(*identity);
    lines += '\n';
}

void JournalFormat::appendMoved(std::string& lines, const MovedFile& item) {
    lines += "moved ";
    lines += item.id.toString();
    lines += ' ';
    Base64::appendEncoded(lines, item.originalPath);
    lines += ' ';
    Base64::appendEncoded(lines, item.newPath);
    lines += '\n';
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
