#include "import/edition_builder.h"

#include "editions/nt_layout.h"

#include <algorithm>
#include <limits>

namespace synopter {
namespace {

// A verse's words with the places of its lost text among them.
struct Words {
    std::string text;
    uint16_t count = 0;
    std::vector<uint16_t> gaps;
};

uint16_t Saturated(size_t n)
{
    return static_cast<uint16_t>(std::min<size_t>(n, std::numeric_limits<uint16_t>::max()));
}

// The mark parts words: a hole in the middle of a word leaves two pieces.
Words SplitAtLostText(std::string_view utf8, DroppedCounts* dropped)
{
    Words words;
    size_t start = 0;
    while (true) {
        const size_t mark = utf8.find(kLostTextMark, start);
        const std::string part = TransliterateGreek(utf8.substr(start, mark - start), dropped);
        if (!part.empty()) {
            if (!words.text.empty())
                words.text += ' ';
            words.text += part;
            words.count = Saturated(words.count + 1 + size_t(std::count(part.begin(), part.end(), ' ')));
        }
        if (mark == std::string_view::npos)
            return words;
        words.gaps.push_back(words.count);
        start = mark + 1;
    }
}

} // namespace

EditionBuilder::EditionBuilder(Hand hand)
    : slots_(layout::kLineCount), placed_(layout::kLineCount, false), kinds_(layout::kLineCount, Kind::Unnamed),
      hand_(hand)
{
    summary_.hand = hand;
}

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
    Words split = SplitAtLostText(utf8Text, &summary_.dropped);
    const std::string& words = split.text;
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
        Slot& slot = slots_[size_t(line)];
        for (uint16_t gap : split.gaps)
            slot.gaps.push_back(Saturated(size_t(slot.ownWords) + gap));
        slot.ownWords = Saturated(size_t(slot.ownWords) + split.count);
        Join(slot.own, words);
        placed_[size_t(line)] = true;
        if (kinds_[size_t(line)] != Kind::Lost)
            kinds_[size_t(line)] = Kind::Named;
        return;
    }
    // No slot: keep the words at the end of the last verse before it.
    const int chapter = ref.chapter <= chapters ? ref.chapter : chapters;
    const VerseRef into{ref.book, chapter, layout::VerseCount(ref.book, chapter)};
    Join(slots_[size_t(layout::VerseLine(into.book, into.chapter, into.verse))].appended, words);
    summary_.appended.push_back({ref, into});
}

void EditionBuilder::Lacunose(const VerseRef& ref)
{
    summary_.manuscript = true;
    if (const int line = layout::VerseLine(ref.book, ref.chapter, ref.verse); line >= 0)
        kinds_[size_t(line)] = Kind::Lost;
}

void EditionBuilder::Absent(const VerseRef& ref)
{
    summary_.manuscript = true;
    if (const int line = layout::VerseLine(ref.book, ref.chapter, ref.verse); line >= 0 && kinds_[size_t(line)] == Kind::Unnamed)
        kinds_[size_t(line)] = Kind::Absent;
}

void EditionBuilder::Transcription(const TranscriptionCounts& counts)
{
    summary_.manuscript = true;
    summary_.transcription += counts;
}

// Extant words always stand; a wordless slot is lost when the source said so,
// held only lost text, or was never named.
bool EditionBuilder::SlotLost(size_t line) const
{
    const Slot& slot = slots_[line];
    if (!summary_.manuscript || !slot.own.empty() || !slot.appended.empty())
        return false;
    return kinds_[line] == Kind::Lost || kinds_[line] == Kind::Unnamed || !slot.gaps.empty();
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
    summary.emptySlots.clear();
    for (int book = 0; book < layout::kBookCount; ++book)
        for (int chapter = 1; chapter <= layout::ChapterCount(book); ++chapter)
            for (int verse = 1; verse <= layout::VerseCount(book, chapter); ++verse) {
                const size_t line = size_t(layout::VerseLine(book, chapter, verse));
                const Slot& slot = slots_[line];
                const bool empty = slot.own.empty() && slot.appended.empty();
                summary.versesPlaced += placed_[line];
                summary.slotsEmpty += empty;
                if (!summary.manuscript) {
                    if (empty)
                        summary.emptySlots.push_back({book, chapter, verse});
                    continue;
                }
                const bool lost = SlotLost(line);
                summary.lacunose += lost;
                summary.absent += empty && !lost && kinds_[line] == Kind::Absent;
                summary.remnants += !slot.own.empty() && !slot.gaps.empty();
            }
    return summary;
}

Lacunae EditionBuilder::TextLacunae() const
{
    Lacunae lacunae;
    if (!summary_.manuscript)
        return lacunae;
    for (int book = 0; book < layout::kBookCount; ++book)
        for (int chapter = 1; chapter <= layout::ChapterCount(book); ++chapter)
            for (int verse = 1; verse <= layout::VerseCount(book, chapter); ++verse) {
                const size_t line = size_t(layout::VerseLine(book, chapter, verse));
                if (SlotLost(line))
                    lacunae.SetLacunose(line);
                else if (!slots_[line].own.empty() && !slots_[line].gaps.empty())
                    lacunae.SetGaps(line, slots_[line].gaps);
            }
    return lacunae;
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

std::string EditionDescriptorText(std::string_view title, const ManuscriptFacts* manuscript)
{
    const auto oneLine = [](std::string_view value) {
        std::string line(value);
        for (char& c : line)
            if (c == '\r' || c == '\n')
                c = ' ';
        return line;
    };
    std::string text = "[TextFont]\r\nName=Riruzi\r\n[English]\r\nInformation=" + oneLine(title) + "\r\n";
    if (!manuscript)
        return text;
    if (!manuscript->siglum.empty())
        text += "Siglum=" + oneLine(manuscript->siglum) + "\r\n";
    text += "[Manuscript]\r\nHand=" + std::string(HandName(manuscript->hand)) + "\r\n";
    return text + manuscript->lacunaeSection;
}

} // namespace synopter
