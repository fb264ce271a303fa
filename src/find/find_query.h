#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace synopter {

// What the user asked to find, read once: words (a phrase of consecutive
// words, the first and last possibly parts of words) or a reference.
struct FindQuery {
    enum class Kind { Nothing, Words, Verse, Chapter };

    Kind kind = Kind::Nothing;
    // Words: the transliteration, words one blank apart, final sigma as "s".
    std::string words;
    // References: the book (0 Matthew ... 26 Revelation; nullopt: any book),
    // the chapter and, for Verse, the verse.
    std::optional<int> book;
    int chapter = 0;
    int verse = 0;

    bool operator==(const FindQuery&) const = default;
};

// Reads what was typed (UTF-8): "17:21" (that verse in any chapter),
// "John 3:16", "1 Cor 13:4", "KATA IWANNHN 3:16" (a book, then chapter:verse),
// "John 3" (that chapter's heading); anything else is words, in Unicode Greek
// (accents, breathings and case ignored) or in the transliteration.
FindQuery ParseFindQuery(std::string_view typed);

} // namespace synopter
