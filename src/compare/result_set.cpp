#include "compare/result_set.h"

#include "common/error.h"
#include "common/file_io.h"
#include "common/text_lines.h"

#include <cstdint>
#include <cstdio>
#include <optional>

namespace synopter {

namespace {

constexpr const char* kRecordHeading = "Synopter result set 1";

struct Entry {
    std::string name;
    std::string stamp; // size and checksum
    std::string temp;  // where the file waited before its rename
};

// Size and FNV-1a checksum: a file of another run differs in one or the other.
std::string Stamp(const std::string& bytes)
{
    std::uint64_t hash = 14695981039346656037ull;
    for (const unsigned char c : bytes) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    char text[48];
    std::snprintf(text, sizeof text, "%zu %016llx", bytes.size(), static_cast<unsigned long long>(hash));
    return text;
}

std::optional<std::string> StampOfFile(const std::string& path)
{
    try {
        if (const auto bytes = ReadFileBytes(path, kMaxResultFileBytes))
            return Stamp(*bytes);
    } catch (const Error&) {
    }
    return std::nullopt;
}

// The record's entries; nullopt without a record, an empty list for one that
// cannot be read as a record.
std::optional<std::vector<Entry>> ReadRecord(const std::string& folder)
{
    std::optional<std::string> bytes;
    try {
        bytes = ReadFileBytes(folder + kResultSetFileName, kMaxSettingsFileBytes);
    } catch (const Error&) {
        return std::vector<Entry>{};
    }
    if (!bytes)
        return std::nullopt;
    const std::vector<std::string> lines = SplitLines(*bytes);
    std::vector<Entry> entries;
    if (lines.empty() || lines[0] != kRecordHeading)
        return entries;
    for (size_t i = 1; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        const size_t a = line.find('\t');
        const size_t b = a == std::string::npos ? a : line.find('\t', a + 1);
        if (b == std::string::npos || a == 0)
            return std::vector<Entry>{};
        entries.push_back({line.substr(0, a), line.substr(a + 1, b - a - 1), line.substr(b + 1)});
    }
    return entries;
}

} // namespace

void SaveResultSet(const std::string& folder, const std::vector<ResultFile>& files, const ResultSaveStep& step)
{
    int stepNumber = 0;
    const auto next = [&] {
        if (step)
            step(stepNumber);
        ++stepNumber;
    };
    struct Pending {
        std::string path, target, temp;
    };
    std::vector<Pending> pending;
    std::string record = std::string(kRecordHeading) + "\n";
    try {
        for (const ResultFile& file : files) {
            next();
            Pending p;
            p.path = folder + file.name;
            p.target = ReplacementTarget(p.path);
            p.temp = WriteTemporaryFor(p.path, p.target, file.bytes);
            record += file.name + "\t" + Stamp(file.bytes) + "\t" + p.temp + "\n";
            pending.push_back(std::move(p));
        }
        next();
        WriteFileAtomically(folder + kResultSetFileName, record);
    } catch (...) {
        // The old record still names the old files, which are all in place.
        for (const Pending& p : pending)
            std::remove(p.temp.c_str());
        throw;
    }
    // The rest go on after a failed rename: the set is refused at the next
    // start either way, and the error names the file that failed.
    std::optional<WriteError> failed;
    for (const Pending& p : pending) {
        next();
        try {
            MoveIntoPlace(p.path, p.temp, p.target);
        } catch (const WriteError& e) {
            if (!failed)
                failed = e;
        }
    }
    if (failed)
        throw *failed;
}

void RecoverResultSet(const std::string& folder, const std::vector<std::string>& names)
{
    if (const auto entries = ReadRecord(folder)) {
        for (const Entry& e : *entries) {
            const std::string path = folder + e.name;
            if (StampOfFile(path) == e.stamp || StampOfFile(e.temp) != e.stamp)
                continue;
            try {
                MoveIntoPlace(path, e.temp, ReplacementTarget(path));
            } catch (const WriteError&) {
                // The set stays mixed and is refused when loaded.
            }
        }
    }
    for (const std::string& name : names)
        RemoveStrayTemporaries(folder + name);
    RemoveStrayTemporaries(folder + kResultSetFileName);
}

ResultSetState CheckResultSet(const std::string& folder)
{
    const auto entries = ReadRecord(folder);
    if (!entries)
        return ResultSetState::Unrecorded;
    if (entries->empty())
        return ResultSetState::Mixed;
    for (const Entry& e : *entries)
        if (StampOfFile(folder + e.name) != e.stamp)
            return ResultSetState::Mixed;
    return ResultSetState::Whole;
}

} // namespace synopter
