// SPDX-License-Identifier: MIT
#include "platform/xdg_autostart_login_item.h"

#include "platform/application_id.h"
#include "platform/durable_file.h"
#include "platform/log_categories.h"
#include "platform/posix_error.h"
#include "platform/xdg_user_dirs.h"

#include <QCoreApplication>
#include <QFile>
#include <cerrno>
#include <map>
#include <string_view>
#include <system_error>
#include <unistd.h>

namespace sorvane {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view mainGroup = "[Desktop Entry]";
constexpr std::string_view hiddenKey = "Hidden";
constexpr std::string_view gnomeEnabledKey = "X-GNOME-Autostart-enabled";
constexpr std::string_view generatedKey = "X-Sorvane-Generated";
constexpr std::string_view execKey = "Exec";
constexpr std::string_view tryExecKey = "TryExec";

// Characters that oblige an Exec argument to be quoted, as the Desktop Entry specification
// lists them.
constexpr std::string_view reservedInExec = " \t\n\"'\\><~|&;$*?#()`";

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

std::vector<std::string_view> linesOf(std::string_view contents) {
    std::vector<std::string_view> lines;
    while (!contents.empty()) {
        const std::size_t end = contents.find('\n');
        lines.push_back(contents.substr(0, end));
        if (end == std::string_view::npos)
            break;
        contents.remove_prefix(end + 1);
    }
    return lines;
}

bool isGroupHeader(std::string_view line) {
    line = trimmed(line);
    return !line.empty() && line.front() == '[';
}

/// The key of a `key=value` line, or empty for comments, blank lines and headers.
std::string_view keyOf(std::string_view line) {
    const std::string_view text = trimmed(line);
    if (text.empty() || text.front() == '#' || text.front() == '[')
        return {};
    const std::size_t equals = text.find('=');
    return equals == std::string_view::npos ? std::string_view{} : trimmed(text.substr(0, equals));
}

std::map<std::string, std::string, std::less<>> mainGroupValues(std::string_view contents) {
    std::map<std::string, std::string, std::less<>> values;
    bool inMain = false;
    for (std::string_view line : linesOf(contents)) {
        if (isGroupHeader(line)) {
            inMain = trimmed(line) == mainGroup;
            continue;
        }
        const std::string_view key = keyOf(line);
        if (inMain && !key.empty())
            values.emplace(key, trimmed(line.substr(line.find('=') + 1)));
    }
    return values;
}

bool enabledIn(std::string_view contents) {
    const auto values = mainGroupValues(contents);
    const auto hidden = values.find(hiddenKey);
    const auto gnomeEnabled = values.find(gnomeEnabledKey);
    return !(hidden != values.end() && hidden->second == "true") &&
           !(gnomeEnabled != values.end() && gnomeEnabled->second == "false");
}

bool generatedIn(std::string_view contents) {
    const auto values = mainGroupValues(contents);
    const auto generated = values.find(generatedKey);
    return generated != values.end() && generated->second == "true";
}

/// `contents` with the given keys of the main group set; keys it lacks are added at the end
/// of the group when `addMissing`. Every other line is kept byte for byte.
std::string withValues(std::string_view contents,
                       const std::map<std::string_view, std::string_view>& values,
                       bool addMissing) {
    std::string result;
    std::map<std::string_view, bool> done;
    bool inMain = false;
    auto addRest = [&] {
        if (!addMissing)
            return;
        for (const auto& [key, value] : values)
            if (!done[key])
                result.append(key).append("=").append(value).append("\n");
    };
    for (std::string_view line : linesOf(contents)) {
        if (isGroupHeader(line)) {
            if (inMain)
                addRest();
            inMain = trimmed(line) == mainGroup;
        } else if (inMain) {
            const auto value = values.find(keyOf(line));
            if (value != values.end()) {
                result.append(value->first).append("=").append(value->second).append("\n");
                done[value->first] = true;
                continue;
            }
        }
        result.append(line).append("\n");
    }
    if (inMain)
        addRest();
    return result;
}

/// `text` with the escapes of a desktop entry's string values.
std::string escapedValue(std::string_view text) {
    std::string escaped;
    for (const char c : text) {
        switch (c) {
        case '\\':
            escaped += "\\\\";
            break;
        case '\n':
            escaped += "\\n";
            break;
        case '\t':
            escaped += "\\t";
            break;
        case '\r':
            escaped += "\\r";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

/// The value of `key` in the main group, or none.
std::optional<std::string> valueIn(std::string_view contents, std::string_view key) {
    const auto values = mainGroupValues(contents);
    const auto found = values.find(key);
    return found == values.end() ? std::nullopt : std::optional<std::string>(found->second);
}

bool isUtf8(const std::string& bytes) {
    const QByteArray original = QByteArray::fromStdString(bytes);
    return QString::fromUtf8(original).toUtf8() == original;
}

QString failure(std::string_view action, const std::string& reason, const fs::path& file) {
    const QString why = QString::fromStdString(reason);
    const QString where = QString::fromStdString(file.string());
    if (action == "turn off")
        return QCoreApplication::translate("LoginItem",
                                           "Could not turn off opening at login: %1 (%2).")
            .arg(why, where);
    if (action == "update")
        return QCoreApplication::translate("LoginItem",
                                           "Could not update opening at login: %1 (%2).")
            .arg(why, where);
    return QCoreApplication::translate("LoginItem", "Could not turn on opening at login: %1 (%2).")
        .arg(why, where);
}

QString failure(std::string_view action, const FileError& error, const fs::path& file) {
    return error.code != 0 ? failure(action, errorText(error.code), file)
                           : QString::fromStdString(error.message);
}

} // namespace

XdgAutostartLoginItem::XdgAutostartLoginItem(fs::path program) : m_program(std::move(program)) {}

XdgAutostartLoginItem::XdgAutostartLoginItem()
    : XdgAutostartLoginItem(
          QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString()) {}

fs::path XdgAutostartLoginItem::entryPath() {
    return XdgUserDirs::configHome() / "autostart" / (std::string(applicationId) + ".desktop");
}

std::string XdgAutostartLoginItem::execArgument(const std::string& argument) {
    std::string quoted;
    const bool needsQuotes =
        argument.empty() || argument.find_first_of(reservedInExec) != std::string::npos;
    if (needsQuotes) {
        quoted += '"';
        for (const char c : argument) {
            if (c == '"' || c == '`' || c == '$' || c == '\\')
                quoted += '\\';
            quoted += c;
        }
        quoted += '"';
    } else {
        quoted = argument;
    }
    // The general escapes of string values are undone before the quotes are read, so a
    // backslash of the quoting is itself escaped; a lone "%" would start a field code.
    std::string fieldCodesEscaped;
    for (const char c : quoted) {
        if (c == '%')
            fieldCodesEscaped += '%';
        fieldCodesEscaped += c;
    }
    return escapedValue(fieldCodesEscaped);
}

std::optional<std::string> XdgAutostartLoginItem::entryFor(const fs::path& program) {
    if (!isUtf8(program.string()))
        return std::nullopt;
    const std::string id = applicationId;
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Sorvane\n"
           "Comment=Keeps the desktop clear by moving its items into a dated archive folder\n"
           "Comment[de]=Hält den Schreibtisch frei, indem es seine Objekte in einen datierten "
           "Archivordner verschiebt\n"
           "TryExec=" +
           escapedValue(program.string()) +
           "\n"
           "Exec=" +
           execArgument(program.string()) +
           " --background\n"
           "Icon=" +
           id +
           "\n"
           "Terminal=false\n"
           "X-GNOME-Autostart-enabled=true\n"
           "X-Sorvane-Generated=true\n";
}

bool XdgAutostartLoginItem::isEnabled() const {
    const FileResult<std::string> contents = DurableFile::read(entryPath());
    return contents && enabledIn(*contents);
}

std::optional<QString> XdgAutostartLoginItem::setEnabled(bool enabled) {
    return enabled ? enable() : disable();
}

std::optional<QString> XdgAutostartLoginItem::enable() {
    const fs::path file = entryPath();
    constexpr std::string_view action = "turn on";
    const FileResult<std::string> existing = DurableFile::read(file);
    std::string contents;
    if (existing && !generatedIn(*existing)) {
        if (enabledIn(*existing))
            return std::nullopt;
        contents = withValues(*existing, {{hiddenKey, "false"}, {gnomeEnabledKey, "true"}}, false);
    } else if (existing || existing.error().code == ENOENT) {
        const std::optional<std::string> entry = entryFor(m_program);
        if (!entry)
            return failure(
                action,
                QCoreApplication::translate("LoginItem", "the program's path is not valid UTF-8")
                    .toStdString(),
                m_program);
        contents = *entry;
    } else {
        return failure(action, existing.error(), file);
    }

    std::error_code error;
    fs::create_directories(file.parent_path(), error);
    if (error)
        return failure(action, error.message(), file.parent_path());
    if (const FileStatus written = DurableFile::write(file, contents); !written)
        return failure(action, written.error(), file);
    return std::nullopt;
}

void XdgAutostartLoginItem::refresh() {
    const fs::path file = entryPath();
    const FileResult<std::string> existing = DurableFile::read(file);
    if (!existing || !generatedIn(*existing) || !enabledIn(*existing))
        return;
    const std::optional<std::string> entry = entryFor(m_program);
    if (!entry)
        return;
    if (valueIn(*existing, execKey) == valueIn(*entry, execKey) &&
        valueIn(*existing, tryExecKey) == valueIn(*entry, tryExecKey))
        return;
    // Nothing the user asked for failed, so nothing to show; the old entry still works
    // as long as its program does.
    if (const FileStatus written = DurableFile::write(file, *entry); !written)
        qCWarning(logLogin).noquote() << failure("update", written.error(), file);
}

std::optional<QString> XdgAutostartLoginItem::disable() {
    const fs::path file = entryPath();
    constexpr std::string_view action = "turn off";
    const FileResult<std::string> existing = DurableFile::read(file);
    if (!existing && existing.error().code == ENOENT)
        return std::nullopt;
    if (!existing)
        return failure(action, existing.error(), file);
    if (generatedIn(*existing)) {
        if (::unlink(file.c_str()) != 0 && errno != ENOENT)
            return failure(action, errorText(errno), file);
        return std::nullopt;
    }
    if (!enabledIn(*existing))
        return std::nullopt;
    const std::string contents = withValues(*existing, {{hiddenKey, "true"}}, true);
    if (const FileStatus written = DurableFile::write(file, contents); !written)
        return failure(action, written.error(), file);
    return std::nullopt;
}

} // namespace sorvane
