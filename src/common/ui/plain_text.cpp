#include "common/ui/plain_text.h"

#include <QTextDocument>

namespace synopter {

QString PlainToolTip(const QString& text)
{
    if (!Qt::mightBeRichText(text))
        return text;
    return "<p style=\"white-space:pre-wrap\">" + text.toHtmlEscaped() + "</p>";
}

} // namespace synopter
