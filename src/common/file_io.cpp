#include "common/file_io.h"

#include "common/ascii.h"
#include "common/error.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <utility>
#include <fcntl.h>
#include <sys/mman.h>
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

namespace {

// Opens a file for reading whole, after the checks ReadFileBytes describes;
// -1 when it does not exist. `st` is what was opened.
int OpenToRead(const std::string& path, size_t limit, struct stat& st)
{
    // Looked at before opening: opening a FIFO would wait for a writer, and a
    // device such as /dev/zero never ends.
    if (::stat(path.c_str(), &st) != 0) {
        if (errno == ENOENT)
            return -1;
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
            return -1;
        throw Error("Cannot open file \"" + path + "\". " + std::strerror(errno));
    }
    if (::fstat(fd, &st) != 0) {
        const int error = errno;
        ::close(fd);
        throw Error("Cannot read file \"" + path + "\". " + std::strerror(error));
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        RefuseKind(path, st.st_mode);
    }
    if (static_cast<std::uintmax_t>(st.st_size) > limit) {
        ::close(fd);
        RefuseSize(path, limit);
    }
    return fd;
}

struct Closer {
    int fd;
    ~Closer() { ::close(fd); }
};

std::string ReadOpened(int fd, const struct stat& st, const std::string& path, size_t limit)
{
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

} // namespace

std::optional<std::string> ReadFileBytes(const std::string& path, size_t limit)
{
    struct stat st {};
    const int fd = OpenToRead(path, limit, st);
    if (fd < 0)
        return std::nullopt;
    const Closer closer{fd};
    return ReadOpened(fd, st, path, limit);
}

FileBytes::FileBytes(FileBytes&& other) noexcept
    : bytes_(std::exchange(other.bytes_, {})), mapped_(std::exchange(other.mapped_, false)),
      owned_(std::move(other.owned_))
{
}

FileBytes& FileBytes::operator=(FileBytes&& other) noexcept
{
    if (this != &other) {
        Unmap();
        bytes_ = std::exchange(other.bytes_, {});
        mapped_ = std::exchange(other.mapped_, false);
        owned_ = std::move(other.owned_);
    }
    return *this;
}

FileBytes::~FileBytes() { Unmap(); }

void FileBytes::Unmap()
{
    if (mapped_)
        ::munmap(const_cast<char*>(bytes_.data()), bytes_.size());
    mapped_ = false;
}

std::optional<FileBytes> MapFileBytes(const std::string& path, size_t limit)
{
    struct stat st {};
    const int fd = OpenToRead(path, limit, st);
    if (fd < 0)
        return std::nullopt;
    const Closer closer{fd};
    FileBytes file;
    if (st.st_size > 0) {
        const auto size = static_cast<size_t>(st.st_size);
        void* map = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
        if (map != MAP_FAILED) {
            file.bytes_ = std::string_view(static_cast<const char*>(map), size);
            file.mapped_ = true;
            return file;
        }
    }
    // Files under /proc report size 0 and have content; a file system may
    // refuse mapping.
    file.owned_ = std::make_unique<std::string>(ReadOpened(fd, st, path, limit));
    file.bytes_ = *file.owned_;
    return file;
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
