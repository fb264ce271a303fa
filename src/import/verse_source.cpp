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

} // namespace synopter
