// The matcher and a whole run with both reports of synopter-compare. The input
// is two option bytes (exact positions, colour and spelling mode; threshold),
// then the left edition text, a NUL, and the right one.

#include "common/text_lines.h"
#include "compare/cli/compare_report.h"
#include "compare/comparison_run.h"
#include "compare/word_match.h"
#include "fuzz_file.h"

#include <algorithm>
#include <cstdlib>

using namespace synopter;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const RunOptions options{data[1] % 40, (data[0] & 1) != 0, static_cast<SpellingMode>((data[0] >> 2) % 3)};
    const std::string_view text = fuzz::Bytes(data + 2, size - 2);
    const size_t nul = std::min(text.find('\0'), text.size());
    const std::vector<std::string> left = SplitLines(text.substr(0, nul));
    const std::vector<std::string> right = SplitLines(nul < text.size() ? text.substr(nul + 1) : "");

    cli::JsonReport json;
    const RunSummary a = ComparisonRun(left, right, options, json);
    cli::TextReport report("left", "right", (data[0] & 2) != 0);
    const RunSummary b = ComparisonRun(left, right, options, report);
    report.Finish();
    if (a.found != b.found || a.stopped || b.stopped)
        std::abort();

    // Free positions only ever add matches to those of exact positions.
    for (size_t k = 0; k < std::min(left.size(), right.size()); ++k) {
        MatchMask exactR, exactL, freeR, freeL;
        MarkCommonWords(right[k], left[k], exactR, exactL, true);
        MarkCommonWords(right[k], left[k], freeR, freeL, false);
        for (size_t i = 0; i < exactR.size(); ++i)
            if (exactR[i] > freeR[i])
                std::abort();
        for (size_t i = 0; i < exactL.size(); ++i)
            if (exactL[i] > freeL[i])
                std::abort();
    }
    return 0;
}
