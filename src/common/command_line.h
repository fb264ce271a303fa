#pragma once

#include "common/error.h"

#include <optional>
#include <string>
#include <string_view>

namespace synopter {

// Bad command-line input: the message for stderr; the tools end with kBadInput
// on it, before any output.
class UsageError : public Error {
public:
    using Error::Error;
};

// Walks a command line as Synopter's tools read it: "--name value" or
// "--name=value"; "--" ends the options; a lone "-" and anything not starting
// with '-' is an operand.
class CommandLine {
public:
    CommandLine(int argc, char** argv) : argc_(argc), argv_(argv) {}

    // Steps to the next argument; false after the last.
    bool Next();
    bool IsOperand() const { return operand_; }
    // The whole argument as given.
    std::string_view Argument() const { return argument_; }
    // The option's name, without an "=value".
    std::string_view Option() const { return name_; }
    // The option's value: after '=' or the next argument. Throws UsageError when there is none.
    std::string_view Value();
    // Throws UsageError when an option that takes no value was given one.
    void NoValue() const;

private:
    int argc_;
    char** argv_;
    int index_ = 0;
    bool optionsEnded_ = false;
    bool operand_ = false;
    std::string_view argument_;
    std::string_view name_;
    std::optional<std::string_view> inlineValue_;
};

// Writes to standard output and flushes; false when not all of it got there.
bool WriteToStdout(std::string_view bytes);

// The tools' exit statuses besides 0, done.
constexpr int kOutputFailed = 1;
constexpr int kBadInput = 2;

// Says on stderr, under the tool's name, that the output could not be written
// (errno tells why); gives kOutputFailed.
int OutputFailed(const char* tool);

// The program's version, the project's version in CMake.
const char* ProgramVersion();

// Answers "--help" or "-h" with `usage` and "--version" with the tool's name
// and version, when one of them comes before any "--"; gives the exit status
// then, nullopt when neither was asked.
std::optional<int> AnswerHelpOrVersion(const char* tool, std::string_view usage, int argc, char** argv);

// Runs a tool's main; an error escaping it is said on stderr under the tool's
// name and ends the tool with kOutputFailed.
int RunTool(const char* tool, int (*main)(int, char**), int argc, char** argv);

} // namespace synopter
