// SPDX-License-Identifier: MIT
#include "platform/posix_error.h"

#include "platform/message_catalogue.h"

#include <cerrno>
#include <cstring>

namespace sorvane {
namespace {

// The texts the C library gives in English, ours to translate; other values keep the C
// library's text.
std::string knownErrorText(int code) {
    switch (code) {
    case ENOENT:
        return messageText("SystemError", "No such file or directory");
    case EACCES:
        return messageText("SystemError", "Permission denied");
    case EPERM:
        return messageText("SystemError", "Operation not permitted");
    case ENOSPC:
        return messageText("SystemError", "No space left on device");
    case EROFS:
        return messageText("SystemError", "Read-only file system");
    case EEXIST:
        return messageText("SystemError", "File exists");
    case ENOTEMPTY:
        return messageText("SystemError", "Directory not empty");
    case EXDEV:
        return messageText("SystemError", "Invalid cross-device link");
    case EIO:
        return messageText("SystemError", "Input/output error");
    case EBUSY:
        return messageText("SystemError", "Device or resource busy");
    case ENAMETOOLONG:
        return messageText("SystemError", "File name too long");
    case EDQUOT:
        return messageText("SystemError", "Disk quota exceeded");
    case ELOOP:
        return messageText("SystemError", "Too many levels of symbolic links");
    case ENOTDIR:
        return messageText("SystemError", "Not a directory");
    case EISDIR:
        return messageText("SystemError", "Is a directory");
    case EMFILE:
        return messageText("SystemError", "Too many open files");
    case ENFILE:
        return messageText("SystemError", "Too many open files in system");
    case EINVAL:
        return messageText("SystemError", "Invalid argument");
    case EAGAIN:
        return messageText("SystemError", "Resource temporarily unavailable");
    case ETXTBSY:
        return messageText("SystemError", "Text file busy");
    case EFBIG:
        return messageText("SystemError", "File too large");
    case ENOMEM:
        return messageText("SystemError", "Cannot allocate memory");
    case EMLINK:
        return messageText("SystemError", "Too many links");
    case EOPNOTSUPP:
        return messageText("SystemError", "Operation not supported");
    case ENODATA:
        return messageText("SystemError", "No data available");
    case ESTALE:
        return messageText("SystemError", "Stale file handle");
    case ENXIO:
        return messageText("SystemError", "No such device or address");
    case ENODEV:
        return messageText("SystemError", "No such device");
    case ETIMEDOUT:
        return messageText("SystemError", "Connection timed out");
    case ECANCELED:
        return messageText("SystemError", "Operation canceled");
    default:
        return {};
    }
}

// One whole sentence per action, so that a translation can put the verb where its language
// wants it. An action without one here keeps the English sentence.
std::string failureSentence(std::string_view action, std::string_view afterName,
                            std::string_view what, std::string_view reason) {
    const std::initializer_list<std::string_view> arguments{what, reason};
    const auto is = [&](std::string_view a, std::string_view after = {}) {
        return action == a && afterName == after;
    };
    if (is("read"))
        return fillIn(messageText("FileError", "Could not read %1: %2."), arguments);
    if (is("list the contents of"))
        return fillIn(messageText("FileError", "Could not list the contents of %1: %2."),
                      arguments);
    if (is("tag"))
        return fillIn(messageText("FileError", "Could not tag %1: %2."), arguments);
    if (is("move"))
        return fillIn(messageText("FileError", "Could not move %1: %2."), arguments);
    if (is("move", " to the Trash"))
        return fillIn(messageText("FileError", "Could not move %1 to the Trash: %2."), arguments);
    if (is("copy"))
        return fillIn(messageText("FileError", "Could not copy %1: %2."), arguments);
    if (is("create the folder"))
        return fillIn(messageText("FileError", "Could not create the folder %1: %2."), arguments);
    if (is("write the journal"))
        return fillIn(messageText("FileError", "Could not write the journal %1: %2."), arguments);
    if (is("start the journal"))
        return fillIn(messageText("FileError", "Could not start the journal %1: %2."), arguments);
    if (is("lock the journal"))
        return fillIn(messageText("FileError", "Could not lock the journal %1: %2."), arguments);
    if (is("save"))
        return fillIn(messageText("FileError", "Could not save %1: %2."), arguments);
    if (is("remove"))
        return fillIn(messageText("FileError", "Could not remove %1: %2."), arguments);
    if (is("read the tags of"))
        return fillIn(messageText("FileError", "Could not read the tags of %1: %2."), arguments);
    if (is("read the properties of"))
        return fillIn(messageText("FileError", "Could not read the properties of %1: %2."),
                      arguments);
    if (is("keep a copy of"))
        return fillIn(messageText("FileError", "Could not keep a copy of %1: %2."), arguments);
    return "Could not " + std::string(action) + " " + std::string(what) + std::string(afterName) +
           ": " + std::string(reason) + ".";
}

} // namespace

std::string errorText(int code) {
    if (std::string known = knownErrorText(code); !known.empty())
        return known;
    char buffer[256];
    // The GNU strerror_r returns the text, which may or may not live in `buffer`.
    return strerror_r(code, buffer, sizeof buffer);
}

std::string quotedText(std::string_view text) {
    return fillIn(messageText("FileError", "\u201C%1\u201D"), {text});
}

std::string quotedName(const std::filesystem::path& item) {
    auto name = item.filename();
    if (name.empty())
        name = item.parent_path().filename();
    if (name.empty())
        name = item;
    return quotedText(name.native());
}

FileError posixError(std::string_view action, const std::filesystem::path& item, int code,
                     std::string_view afterName) {
    return {code, failureSentence(action, afterName, quotedName(item), errorText(code))};
}

FileError posixError(std::string_view action, const std::filesystem::path& item,
                     const std::filesystem::path& inner, int code, std::string_view afterName) {
    if (inner.empty() || inner == item.filename())
        return posixError(action, item, code, afterName);
    const std::string what = fillIn(messageText("FileError", "%1 (at \u201C%2\u201D)"),
                                    {quotedName(item), inner.string()});
    return {code, failureSentence(action, afterName, what, errorText(code))};
}

} // namespace sorvane
