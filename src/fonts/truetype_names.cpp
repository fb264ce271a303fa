#include "fonts/truetype_names.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace synopter {

namespace {

// Read-only file closed on every way out. All reads are positioned absolutely,
// so nothing depends on where an earlier read stopped.
class FontFile {
public:
    // Non-blocking and regular files only: a FIFO in Fonts/ must not hold up start-up.
    explicit FontFile(const std::string& path) : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK))
    {
        struct stat st {};
        if (fd_ >= 0 && (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode))) {
            ::close(fd_);
            fd_ = -1;
        }
    }
    ~FontFile()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FontFile(const FontFile&) = delete;
    FontFile& operator=(const FontFile&) = delete;

    bool IsOpen() const { return fd_ >= 0; }

    // Reads up to `size` bytes at `offset`; returns how many arrived (fewer at
    // the end of the file or on a read error).
    size_t ReadAt(std::uint64_t offset, void* buffer, size_t size) const
    {
        size_t done = 0;
        while (done < size) {
            const ssize_t n = ::pread(fd_, static_cast<char*>(buffer) + done, size - done,
                                      static_cast<off_t>(offset + done));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            done += static_cast<size_t>(n);
        }
        return done;
    }

    bool ReadExactly(std::uint64_t offset, void* buffer, size_t size) const
    {
        return ReadAt(offset, buffer, size) == size;
    }

private:
    int fd_;
};

std::uint16_t Read16(const unsigned char* p)
{
    return static_cast<std::uint16_t>((p[0] << 8) | p[1]);
}

std::uint32_t Read32(const unsigned char* p)
{
    return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) | p[3];
}

constexpr std::uint16_t kWindowsPlatform = 3;
constexpr std::uint16_t kSymbolEncoding = 0;
constexpr std::uint16_t kUnicodeBmpEncoding = 1;

} // namespace

bool ReadTrueTypeNames(const std::string& path, std::string& family, std::string& subfamily,
                       std::string& fullName)
{
    family.clear();
    subfamily.clear();
    fullName.clear();

    const FontFile file(path);
    if (!file.IsOpen())
        return false;

    unsigned char offsetTable[6];
    if (!file.ReadExactly(0, offsetTable, sizeof offsetTable))
        return false;
    static constexpr unsigned char kTrueTypeSignature[4] = {0x00, 0x01, 0x00, 0x00};
    if (std::memcmp(offsetTable, kTrueTypeSignature, 4) != 0)
        return false;
    const std::uint16_t numTables = Read16(offsetTable + 4);

    // The first table record tagged "name" (case matters: "NAME" is another table).
    std::uint64_t tableStart = 0;
    bool haveNameTable = false;
    for (std::uint32_t i = 0; i < numTables && !haveNameTable; ++i) {
        unsigned char record[16];
        if (!file.ReadExactly(12 + 16 * std::uint64_t(i), record, sizeof record))
            return false;
        if (std::memcmp(record, "name", 4) == 0) {
            tableStart = Read32(record + 8);
            haveNameTable = true;
        }
    }
    if (!haveNameTable)
        return false;

    unsigned char header[6];
    if (!file.ReadExactly(tableStart, header, sizeof header))
        return false;
    const std::uint16_t format = Read16(header);
    const std::uint16_t count = Read16(header + 2);
    const std::uint16_t stringOffset = Read16(header + 4);
    if (format != 0)
        return false;

    bool found = false;
    std::string bytes;
    for (std::uint32_t k = 0; k < count; ++k) {
        unsigned char record[12];
        if (!file.ReadExactly(tableStart + 6 + 12 * std::uint64_t(k), record, sizeof record))
            break;
        const std::uint16_t platformId = Read16(record);
        const std::uint16_t encodingId = Read16(record + 2);
        const std::uint16_t nameId = Read16(record + 6);
        const std::uint16_t length = Read16(record + 8);
        const std::uint16_t offset = Read16(record + 10);
        if (platformId != kWindowsPlatform || (encodingId != kSymbolEncoding && encodingId != kUnicodeBmpEncoding))
            continue;
        found = true;

        bytes.resize(length);
        bytes.resize(file.ReadAt(tableStart + stringOffset + offset, bytes.data(), length));
        std::string text;
        text.reserve(bytes.size() / 2);
        for (size_t i = 1; i < bytes.size(); i += 2)
            text += bytes[i];

        switch (nameId) {
        case 1: family = std::move(text); break;
        case 2: subfamily = std::move(text); break;
        case 4: fullName = std::move(text); break;
        default: break;
        }
    }
    return found;
}

} // namespace synopter
