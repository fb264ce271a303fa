#include "common/command_line.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

namespace synopter {

bool CommandLine::Next()
{
    while (++index_ < argc_) {
        argument_ = argv_[index_];
        inlineValue_.reset();
        operand_ = optionsEnded_ || argument_.size() < 2 || argument_.front() != '-';
        if (operand_)
            return true;
        if (argument_ == "--") {
            optionsEnded_ = true;
            continue;
        }
        name_ = argument_;
        if (const size_t eq = argument_.find('='); eq != std::string_view::npos && argument_.starts_with("--")) {
            name_ = argument_.substr(0, eq);
            inlineValue_ = argument_.substr(eq + 1);
        }
        return true;
    }
    return false;
}

std::string_view CommandLine::Value()
{
    if (inlineValue_)
        return *inlineValue_;
    if (index_ + 1 >= argc_)
        throw UsageError{"option " + std::string(name_) + " needs a value"};
    return argv_[++index_];
}

void CommandLine::NoValue() const
{
    if (inlineValue_)
        throw UsageError{"option " + std::string(name_) + " takes no value"};
}

bool WriteToStdout(std::string_view bytes)
{
    return std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size() && std::fflush(stdout) == 0;
}

int OutputFailed(const char* tool)
{
    std::fprintf(stderr, "%s: cannot write the output: %s\n", tool, std::strerror(errno));
    return kOutputFailed;
}

int RunTool(const char* tool, int (*main)(int, char**), int argc, char** argv)
{
    try {
        return main(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s: %s\n", tool, e.what());
        return kOutputFailed;
    }
}

const char* ProgramVersion()
{
    return SYNOPTER_VERSION;
}

std::optional<int> AnswerHelpOrVersion(const char* tool, std::string_view usage, int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--")
            break;
        if (argument == "--help" || argument == "-h")
            return WriteToStdout(usage) ? 0 : OutputFailed(tool);
        if (argument == "--version")
            return WriteToStdout(std::string(tool) + " " + ProgramVersion() + "\n") ? 0 : OutputFailed(tool);
    }
    return std::nullopt;
}

} // namespace synopter
