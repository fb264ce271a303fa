#include "import/edition_builder.h"

#include "editions/nt_layout.h"

namespace synopter {

EditionBuilder::EditionBuilder() : slots_(layout::kLineCount), placed_(layout::kLineCount, false) {}

void EditionBuilder::Join(std::string& to, const std::string& words)
{
    if (words.empty())
        return;
    if (!to.empty())
        to += ' ';
    to += words;
}

void EditionBuilder::Verse(const VerseRef& ref, std::string_view utf8Text)
{
    anyVerse_ = true;
    const std::string words = TransliterateGreek(utf8Text, &summary_.dropped);
    if (HasGreekLetter(utf8Text))
        anyGreek_ = true;
    else if (!words.empty())
        ++summary_.versesWithoutGreek;
    const int chapters = layout::ChapterCount(ref.book);
    if (chapters == 0 || ref.chapter < 1 || ref.verse < 1) {
        summary_.unplaced.push_back(ref);
        return;
    }
    const int line = layout::VerseLine(ref.book, ref.chapter, ref.verse);
    if (line >= 0) {
        Join(slots_[size_t(line)].own, words);
        placed_[size_t(line)] = true;
        return;
    }
    // No slot: keep the words at the end of the last verse before it.
    const int chapter = ref.chapter <= chapters ? ref.chapter : chapters;
    const VerseRef into{ref.book, chapter, layout::VerseCount(ref.book, chapter)};
    Join(slots_[size_t(layout::VerseLine(into.book, into.chapter, into.verse))].appended, words);
    summary_.appended.push_back({ref, into});
}

void EditionBuilder::SkippedLine() { ++summary_.linesSkipped; }

void EditionBuilder::Title(std::string_view utf8Title)
{
    if (title_.empty())
        title_ = std::string(utf8Title);
}

ImportSummary EditionBuilder::Summary() const
{
    ImportSummary summary = summary_;
    summary.versesPlaced = 0;
    summary.slotsEmpty = 0;
    for (int book = 0; book < layout::kBookCount; ++book)
        for (int chapter = 1; chapter <= layout::ChapterCount(book); ++chapter)
            for (int verse = 1; verse <= layout::VerseCount(book, chapter); ++verse) {
                const size_t line = size_t(layout::VerseLine(book, chapter, verse));
                summary.versesPlaced += placed_[line];
                summary.slotsEmpty += slots_[line].own.empty() && slots_[line].appended.empty();
            }
    return summary;
}

std::string EditionBuilder::EditionText() const
{
    std::string text;
    text.reserve(1 << 20);
    for (int book = 0; book < layout::kBookCount; ++book)
        for (int chapter = 1; chapter <= layout::ChapterCount(book); ++chapter) {
            text += layout::HeadingText(book, chapter);
            text += "\r\n";
            const std::string prefix = ' ' + std::to_string(chapter) + ':';
            for (int verse = 1; verse <= layout::VerseCount(book, chapter); ++verse) {
                const Slot& slot = slots_[size_t(layout::VerseLine(book, chapter, verse))];
                text += prefix;
                text += std::to_string(verse);
                for (const std::string* words : {&slot.own, &slot.appended})
                    if (!words->empty()) {
                        text += ' ';
                        text += *words;
                    }
                text += "\r\n";
            }
        }
    return text;
}

std::string EditionDescriptorText(std::string_view title)
{
    std::string line(title);
    for (char& c : line)
        if (c == '\r' || c == '\n')
            c = ' ';
    return "[TextFont]\r\nName=Riruzi\r\n[English]\r\nInformation=" + line + "\r\n";
}

} // namespace synopter
