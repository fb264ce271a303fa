// The apparatus window's view: the chapter in view as rich text.

#include "collate/ui/apparatus_window.h"

#include "common/greek_letters.h"
#include "common/ui/qt_bytes.h"
#include "editions/edition_check.h"
#include "editions/nt_layout.h"

#include <QListWidget>

namespace synopter {

namespace {

// Transliterated words as Unicode Greek, ready for the page.
QString Greek(std::string_view transliterated)
{
    return FromUtf8(ToGreek(transliterated)).toHtmlEscaped();
}

// Neighbouring units take turns, so where one ends and the next begins shows.
const char* UnitColour(int number)
{
    return number % 2 ? "#1c4c96" : "#a1331f";
}

QString UnitMark(int number)
{
    return QString("<sup style=\"color:%1; font-size:small;\">%2</sup>").arg(UnitColour(number)).arg(number);
}

// An addition stands between two words: a plus of the text's size, so it is seen.
QString AdditionMark(int number)
{
    return QString("<span style=\"color:%1; font-weight:bold;\">+</span>").arg(UnitColour(number)) + UnitMark(number);
}

// The base words with each unit's words underlined in its colour and
// numbered, an addition a numbered plus between words, the absent verse a
// number before them all; a space after every word and mark.
QString MarkedBase(std::string_view baseText, const std::vector<collate::Unit>& units)
{
    QString html;
    bool wordEnded = false; // a word's space is written once no unit closes after it
    const auto endWord = [&] {
        if (wordEnded)
            html += " ";
        wordEnded = false;
    };
    for (const collate::BasePiece& piece : collate::MarkBaseWords(baseText, units)) {
        switch (piece.kind) {
        case collate::BasePiece::Word:
            endWord();
            html += Greek(piece.word);
            wordEnded = true;
            break;
        case collate::BasePiece::UnitEnd:
            html += "</span>" + UnitMark(piece.unit);
            break;
        case collate::BasePiece::UnitStart:
            endWord();
            html += QString("<span style=\"color:%1; text-decoration:underline;\">").arg(UnitColour(piece.unit));
            break;
        case collate::BasePiece::Addition:
            endWord();
            html += AdditionMark(piece.unit) + " ";
            break;
        case collate::BasePiece::AbsentVerse:
            endWord();
            html += UnitMark(piece.unit) + " ";
            break;
        }
    }
    endWord();
    return html;
}

} // namespace

QString ApparatusWindow::ChapterHtml() const
{
    QString html;
    if (!set_->problem.empty())
        html += "<p style=\"color:#a1331f;\">" + FromUtf8(ToUtf8(set_->problem)).toHtmlEscaped() + "</p>";
    const std::string heading = Chapter();
    html += QString("<h2 style=\"font-weight:normal;\">%1 <span style=\"color:#777; font-size:small;\">%2 %3</span></h2>")
                .arg(Greek(heading), FromUtf8(layout::BookAt(book_).english).toHtmlEscaped())
                .arg(chapter_);
    const std::vector<int> members = Members();
    const int base = BaseEdition();
    if (members.size() < 2 || base < 0)
        return html + "<p>" + fewEditions_.toHtmlEscaped() + "</p>";

    const collate::ApparatusFacts facts = Facts();
    const std::vector<std::string>& baseLines = set_->texts[size_t(base)];
    const int headingLine = layout::HeadingLine(book_, chapter_);
    auto apparatus = verses_.begin();
    for (int verse = 1; verse <= layout::VerseCount(book_, chapter_); ++verse) {
        const int line = headingLine + verse;
        const collate::VerseLine split = collate::SplitVerseLine(
            size_t(line) < baseLines.size() ? std::string_view(baseLines[size_t(line)]) : std::string_view());
        while (apparatus != verses_.end() && apparatus->line < line)
            ++apparatus;
        const collate::VerseApparatus* units =
            apparatus != verses_.end() && apparatus->line == line ? &*apparatus : nullptr;

        const QString reference = QString("%1:%2").arg(chapter_).arg(verse);
        // Named, so that a verse can be scrolled to.
        html += QString("<p style=\"margin-top:10px; margin-bottom:0px;\"><a name=\"v%1\"></a><b>").arg(verse) +
                reference + "</b>&nbsp;&nbsp;";
        const std::string_view text = units ? std::string_view(units->baseText) : split.words;
        const auto note = [&html](const QString& said) {
            html += "<span style=\"color:#777;\">" + said.toHtmlEscaped() + "</span> ";
        };
        if (units && units->base != facts.options.base) {
            note(standInText_.arg(FromLatin1(set_->witnesses[size_t(members[size_t(units->base)])].name)));
        } else if (text.find_first_not_of(' ') == std::string_view::npos) {
            const bool lost = size_t(base) < set_->lacunae.size() && set_->lacunae[size_t(base)].Lacunose(size_t(line));
            note(lost ? lacunoseText_ : absentText_);
        }
        static const std::vector<collate::Unit> kNoUnits;
        html += MarkedBase(text, units ? units->units : kNoUnits);
        html += "</p>";
        if (!units)
            continue;
        html += "<p style=\"margin-top:2px; margin-bottom:0px; margin-left:28px; font-size:small;\">";
        int number = 0;
        for (const collate::Unit& unit : units->units) {
            std::string entry;
            collate::AppendUnitText(entry, unit, facts);
            if (number++ > 0)
                html += "<br>";
            html += UnitMark(number) + "&nbsp;" + FromUtf8(entry).toHtmlEscaped();
        }
        html += "</p>";
    }
    return html;
}

} // namespace synopter
