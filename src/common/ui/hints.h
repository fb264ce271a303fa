#pragma once

#include "common/ui/plain_text.h"

#include <QString>
#include <QVariant>
#include <QWidget>

#include <limits>

namespace synopter {

// Whether a component shows its hint, and for how long.
enum class HintShown {
    No,              // kept for the language files and assistive technology only
    AsTooltip,       // as a tooltip that goes after the usual while
    AsLastingTooltip // as a tooltip that stays while the pointer rests on it
};

// Every component keeps its hint in the property "hint", which the language
// files may set for any of them; "showHint" tells TranslateForm whether the
// control also shows it as its tooltip.
inline void SetHint(QWidget* w, const QString& hint, HintShown shown = HintShown::AsTooltip)
{
    w->setProperty("hint", hint);
    w->setProperty("showHint", shown != HintShown::No);
    if (shown == HintShown::No)
        return;
    // Hints come from the language files: shown as written, never as markup.
    w->setToolTip(PlainToolTip(hint));
    if (shown == HintShown::AsLastingTooltip)
        w->setToolTipDuration(std::numeric_limits<int>::max());
}

} // namespace synopter
