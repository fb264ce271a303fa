#include "import/source_readers.h"

#include "common/ascii.h"

#include <array>
#include <utility>

namespace synopter {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

constexpr std::array<std::pair<std::string_view, SourceFormat>, 6> kFormatNames{{
    {"auto", SourceFormat::Auto},
    {"text", SourceFormat::Text},
    {"csv", SourceFormat::Csv},
    {"tei", SourceFormat::Tei},
    {"osis", SourceFormat::Osis},
    {"sword", SourceFormat::Sword},
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

} // namespace

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
    if (HasVerseLine(bytes))
        return SourceFormat::Text;
    return std::nullopt;
}

} // namespace synopter
