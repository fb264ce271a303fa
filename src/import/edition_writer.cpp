// Writing an imported edition: NAME.dat and NAME.bk replaced as a pair.
//
// The invariant: whenever both NAME.dat and NAME.bk are there, they come from
// the same import. The new pair is written to temporaries first; a journal
// (NAME.importing) then names them, and from that moment the import goes
// forward only. Unless the new descriptor equals the old one, the old NAME.bk
// is removed before the new text moves in, so between the two renames the
// folder holds a text without a descriptor: not listed, reported as damaged,
// never mixed. A kill at any moment leaves the old pair, the new pair, or that
// half state with its journal, which the next import into the folder
// completes into the new pair. Imports of one name take NAME.lock in turn.
// A link planted at any of these names is never followed: an existing link is
// an existing file, and a rename replaces the link itself.

#include "common/error.h"
#include "common/file_io.h"
#include "import/importer.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <set>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace synopter {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kJournalSuffix = ".importing";
constexpr std::string_view kLockSuffix = ".lock";
constexpr std::string_view kJournalHeading = "Synopter import 1";
std::string JoinPath(const std::string& folder, const std::string& name)
{
    return folder.empty() || folder.back() == '/' ? folder + name : folder + "/" + name;
}

[[noreturn]] void Fail(const std::string& path, int error) { throw WriteError(path, std::strerror(error)); }

// flock on NAME.lock, the file removed again on release. A waiter that got the
// lock of a file already removed tries again, so two never hold it at once.
class EditionLock {
public:
    // nullopt when `wait` is false and another import holds the lock.
    static std::optional<EditionLock> Take(const std::string& path, bool wait)
    {
        for (;;) {
            const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644);
            if (fd < 0)
                Fail(path, errno);
            int locked;
            while ((locked = ::flock(fd, LOCK_EX | (wait ? 0 : LOCK_NB))) != 0 && errno == EINTR) {
            }
            if (locked != 0) {
                const int error = errno;
                ::close(fd);
                if (error == EWOULDBLOCK)
                    return std::nullopt;
                Fail(path, error);
            }
            struct stat held {}, named {};
            if (::fstat(fd, &held) == 0 && ::lstat(path.c_str(), &named) == 0 && held.st_dev == named.st_dev &&
                held.st_ino == named.st_ino)
                return EditionLock(path, fd);
            ::close(fd);
        }
    }
    EditionLock(EditionLock&& other) noexcept : path_(std::move(other.path_)), fd_(std::exchange(other.fd_, -1)) {}
    EditionLock(const EditionLock&) = delete;
    EditionLock& operator=(const EditionLock&) = delete;
    ~EditionLock()
    {
        if (fd_ < 0)
            return;
        ::unlink(path_.c_str());
        ::close(fd_);
    }

private:
    EditionLock(std::string path, int fd) : path_(std::move(path)), fd_(fd) {}
    std::string path_;
    int fd_;
};

// The paths of one edition in its folder.
struct PairPaths {
    PairPaths(const std::string& folder, const std::string& name)
        : folder(folder), name(name), dat(JoinPath(folder, name + ".dat")), bk(JoinPath(folder, name + ".bk")),
          journal(JoinPath(folder, name + std::string(kJournalSuffix))),
          lock(JoinPath(folder, name + std::string(kLockSuffix)))
    {
    }
    std::string folder, name, dat, bk, journal, lock;
};

