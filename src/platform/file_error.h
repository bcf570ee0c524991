// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <utility>
#include <variant>

namespace sorvane {

/// A failed file operation: the errno value (0 when the failure has none) and a sentence
/// for the user that names what was attempted and why it failed.
struct FileError {
    int code = 0;
    std::string message;

    const std::string& description() const { return message; }
};

/// The outcome of a file operation that yields a value or fails.
template <class T> class FileResult {
public:
    FileResult(T value) : m_state(std::move(value)) {}
    FileResult(FileError error) : m_state(std::move(error)) {}

    bool ok() const { return m_state.index() == 0; }
    explicit operator bool() const { return ok(); }
    const T& value() const& { return std::get<0>(m_state); }
    T&& value() && { return std::get<0>(std::move(m_state)); }
    const T& operator*() const& { return value(); }
    const T* operator->() const { return &value(); }
    const FileError& error() const { return std::get<1>(m_state); }

private:
    std::variant<T, FileError> m_state;
};

/// The outcome of a file operation that yields nothing: empty on success.
class FileStatus {
public:
    FileStatus() = default;
    FileStatus(FileError error) : m_error(std::move(error)), m_failed(true) {}

    bool ok() const { return !m_failed; }
    explicit operator bool() const { return ok(); }
    const FileError& error() const { return m_error; }

private:
    FileError m_error;
    bool m_failed = false;
};

} // namespace sorvane
