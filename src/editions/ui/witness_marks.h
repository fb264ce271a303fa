#pragma once

#include "editions/witness.h"

#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace synopter {

// How a manuscript's extent and hand read in a window's language. Each window
// reads them from its own section under its own prefix (PREFIX_verses,
// PREFIX_lost, PREFIX_inpart, PREFIX_first, PREFIX_scribe, PREFIX_last);
// the book names stay the layout's English ones, as everywhere else.
struct WitnessWords {
    QString verses = "verses extant: %1";
    QString lacunose = "lost: %1";
    QString remnants = "in part: %1";
    QString firstHand = "first hand";
    QString scribeHand = "scribe's hand";
    QString lastHand = "later hands";

    void Read(const std::function<QString(const char* key, const QString& current)>& read, const QString& prefix);
};

// "John, Romans — verses extant: 120, scribe's hand": what a list shows
// beside the edition's name.
QString WitnessNote(const WitnessDescription& witness, const WitnessWords& words);
// The note, then the lost verses and the remnants where there are any.
QString WitnessDetail(const WitnessDescription& witness, const WitnessWords& words);

// A catalogue entry's marks in a list: the note (TrailingNoteDelegate's) and
// the tooltip, the edition's information first.
struct WitnessMarks {
    QString note;
    QString toolTip; // plain text, ready for Qt::ToolTipRole
};
// nullopt for a printed edition, whose entry stays as it always was.
std::optional<WitnessMarks> MarkWitness(const std::string& folder, std::string_view name, const QString& information,
                                        const WitnessWords& words);

} // namespace synopter