bool IsRegular(const std::string& path)
{
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// The temporaries named by a journal, each checked to be one of this pair's
// own: a planted journal cannot move any other file into place.
std::optional<std::pair<std::string, std::string>> ReadJournal(const PairPaths& pair)
{
    if (!IsRegular(pair.journal))
        return std::nullopt;
    std::optional<std::string> bytes;
    try {
        bytes = ReadFileBytes(pair.journal, kMaxSettingsFileBytes);
    } catch (const Error&) {
        return std::nullopt;
    }
    if (!bytes)
        return std::nullopt;
    const std::string heading = std::string(kJournalHeading) + "\n";
    if (!bytes->starts_with(heading))
        return std::nullopt;
    const std::string rest = bytes->substr(heading.size());
    const size_t end = rest.find('\n');
    if (end == std::string::npos || rest.find('\n', end + 1) != rest.size() - 1)
        return std::nullopt;
    const std::string dat = rest.substr(0, end);
    const std::string bk = rest.substr(end + 1, rest.size() - end - 2);
    if (!IsTemporaryOf(dat, pair.name + ".dat") || !IsTemporaryOf(bk, pair.name + ".bk"))
        return std::nullopt;
    return std::pair{JoinPath(pair.folder, dat), JoinPath(pair.folder, bk)};
}

// The journalled half of a replacement: the old descriptor goes unless it is
// the new one, then the text moves in, then the descriptor.
void MoveIn(const PairPaths& pair, const std::string& tempDat, const std::string& tempBk,
            const std::string& descriptor, const WriteStep& step)
{
    const auto next = [&](int n) {
        if (step)
            step(n);
    };
    if (IsRegular(tempDat)) {
        std::optional<std::string> old;
        try {
            if (IsRegular(pair.bk))
                old = ReadFileBytes(pair.bk, kMaxSettingsFileBytes);
        } catch (const Error&) {
        }
        if (EntryExists(pair.bk) && old != descriptor && ::unlink(pair.bk.c_str()) != 0 && errno != ENOENT)
            Fail(pair.bk, errno);
        next(4);
        if (::rename(tempDat.c_str(), pair.dat.c_str()) != 0)
            Fail(pair.dat, errno);
    }
    next(5);
    if (IsRegular(tempBk) && ::rename(tempBk.c_str(), pair.bk.c_str()) != 0)
        Fail(pair.bk, errno);
    next(6);
    ::unlink(pair.journal.c_str());
}

// With the pair's lock held: an import cut short after its journal is
// completed, and every temporary of the pair goes.
void Recover(const PairPaths& pair)
{
    if (const auto temps = ReadJournal(pair)) {
        std::optional<std::string> descriptor;
        try {
            descriptor = ReadFileBytes(temps->second, kMaxSettingsFileBytes);
        } catch (const Error&) {
        }
        try {
            MoveIn(pair, temps->first, temps->second, descriptor.value_or(""), {});
        } catch (const WriteError&) {
            return; // tried again by the next import; the temporaries are still needed
        }
    }
    std::error_code ec;
    for (fs::directory_iterator it(pair.folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string entry = it->path().filename().string();
        for (const std::string& of : {pair.name + ".dat", pair.name + ".bk", pair.name + std::string(kJournalSuffix)})
            if (IsTemporaryOf(entry, of))
                ::unlink(it->path().c_str());
    }
    if (EntryExists(pair.journal))
        ::unlink(pair.journal.c_str());
}

// The editions of the folder that an import left temporaries, a journal or a lock of.
std::set<std::string> NamesLeftBehind(const std::string& folder)
{
    std::set<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string entry = it->path().filename().string();
        // A lock of a killed import: empty, as every lock is; anything else is the user's.
        std::error_code ignored;
        if (entry.ends_with(kLockSuffix) && it->is_regular_file(ignored) && it->file_size(ignored) == 0) {
            names.insert(entry.substr(0, entry.size() - kLockSuffix.size()));
            continue;
        }
        if (entry.ends_with(kJournalSuffix)) {
            names.insert(entry.substr(0, entry.size() - kJournalSuffix.size()));
            continue;
        }
        const std::optional<std::string_view> of = TemporaryTarget(entry);
        if (!of)
            continue;
        for (std::string_view suffix : {std::string_view(".dat"), std::string_view(".bk"), kJournalSuffix})
            if (of->size() > suffix.size() && of->ends_with(suffix))
                names.insert(std::string(of->substr(0, of->size() - suffix.size())));
    }
    return names;
}

// Clears what killed imports left in the folder; an edition another import is
// writing now is left to it.
void RecoverFolder(const std::string& folder, const std::string& own)
{
    for (const std::string& name : NamesLeftBehind(folder)) {
        if (name == own || !IsValidEditionName(name))
            continue;
        const PairPaths pair(folder, name);
        try {
            if (const auto lock = EditionLock::Take(pair.lock, false))
                Recover(pair);
        } catch (const WriteError&) {
            // Another edition's trouble is for its own import to report.
        }
    }
}

std::string SizeInMegabytes(size_t bytes) { return std::to_string((bytes + (size_t{1} << 20) - 1) >> 20) + " MB"; }

} // namespace

void CheckEditionSize(const ImportedEdition& edition)
{
    if (edition.text.size() > kMaxEditionTextBytes)
        throw ImportError("The text of " + Quoted(edition.name) + " would be " + SizeInMegabytes(edition.text.size()) +
                          ", more than the " + SizeInMegabytes(kMaxEditionTextBytes) +
                          " an edition may hold: the comparer and the collator could not read it.");
}

void WriteImportedEdition(const std::string& folder, const ImportedEdition& edition, bool replace,
                          const WriteStep& step)
{
    if (!IsValidEditionName(edition.name))
        throw ImportError("Bad name " + Quoted(edition.name) + " for an edition.");
    CheckEditionSize(edition);
    const PairPaths pair(folder, edition.name);
    const auto lock = EditionLock::Take(pair.lock, true);
    Recover(pair);
    RecoverFolder(folder, edition.name);

    const bool bkThere = EntryExists(pair.bk);
    if (!replace && bkThere)
        throw ImportError("An edition named " + Quoted(edition.name) + " already exists in " + folder + ".");
    if (!replace && EntryExists(pair.dat))
        throw ImportError(edition.name + ": damaged edition in " + folder + ", " + edition.name +
                          ".bk is missing (--force replaces it).");
    const auto next = [&](int n) {
        if (step)
            step(n);
    };
    next(0);
    const std::string tempDat = WriteTemporaryFor(pair.dat, pair.dat, edition.text);
    std::string tempBk;
    try {
        next(1);
        tempBk = WriteTemporaryFor(pair.bk, pair.bk, edition.descriptor);
        next(2);
        const std::string journal = std::string(kJournalHeading) + "\n" + fs::path(tempDat).filename().string() +
                                    "\n" + fs::path(tempBk).filename().string() + "\n";
        MoveIntoPlace(pair.journal, WriteTemporaryFor(pair.journal, pair.journal, journal), pair.journal);
    } catch (...) {
        ::unlink(tempDat.c_str());
        if (!tempBk.empty())
            ::unlink(tempBk.c_str());
        throw;
    }
    next(3);
    MoveIn(pair, tempDat, tempBk, edition.descriptor, step);
}

} // namespace synopter
