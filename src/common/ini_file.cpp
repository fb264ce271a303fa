#include "common/ini_file.h"

#include "common/ascii.h"
#include "common/file_io.h"

#include <climits>
#include <cstdint>

namespace synopter {

namespace {

std::optional<std::string_view> SectionName(std::string_view line)
{
    line = ascii::Trim(line);
    if (line.empty() || line.front() != '[')
        return std::nullopt;
    const size_t close = line.find(']');
    if (close == std::string_view::npos)
        return std::nullopt;
    return ascii::Trim(line.substr(1, close - 1));
}

// Key and raw value of a key line, or nullopt for comments and other lines.
std::optional<std::pair<std::string_view, std::string_view>> KeyValue(std::string_view line)
{
    const std::string_view trimmed = ascii::Trim(line);
    if (trimmed.empty() || trimmed.front() == ';')
        return std::nullopt;
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos)
        return std::nullopt;
    return std::make_pair(ascii::Trim(line.substr(0, eq)), line.substr(eq + 1));
}

std::string CleanValue(std::string_view raw)
{
    std::string_view value = ascii::Trim(raw);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    if (value.size() > IniFile::kMaxValueLength)
        value = value.substr(0, IniFile::kMaxValueLength);
    return std::string(value);
}

} // namespace

IniFile::IniFile(std::string path) : path_(std::move(path))
{
    std::optional<std::string> bytes;
    try {
        bytes = ReadFileBytes(path_, kMaxSettingsFileBytes);
    } catch (const std::exception& e) {
        // Settings-style files fail quietly on reading: defaults apply. The
        // reason is kept for a caller that tells the user.
        readProblem_ = e.what();
    }
    if (!bytes)
        return;
    const std::string& text = *bytes;
    bool sawEnd = false;
    size_t start = 0;
    for (size_t i = 0; i < text.size();) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            const size_t len = (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
            lines_.push_back({text.substr(start, i - start), text.substr(i, len)});
            if (!sawEnd) {
                newline_ = text.substr(i, len);
                sawEnd = true;
            }
            i += len;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < text.size())
        lines_.push_back({text.substr(start), std::string()});
}

std::optional<IniFile::Location> IniFile::Locate(std::string_view section, std::string_view key) const
{
    for (size_t i = 0; i < lines_.size(); ++i) {
        const auto name = SectionName(lines_[i].text);
        if (!name || !ascii::EqualsIgnoreCase(*name, section))
            continue;
        Location loc;
        loc.sectionLine = i;
        size_t j = i + 1;
        for (; j < lines_.size() && !SectionName(lines_[j].text); ++j) {
            if (loc.keyLine)
                continue;
            const auto kv = KeyValue(lines_[j].text);
            if (kv && ascii::EqualsIgnoreCase(kv->first, key))
                loc.keyLine = j;
        }
        loc.sectionEnd = j;
        return loc;
    }
    return std::nullopt;
}

std::optional<std::string> IniFile::Find(std::string_view section, std::string_view key) const
{
    const auto loc = Locate(section, key);
    if (!loc || !loc->keyLine)
        return std::nullopt;
    return CleanValue(KeyValue(lines_[*loc->keyLine].text)->second);
}

std::string IniFile::ReadString(std::string_view section, std::string_view key, std::string_view def) const
{
    auto value = Find(section, key);
    return value ? std::move(*value) : std::string(def);
}

std::optional<int> IniFile::ParseInteger(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() && ascii::IsBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    int base = 10;
    if (i < text.size() && text[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= text.size())
        return std::nullopt;
    std::uint64_t value = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return std::nullopt;
        value = value * base + digit;
        if (value > 0xFFFFFFFFull)
            return std::nullopt;
    }
    if (base == 10) {
        const std::uint64_t limit = negative ? std::uint64_t(INT_MAX) + 1 : std::uint64_t(INT_MAX);
        if (value > limit)
            return std::nullopt;
        return negative ? int(-std::int64_t(value)) : int(value);
    }
    // Hexadecimal fills all 32 bits: $FFFFFFFF is -1. Negated as unsigned, so
    // that -$80000000 is the smallest int rather than an overflow.
    const auto bits = static_cast<std::uint32_t>(value);
    return static_cast<std::int32_t>(negative ? 0u - bits : bits);
}

int IniFile::ReadInteger(std::string_view section, std::string_view key, int def) const
{
    const auto value = Find(section, key);
    if (!value)
        return def;
    return ParseInteger(*value).value_or(def);
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool def) const
{
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value)
{
    std::string entry = std::string(key) + "=" + std::string(value);
    // A line break in a value (a file name may hold one) would add lines of its own.
    for (char& c : entry)
        if (c == '\r' || c == '\n')
            c = ' ';
    const std::vector<Line> before = held_ ? std::vector<Line>{} : lines_;
    // A final line without a line end gets one only when a line goes after it.
    const auto endLastLine = [this] {
        if (!lines_.empty() && lines_.back().end.empty())
            lines_.back().end = newline_;
    };

    const auto loc = Locate(section, key);
    if (!loc) {
        endLastLine();
        std::string header = "[";
        header += section;
        header += ']';
        lines_.push_back({std::move(header), newline_});
        lines_.push_back({std::move(entry), newline_});
    } else if (loc->keyLine) {
        lines_[*loc->keyLine].text = std::move(entry);
    } else {
        // After the section's last non-blank line, so blank separators stay below it.
        size_t at = loc->sectionEnd;
        while (at > loc->sectionLine + 1 && ascii::Trim(lines_[at - 1].text).empty())
            --at;
        if (at == lines_.size())
            endLastLine();
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), Line{std::move(entry), newline_});
    }
    if (held_)
        return;
    try {
        Save();
    } catch (...) {
        lines_ = before;
        throw;
    }
}

void IniFile::HoldWrites()
{
    if (!held_)
        held_ = lines_;
}

void IniFile::CommitWrites()
{
    if (!held_)
        return;
    std::vector<Line> before = std::move(*held_);
    held_.reset();
    try {
        Save();
    } catch (...) {
        lines_ = std::move(before);
        throw;
    }
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, int value)
{
    WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value)
{
    WriteString(section, key, value ? "1" : "0");
}

void IniFile::Save() const
{
    std::string bytes;
    for (const Line& line : lines_) {
        bytes += line.text;
        bytes += line.end;
    }
    WriteFileAtomically(path_, bytes);
}

} // namespace synopter
