// The user's spelling.txt: any bytes read as a list; every group a good line
// made holds, and a run with the rules marks only what Count leaves unmatched.

#include "compare/comparison_run.h"
#include "compare/spelling_rules.h"
#include "compare/word_match.h"
#include "fuzz_file.h"

#include <cstdlib>
#include <string>
#include <vector>

using namespace synopter;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    const std::string_view text = fuzz::Bytes(data, size);
    const SpellingList list = ReadSpellingList(text);
    for (const SpellingProblem& problem : list.problems)
        if (problem.line < 1 || problem.message.empty())
            std::abort();

    // The words of the file, one verse each side in file order and reversed.
    std::string words;
    for (const char c : text)
        words += (c >= 'a' && c <= 'z') ? c : ' ';
    std::string reversed(words.rbegin(), words.rend());
    MatchMask countR, countL, spellR, spellL;
    MarkCommonWords(words, reversed, countR, countL, false);
    MarkCommonWords(words, reversed, spellR, spellL, false, {}, &list.rules);
    for (size_t i = 0; i < countR.size(); ++i)
        if ((countR[i] != 0 && spellR[i] != 1) || (countR[i] == 0 && spellR[i] == 1))
            std::abort();
    return 0;
}
