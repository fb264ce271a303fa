#include "import/verse_source.h"

#include "editions/nt_layout.h"

namespace synopter {

std::string FormatVerseRef(const VerseRef& ref)
{
    const std::string name = ref.book >= 0 && ref.book < layout::kBookCount
                                 ? std::string(layout::BookAt(ref.book).english)
                                 : "Book " + std::to_string(ref.book + 1);
    return name + ' ' + std::to_string(ref.chapter) + ':' + std::to_string(ref.verse);
}

TranscriptionCounts& TranscriptionCounts::operator+=(const TranscriptionCounts& other)
{
    for (const auto& [hand, count] : other.corrections)
        corrections[hand] += count;
    contractionsExpanded += other.contractionsExpanded;
    for (const auto& [written, count] : other.unknownContractions)
        unknownContractions[written] += count;
    uncertainLetters += other.uncertainLetters;
    suppliedWords += other.suppliedWords;
    replacementCharacters += other.replacementCharacters;
    presentUntranscribed += other.presentUntranscribed;
    return *this;
}

} // namespace synopter
