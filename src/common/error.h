#pragma once

#include <stdexcept>
#include <string>

namespace synopter {

// An error meant for the user: its text is shown as it stands.
class Error : public std::runtime_error {
public:
    explicit Error(const std::string& message) : std::runtime_error(message) {}
};

// A file that could not be written. The text is the settings-style message
// "Unable to write to <full path>"; the system's reason is kept apart.
class WriteError : public Error {
public:
    WriteError(const std::string& path, std::string reason)
        : Error("Unable to write to " + path), path_(path), reason_(std::move(reason)) {}
    const std::string& path() const { return path_; }
    const std::string& reason() const { return reason_; }

private:
    std::string path_;
    std::string reason_;
};

} // namespace synopter
