#include "common/text_lines.h"

#include <cstring>
#include <type_traits>

namespace synopter {

namespace {

template <typename Line>
std::vector<Line> Split(std::string_view text)
{
    if (text.empty()) // data() may be null, which memchr must not see
        return {};
    if (const void* nul = std::memchr(text.data(), '\0', text.size()))
        text = text.substr(0, static_cast<const char*>(nul) - text.data());

    // memchr finds the next CR and the next LF far faster than a byte loop; an
    // edition text of 8221 lines is split on every start of the program.
    const char* const end = text.data() + text.size();
    const auto next = [end](const char* from, char c) {
        const void* hit = std::memchr(from, c, static_cast<size_t>(end - from));
        return hit ? static_cast<const char*>(hit) : end;
    };
    std::vector<Line> lines;
    if constexpr (std::is_same_v<Line, std::string_view>) {
        // Views are taken from a text read for the purpose, its memory new to
        // the process: sized once, the list touches half the pages growing it
        // by doubling would (texts with LF; strings move cheaply and are not worth the pass).
        size_t lineFeeds = 0;
        for (const char* lf = next(text.data(), '\n'); lf != end; lf = next(lf + 1, '\n'))
            ++lineFeeds;
        lines.reserve(lineFeeds + 1);
    }
    const char* p = text.data();
    const char* cr = next(p, '\r');
    const char* lf = next(p, '\n');
    while (p < end) {
        if (cr < p)
            cr = next(p, '\r');
        if (lf < p)
            lf = next(p, '\n');
        const char* lineEnd = cr < lf ? cr : lf;
        lines.emplace_back(p, static_cast<size_t>(lineEnd - p));
        if (lineEnd == end)
            break;
        p = lineEnd + ((*lineEnd == '\r' && lineEnd + 1 < end && lineEnd[1] == '\n') ? 2 : 1);
    }
    return lines;
}

} // namespace

std::vector<std::string> SplitLines(std::string_view text) { return Split<std::string>(text); }

std::vector<std::string_view> SplitLineViews(std::string_view text) { return Split<std::string_view>(text); }

std::string JoinLinesCrLf(const std::vector<std::string>& lines)
{
    size_t total = 0;
    for (const std::string& line : lines)
        total += line.size() + 2;
    std::string out;
    out.reserve(total);
    for (const std::string& line : lines) {
        out += line;
        out += "\r\n";
    }
    return out;
}

} // namespace synopter
