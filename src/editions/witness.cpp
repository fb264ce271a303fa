#include "editions/witness.h"

#include "common/ascii.h"
#include "common/error.h"
#include "common/file_io.h"
#include "common/text_lines.h"
#include "editions/edition.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <mutex>
#include <system_error>

namespace synopter {
namespace {

// A file's state as far as the cache cares; a missing file has its own.
struct FileStamp {
    std::filesystem::file_time_type time{};
    std::uintmax_t size = 0;
    bool exists = false;
    bool operator==(const FileStamp&) const = default;
};

FileStamp StampOf(const std::string& path)
{
    std::error_code error;
    FileStamp stamp;
    stamp.time = std::filesystem::last_write_time(path, error);
    if (error)
        return {};
    stamp.size = std::filesystem::file_size(path, error);
    stamp.exists = !error;
    return stamp;
}

struct CacheEntry {
    FileStamp descriptor, text;
    std::optional<WitnessDescription> description;
};

std::mutex cacheMutex;
std::map<std::string, CacheEntry> cache; // by descriptor path

std::optional<WitnessDescription> Measure(const std::string& descriptorPath, const std::string& textPath)
{
    try {
        const std::optional<std::string> bytes = ReadFileBytes(descriptorPath, kMaxSettingsFileBytes);
        if (!bytes || !DescribesManuscript(*bytes))
            return std::nullopt;
        const std::optional<std::vector<std::string>> lines = LoadEditionText(textPath);
        if (!lines)
            return std::nullopt;
        WitnessDescription description;
        Hand hand;
        if (ParseHand(ascii::Trim(ReadEditionDescriptor(descriptorPath).hand), hand))
            description.hand = HandName(hand);
        description.extent = MeasureExtent(*lines, ParseLacunae(*bytes, *lines));
        return description;
    } catch (const Error&) {
        return std::nullopt; // the catalogue lists it; loading it says what is wrong
    }
}

} // namespace

bool DescribesManuscript(std::string_view descriptorBytes)
{
    for (const std::string& raw : SplitLines(descriptorBytes)) {
        const std::string_view line = ascii::Trim(raw);
        if (line.empty() || line.front() != '[')
            continue;
        const size_t close = line.find(']');
        if (close == std::string_view::npos)
            continue;
        const std::string_view section = ascii::Trim(line.substr(1, close - 1));
        if (ascii::EqualsIgnoreCase(section, "Manuscript") || ascii::EqualsIgnoreCase(section, "Lacunae"))
            return true;
    }
    return false;
}

std::optional<WitnessDescription> DescribeWitness(const std::string& folder, std::string_view name)
{
    const std::string descriptorPath = EditionDescriptorPath(folder, name);
    const std::string textPath = EditionTextPath(folder, name);
    const FileStamp descriptor = StampOf(descriptorPath), text = StampOf(textPath);
    {
        const std::lock_guard lock(cacheMutex);
        const auto it = cache.find(descriptorPath);
        if (it != cache.end() && it->second.descriptor == descriptor && it->second.text == text)
            return it->second.description;
    }
    // Measured outside the lock: two windows asking at once measure twice, harmlessly.
    std::optional<WitnessDescription> description = Measure(descriptorPath, textPath);
    const std::lock_guard lock(cacheMutex);
    cache[descriptorPath] = {descriptor, text, description};
    return description;
}

} // namespace synopter
