#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace synopter {

// A settings-style (INI) file: the settings file, the edition descriptors and
// the language files share it.
//
// Reading: section and key names match ignoring letter case (the first section
// and the first key of that name count); a missing file, section or key gives
// the caller's default; a key with an empty value gives the empty text. A value
// is trimmed of blanks, loses one pair of enclosing double or single quotes, and
// is cut to 2047 characters.
//
// Writing: each write replaces the file at once (atomically), creating file and
// section as needed; a key is replaced in place, a new key goes to the end of its
// section, and every other line stays byte for byte. A failed write throws
// Error("Unable to write to <full path>...").
class IniFile {
public:
    static constexpr size_t kMaxValueLength = 2047;

    // Reads the file once; a missing or unreadable file reads as empty.
    explicit IniFile(std::string path);

    const std::string& Path() const { return path_; }
    // Why a file that is there could not be read (too large, not a regular
    // file, the system's reason); empty when it was read or is missing.
    const std::string& ReadProblem() const { return readProblem_; }

    std::optional<std::string> Find(std::string_view section, std::string_view key) const;
    std::string ReadString(std::string_view section, std::string_view key, std::string_view def) const;
    int ReadInteger(std::string_view section, std::string_view key, int def) const;
    bool ReadBool(std::string_view section, std::string_view key, bool def) const;

    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, int value);
    void WriteBool(std::string_view section, std::string_view key, bool value);

    // Between these two, writes change only the lines held in memory; Commit
    // replaces the file once with what the writes one by one would have left.
    // A failed Commit throws, leaves the file as it was and forgets the writes.
    void HoldWrites();
    void CommitWrites();

    // The integer form: optional leading blanks, then decimal with an optional
    // sign, or hexadecimal after "$", "0x" or "0X"; 32 bits. nullopt otherwise.
    static std::optional<int> ParseInteger(std::string_view text);

private:
    struct Line {
        std::string text;
        std::string end; // the line's own terminator, kept as found
    };
    struct Location {
        size_t sectionLine = 0; // index of the header line
        size_t sectionEnd = 0;  // one past the section's last line
        std::optional<size_t> keyLine;
    };

    std::optional<Location> Locate(std::string_view section, std::string_view key) const;
    void Save() const;

    std::string path_;
    std::string readProblem_;
    std::vector<Line> lines_;
    std::string newline_ = "\r\n";
    std::optional<std::vector<Line>> held_; // the lines when writes began to be held
};

} // namespace synopter
