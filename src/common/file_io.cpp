#include "common/file_io.h"

#include "common/ascii.h"
#include "common/error.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace synopter {

namespace fs = std::filesystem;

std::string ProgramDirectory()
{
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    std::string dir = ec ? fs::current_path().string() : exe.parent_path().string();
    if (dir.empty() || dir.back() != '/')
        dir += '/';
    return dir;
}

bool FileExists(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 || (errno != ENOENT && errno != ENOTDIR);
}

bool EntryExists(const std::string& path)
{
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 || (errno != ENOENT && errno != ENOTDIR);
}

bool IsRegularFile(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

namespace {

std::string KindOfEntry(mode_t mode)
{
    if (S_ISDIR(mode))
        return "a folder";
    if (S_ISFIFO(mode))
        return "a FIFO";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "a device";
    if (S_ISSOCK(mode))
        return "a socket";
    return "not a plain file";
}

std::string SizeText(size_t bytes)
{
    if (bytes >= (size_t{1} << 20) && bytes % (size_t{1} << 20) == 0)
        return std::to_string(bytes >> 20) + " MB";
    if (bytes >= 1024 && bytes % 1024 == 0)
        return std::to_string(bytes >> 10) + " KB";
    return std::to_string(bytes) + " bytes";
}

[[noreturn]] void Refuse(const std::string& path, const std::string& reason)
{
    throw Error("Cannot read file \"" + path + "\". " + reason);
}

[[noreturn]] void RefuseKind(const std::string& path, mode_t mode)
{
    Refuse(path, "It is " + KindOfEntry(mode) + ", not a regular file.");
}

[[noreturn]] void RefuseSize(const std::string& path, size_t limit)
{
    Refuse(path, "It is larger than " + SizeText(limit) + ", more than such a file can be.");
}

} // namespace

std::optional<std::string> ReadFileBytes(const std::string& path, size_t limit)
{
    // Looked at before opening: opening a FIFO would wait for a writer, and a
    // device such as /dev/zero never ends.
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        if (errno == ENOENT)
            return std::nullopt;
        throw Error("Cannot open file \"" + path + "\". " + std::strerror(errno));
    }
    if (!S_ISREG(st.st_mode))
        RefuseKind(path, st.st_mode);
    if (static_cast<std::uintmax_t>(st.st_size) > limit)
        RefuseSize(path, limit);

    // Non-blocking, in case the entry was replaced by a FIFO since; the type is
    // checked again on what was opened.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        if (errno == ENOENT)
            return std::nullopt;
        throw Error("Cannot open file \"" + path + "\". " + std::strerror(errno));
    }
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    if (::fstat(fd, &st) != 0)
        throw Error("Cannot read file \"" + path + "\". " + std::strerror(errno));
    if (!S_ISREG(st.st_mode))
        RefuseKind(path, st.st_mode);

    // Read straight into a string of the file's size: growing it chunk by chunk
    // costs more than the reading itself for an edition text. Files under /proc
    // report size 0 and have content; a file may grow while read: the limit
    // holds for what arrives.
    size_t capacity = 65536;
    if (st.st_size > 0)
        capacity = static_cast<size_t>(st.st_size) + 1; // + 1 sees the end in one read
    capacity = std::min(capacity, limit + 1);
    std::string bytes(capacity, '\0');
    size_t size = 0;
    for (;;) {
        if (size == bytes.size()) {
            if (size > limit)
                RefuseSize(path, limit);
            bytes.resize(std::min(bytes.size() * 2, limit + 1));
        }
        const ssize_t n = ::read(fd, bytes.data() + size, bytes.size() - size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw Error("Cannot read file \"" + path + "\". " + std::strerror(errno));
        }
        if (n == 0)
            break;
        size += static_cast<size_t>(n);
    }
    if (size > limit)
        RefuseSize(path, limit);
    bytes.resize(size);
    return bytes;
}

namespace {

// Temporaries are "<name>." + six characters from mkstemps + this, so that the
// program's own leftovers can be told from files of the user's.
constexpr std::string_view kTempSuffix = ".tmp";
constexpr size_t kTempRandom = 6;

} // namespace

