#include "import/source_readers.h"

#include "common/ascii.h"

#include <array>
#include <utility>

namespace synopter {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

constexpr std::array<std::pair<std::string_view, SourceFormat>, 7> kFormatNames{{
    {"auto", SourceFormat::Auto},
    {"text", SourceFormat::Text},
    {"csv", SourceFormat::Csv},
    {"tei", SourceFormat::Tei},
    {"osis", SourceFormat::Osis},
    {"sword", SourceFormat::Sword},
    {"transcription", SourceFormat::Transcription},
}};

// Binary files (images, archives) in a source folder are told apart by their NUL bytes.
constexpr size_t kBinaryProbe = 8192;

std::string_view FirstLine(std::string_view bytes)
{
    return bytes.substr(0, bytes.find_first_of("\r\n"));
}

// "chapter,verse,text" in any order, with any other columns, quoted or not.
bool IsCsvHeader(std::string_view line)
{
    bool chapter = false, verse = false, text = false;
    while (true) {
        const size_t comma = line.find(',');
        std::string_view name = ascii::Trim(line.substr(0, comma));
        if (name.size() >= 2 && name.front() == '"' && name.back() == '"')
            name = name.substr(1, name.size() - 2);
        chapter |= ascii::EqualsIgnoreCase(name, "chapter");
        verse |= ascii::EqualsIgnoreCase(name, "verse");
        text |= ascii::EqualsIgnoreCase(name, "text");
        if (comma == std::string_view::npos)
            break;
        line.remove_prefix(comma + 1);
    }
    return chapter && verse && text;
}

std::optional<SourceFormat> DetectXml(std::string_view bytes)
{
    if (bytes.find("<osis") != std::string_view::npos)
        return SourceFormat::Osis;
    for (std::string_view mark : {"<TEI", "teiHeader", "<ab n=\"B"})
        if (bytes.find(mark) != std::string_view::npos)
            return SourceFormat::Tei;
    return std::nullopt;
}

bool HasVerseLine(std::string_view bytes)
{
    while (!bytes.empty()) {
        const size_t end = bytes.find_first_of("\r\n");
        if (LooksLikeTextVerseLine(bytes.substr(0, end)))
            return true;
        if (end == std::string_view::npos)
            break;
        bytes.remove_prefix(end + 1);
    }
    return false;
}

// The ASCII of UTF-16 text at its start: every other byte, the other one zero.
std::string Utf16Probe(std::string_view bytes)
{
    const bool bigEndian = bytes.starts_with("\xFE\xFF") || (bytes.size() > 1 && bytes[0] == '\0');
    std::string ascii;
    for (size_t i = 0; i + 1 < bytes.size() && i < kBinaryProbe; i += 2) {
        const char high = bytes[i + (bigEndian ? 0 : 1)];
        const char low = bytes[i + (bigEndian ? 1 : 0)];
        ascii += high == '\0' ? low : '?';
    }
    return ascii;
}

} // namespace

bool IsUtf16Text(std::string_view bytes)
{
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF"))
        return true;
    // Without a mark: ASCII in either byte order, zero bytes on one side only.
    const std::string_view probe = bytes.substr(0, kBinaryProbe);
    if (probe.size() < 4 || probe.size() % 2 != 0)
        return false;
    size_t zeros[2] = {0, 0};
    for (size_t i = 0; i < probe.size(); ++i)
        zeros[i % 2] += probe[i] == '\0';
    const size_t half = probe.size() / 2;
    return (zeros[0] == 0 && zeros[1] * 4 >= half * 3) || (zeros[1] == 0 && zeros[0] * 4 >= half * 3);
}

std::optional<SourceFormat> ParseSourceFormat(std::string_view name)
{
    for (const auto& [text, format] : kFormatNames)
        if (text == name)
            return format;
    return std::nullopt;
}

std::string_view SourceFormatName(SourceFormat format)
{
    for (const auto& [text, known] : kFormatNames)
        if (known == format)
            return text;
    return "auto";
}

std::optional<SourceFormat> DetectFormat(std::string_view bytes, std::string_view fileName)
{
    if (IsUtf16Text(bytes)) {
        std::string ascii = Utf16Probe(bytes);
        if (ascii.starts_with("?"))
            ascii.erase(0, 1); // the byte order mark
        const size_t start = ascii.find_first_not_of(" \t\r\n");
        return start != std::string::npos && ascii[start] == '<' ? DetectXml(ascii) : std::nullopt;
    }
    if (bytes.substr(0, kBinaryProbe).find('\0') != std::string_view::npos)
        return std::nullopt;
    if (bytes.starts_with(kBom))
        bytes.remove_prefix(kBom.size());
    const size_t start = bytes.find_first_not_of(" \t\r\n");
    if (start == std::string_view::npos)
        return std::nullopt;
    if (bytes[start] == '<')
        return DetectXml(bytes);
    if (IsCsvHeader(FirstLine(bytes)) || ascii::EndsWithIgnoreCase(fileName, ".csv"))
        return SourceFormat::Csv;
    if (LooksLikeTranscription(bytes))
        return SourceFormat::Transcription;
    if (HasVerseLine(bytes))
        return SourceFormat::Text;
    return std::nullopt;
}

} // namespace synopter
