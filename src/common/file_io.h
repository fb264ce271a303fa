#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace synopter {

// The folder of the running executable, ending in a path separator.
std::string ProgramDirectory();

// False only when nothing is there by that name; an entry that cannot be
// looked at (a symbolic link loop, a folder without search permission) exists.
bool FileExists(const std::string& path);

// As FileExists, but a symbolic link is an entry of its own, dangling or not.
bool EntryExists(const std::string& path);

// True for a regular file (after symbolic links): what may be handed to a
// library that opens it blocking, unlike a FIFO or device.
bool IsRegularFile(const std::string& path);

// The most ReadFileBytes takes of each kind of input: far above any real file,
// low enough that a wrong file cannot exhaust memory.
constexpr size_t kMaxEditionTextBytes = size_t{64} << 20;
constexpr size_t kMaxSettingsFileBytes = size_t{1} << 20; // settings, descriptors, language files
constexpr size_t kMaxResultFileBytes = size_t{256} << 20; // r1.rtf, r2.rtf, chapters.lst
constexpr size_t kMaxImportSourceBytes = size_t{256} << 20; // text, CSV, TEI, OSIS

// Whole file as bytes; nullopt when it does not exist. Throws Error naming the
// full path and the reason when it exists but cannot be read: the system's
// reason, an entry that is not a regular file (a FIFO, device or folder, which
// is never opened in a way that could block), or more than `limit` bytes.
std::optional<std::string> ReadFileBytes(const std::string& path, size_t limit);

// A file's bytes as MapFileBytes gives them: mapped read-only where the system
// allows, read otherwise. They stay where they are when the object moves.
class FileBytes {
public:
    FileBytes() = default;
    FileBytes(FileBytes&& other) noexcept;
    FileBytes& operator=(FileBytes&& other) noexcept;
    FileBytes(const FileBytes&) = delete;
    FileBytes& operator=(const FileBytes&) = delete;
    ~FileBytes();

    std::string_view Bytes() const { return bytes_; }

private:
    friend std::optional<FileBytes> MapFileBytes(const std::string& path, size_t limit);
    void Unmap();

    std::string_view bytes_;
    bool mapped_ = false;
    std::unique_ptr<std::string> owned_; // when read rather than mapped
};

// As ReadFileBytes, with the same checks and errors, without copying the file
// into memory of the program's own: a large text read once costs a fraction of
// the page faults. A mapped file must not be rewritten in place while it is in
// use; the program replaces its files by renaming, never in place.
std::optional<FileBytes> MapFileBytes(const std::string& path, size_t limit);

// Replaces the file in one step: the bytes go to a temporary file in the same
// folder, which is then renamed over the target, so a failure never leaves a
// truncated file behind. A symbolic link is followed: its target is replaced
// and the link stays. Throws WriteError.
void WriteFileAtomically(const std::string& path, std::string_view bytes);

// The pieces of that replacement, for callers that replace several files as a
// set. ReplacementTarget follows symbolic links (a dangling one names the file
// it would create). WriteTemporaryFor writes and syncs the bytes to a new
// temporary "<target>.XXXXXX.tmp" beside the target and returns its path;
// MoveIntoPlace renames it over the target. A link at `target` itself is
// never followed: the rename replaces the link. Both throw WriteError naming `path`.
std::string ReplacementTarget(const std::string& path);
std::string WriteTemporaryFor(const std::string& path, const std::string& target, std::string_view bytes);
void MoveIntoPlace(const std::string& path, const std::string& temp, const std::string& target);

// True when the folder entry `entry` is a temporary WriteTemporaryFor made
// for a file named `name` in the same folder.
bool IsTemporaryOf(std::string_view entry, std::string_view name);
// The name of the file the temporary `entry` stands for, or nullopt when the
// entry is no temporary.
std::optional<std::string_view> TemporaryTarget(std::string_view entry);

// Removes the temporaries a replacement of `path` left behind when it was cut
// short (killed, power lost). Quietly: what cannot be removed stays.
void RemoveStrayTemporaries(const std::string& path);

// Entries of a folder (files, folders, hidden ones too) whose names end in
// `suffix`, ignoring letter case, sorted by name ignoring letter case as a
// Windows file system lists them. A missing folder gives no entries.
std::vector<std::string> ListEntriesWithSuffix(const std::string& folder, std::string_view suffix);

} // namespace synopter
