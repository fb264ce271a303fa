#include "compare/result_record.h"

#include "common/text_lines.h"

#include <charconv>

namespace synopter {

namespace {

constexpr std::string_view kSection = "[Comparison]";

// One value a line: line breaks in a description become blanks.
std::string OneLine(std::string text)
{
    for (char& c : text)
        if (c == '\r' || c == '\n')
            c = ' ';
    return text;
}

} // namespace

std::string WriteResultRecord(const html::ReportFacts& facts)
{
    std::string out = std::string(kSection) + "\r\n";
    const auto line = [&out](std::string_view key, const std::string& value) {
        out += std::string(key) + "=" + OneLine(value) + "\r\n";
    };
    line("Left", facts.left.name);
    line("LeftInformation", facts.left.description);
    line("Right", facts.right.name);
    line("RightInformation", facts.right.description);
    line("Threshold", std::to_string(facts.threshold));
    line("ExactPositions", facts.exactPositions ? "1" : "0");
    line("Date", facts.date);
    if (facts.spelling)
        line("Spelling", std::to_string(static_cast<int>(*facts.spelling)));
    if (facts.marking)
        line("Marking", *facts.marking == WordMarking::Aligned ? "aligned" : "defined");
    return out;
}

std::optional<html::ReportFacts> ReadResultRecord(std::string_view bytes)
{
    const std::vector<std::string> lines = SplitLines(bytes);
    if (lines.empty() || lines[0] != kSection)
        return std::nullopt;
    html::ReportFacts facts;
    bool threshold = false;
    for (size_t i = 1; i < lines.size(); ++i) {
        const std::string& l = lines[i];
        const size_t eq = l.find('=');
        if (eq == std::string::npos)
            continue;
        const std::string_view key(l.data(), eq);
        const std::string value = l.substr(eq + 1);
        if (key == "Left")
            facts.left.name = value;
        else if (key == "LeftInformation")
            facts.left.description = value;
        else if (key == "Right")
            facts.right.name = value;
        else if (key == "RightInformation")
            facts.right.description = value;
        else if (key == "Threshold")
            threshold = std::from_chars(value.data(), value.data() + value.size(), facts.threshold).ec == std::errc{};
        else if (key == "ExactPositions")
            facts.exactPositions = value == "1";
        else if (key == "Date")
            facts.date = value;
        else if (key == "Spelling" && (value == "1" || value == "2"))
            facts.spelling = static_cast<SpellingMode>(value[0] - '0');
        else if (key == "Marking" && (value == "aligned" || value == "defined")) // absent: defined, unsaid
            facts.marking = value == "aligned" ? WordMarking::Aligned : WordMarking::Defined;
    }
    if (!threshold)
        return std::nullopt;
    return facts;
}

} // namespace synopter
