// The edition list's marks: a manuscript's extent and hand beside its name
// and in its tooltip; printed editions show as they always did.
#include "collate/ui/apparatus_window.h"
#include "collate/ui/apparatus_window_names.h"

#include "common/ui/qt_bytes.h"
#include "common/ui/trailing_note_delegate.h"
#include "editions/edition.h"
#include "editions/edition_check.h"
#include "editions/ui/witness_marks.h"
#include "language/ui/translate_form.h"

#include <QListWidget>

namespace synopter {

void ApparatusWindow::MarkWitnesses()
{
    WitnessWords words;
    words.Read(ReadWindowTexts(language_, apparatus_window_names::window), apparatus_window_names::editionList);
    const bool wasFilling = filling_;
    filling_ = true; // marks are no change of the editions taking part
    for (int i = 0; i < editionList_->count() && i < int(set_->witnesses.size()); ++i) {
        const collate::Witness& w = set_->witnesses[size_t(i)];
        const QString information = FromUtf8(ToUtf8(w.information));
        const auto marks = MarkWitness(EditionFolder(folders_, w.name), w.name, information, words);
        if (!marks)
            continue;
        QListWidgetItem* item = editionList_->item(i);
        item->setData(TrailingNoteDelegate::kNoteRole, marks->note);
        item->setToolTip(marks->toolTip);
    }
    filling_ = wasFilling;
}

} // namespace synopter
