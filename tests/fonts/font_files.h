#pragma once

// Byte-built TrueType files for the font tests: only the offset table, the
// table records and whatever table data a test supplies.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace synopter::test {

inline std::string Be16(std::uint32_t v)
{
    return {char((v >> 8) & 0xFF), char(v & 0xFF)};
}

inline std::string Be32(std::uint32_t v)
{
    return Be16(v >> 16) + Be16(v & 0xFFFF);
}

// Big-endian UTF-16 of a text whose characters are code units.
inline std::string Utf16(std::u16string_view text)
{
    std::string out;
    for (char16_t unit : text)
        out += Be16(unit);
    return out;
}

struct NameRecord {
    std::uint16_t nameId;
    std::string bytes; // the string as stored
    std::uint16_t platformId = 3;
    std::uint16_t encodingId = 1;
    std::uint16_t languageId = 0x409;
};

// A naming table with the strings stored in record order.
inline std::string NameTable(const std::vector<NameRecord>& records, std::uint16_t format = 0)
{
    std::string head = Be16(format) + Be16(std::uint32_t(records.size())) + Be16(6 + 12 * std::uint32_t(records.size()));
    std::string strings;
    for (const NameRecord& r : records) {
        head += Be16(r.platformId) + Be16(r.encodingId) + Be16(r.languageId) + Be16(r.nameId) +
                Be16(std::uint32_t(r.bytes.size())) + Be16(std::uint32_t(strings.size()));
        strings += r.bytes;
    }
    return head + strings;
}

struct Table {
    std::string tag;
    std::string data;
};

inline std::string FontBytes(const std::vector<Table>& tables, std::string_view signature = std::string_view("\0\1\0\0", 4))
{
    std::string out(signature);
    out += Be16(std::uint32_t(tables.size())) + std::string(6, '\0');
    std::uint32_t offset = 12 + 16 * std::uint32_t(tables.size());
    for (const Table& t : tables) {
        out += t.tag + Be32(0) + Be32(offset) + Be32(std::uint32_t(t.data.size()));
        offset += std::uint32_t(t.data.size());
    }
    for (const Table& t : tables)
        out += t.data;
    return out;
}

inline std::string FontWithNames(const std::vector<NameRecord>& records)
{
    return FontBytes({{"name", NameTable(records)}});
}

inline void WriteBytes(const std::string& path, std::string_view bytes)
{
    std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
}

// A fresh folder, removed with everything in it at the end of the test.
class TempFolder {
public:
    TempFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "synopter-fonts-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            ADD_FAILURE() << "cannot create a temporary folder";
        path_ = pattern + "/";
    }
    ~TempFolder() { std::filesystem::remove_all(path_); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // Ends in a separator, like the fonts folder.
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

} // namespace synopter::test