bool IsTemporaryOf(std::string_view entry, std::string_view name)
{
    if (entry.size() != name.size() + 1 + kTempRandom + kTempSuffix.size() || !entry.starts_with(name) ||
        entry[name.size()] != '.' || !entry.ends_with(kTempSuffix))
        return false;
    const std::string_view random = entry.substr(name.size() + 1, kTempRandom);
    return std::all_of(random.begin(), random.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    });
}

std::optional<std::string_view> TemporaryTarget(std::string_view entry)
{
    const size_t tail = 1 + kTempRandom + kTempSuffix.size();
    if (entry.size() <= tail)
        return std::nullopt;
    const std::string_view name = entry.substr(0, entry.size() - tail);
    return IsTemporaryOf(entry, name) ? std::optional(name) : std::nullopt;
}

std::string ReplacementTarget(const std::string& path)
{
    fs::path target = path;
    std::error_code ec;
    // Bounded like the kernel's own link following, so a loop ends.
    for (int i = 0; i < 40 && fs::is_symlink(fs::symlink_status(target, ec)); ++i) {
        const fs::path next = fs::read_symlink(target, ec);
        if (ec)
            break;
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    return target.string();
}

std::string WriteTemporaryFor(const std::string& path, const std::string& target, std::string_view bytes)
{
    const auto fail = [&](int err) {
        throw WriteError(path, std::strerror(err));
    };
    // A folder cannot be replaced by a file; found before anything is written.
    // lstat: a link at the target is replaced itself, so its target's
    // permissions are none of the new file's business.
    struct stat st {};
    const bool exists = ::lstat(target.c_str(), &st) == 0 && !S_ISLNK(st.st_mode);
    if (exists && S_ISDIR(st.st_mode))
        fail(EISDIR);
    std::string temp = target + ".XXXXXX" + std::string(kTempSuffix);
    const int fd = ::mkstemps(temp.data(), int(kTempSuffix.size()));
    if (fd < 0)
        fail(errno);
    // Keep the permissions of the file being replaced; a new file gets the usual ones.
    mode_t mode = 0666;
    if (exists)
        mode = st.st_mode & 07777;
    else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode &= ~mask;
    }
    ::fchmod(fd, mode);

    size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const int saved = errno;
            ::close(fd);
            ::unlink(temp.c_str());
            fail(saved);
        }
        written += static_cast<size_t>(n);
    }
    if (::fsync(fd) != 0) {
        const int saved = errno;
        ::close(fd);
        ::unlink(temp.c_str());
        fail(saved);
    }
    if (::close(fd) != 0) {
        const int saved = errno;
        ::unlink(temp.c_str());
        fail(saved);
    }
    return temp;
}

void MoveIntoPlace(const std::string& path, const std::string& temp, const std::string& target)
{
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        const int saved = errno;
        ::unlink(temp.c_str());
        throw WriteError(path, std::strerror(saved));
    }
}

void WriteFileAtomically(const std::string& path, std::string_view bytes)
{
    const std::string target = ReplacementTarget(path);
    MoveIntoPlace(path, WriteTemporaryFor(path, target, bytes), target);
}

void RemoveStrayTemporaries(const std::string& path)
{
    const fs::path target = ReplacementTarget(path);
    const std::string name = target.filename().string();
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code ignored;
        if (IsTemporaryOf(it->path().filename().string(), name) && it->is_regular_file(ignored))
            fs::remove(it->path(), ignored);
    }
}

std::vector<std::string> ListEntriesWithSuffix(const std::string& folder, std::string_view suffix)
{
    std::vector<std::string> names;
    std::error_code ec;
    fs::directory_iterator it(folder.empty() ? fs::path(".") : fs::path(folder), ec);
    if (ec)
        return names;
    for (const fs::directory_entry& entry : it) {
        std::string name = entry.path().filename().string();
        if (ascii::EndsWithIgnoreCase(name, suffix))
            names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const int c = ascii::CompareIgnoreCase(a, b);
        return c != 0 ? c < 0 : a < b;
    });
    return names;
}

} // namespace synopter
