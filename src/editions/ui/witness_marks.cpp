#include "editions/ui/witness_marks.h"

#include "common/ui/plain_text.h"

#include <QStringList>

namespace synopter {

void WitnessWords::Read(const std::function<QString(const char*, const QString&)>& read, const QString& prefix)
{
    const auto one = [&](const char* suffix, QString& text) {
        text = read((prefix + "_" + suffix).toLatin1().constData(), text);
    };
    one("verses", verses);
    one("lost", lacunose);
    one("inpart", remnants);
    one("first", firstHand);
    one("scribe", scribeHand);
    one("last", lastHand);
}

QString WitnessNote(const WitnessDescription& witness, const WitnessWords& words)
{
    const QString books = QString::fromUtf8(ExtentBooks(witness.extent.books));
    QString note = books.isEmpty() ? QString() : books + QString::fromUtf8(" — ");
    note += words.verses.arg(witness.extent.versesExtant);
    const QString hand = witness.hand == "first"    ? words.firstHand
                         : witness.hand == "scribe" ? words.scribeHand
                         : witness.hand == "last"   ? words.lastHand
                                                    : QString();
    if (!hand.isEmpty())
        note += ", " + hand;
    return note;
}

QString WitnessDetail(const WitnessDescription& witness, const WitnessWords& words)
{
    QString detail = WitnessNote(witness, words);
    QStringList lost;
    if (witness.extent.lacunose > 0)
        lost << words.lacunose.arg(witness.extent.lacunose);
    if (witness.extent.remnants > 0)
        lost << words.remnants.arg(witness.extent.remnants);
    if (!lost.isEmpty())
        detail += "\n" + lost.join(", ");
    return detail;
}

std::optional<WitnessMarks> MarkWitness(const std::string& folder, std::string_view name, const QString& information,
                                        const WitnessWords& words)
{
    const std::optional<WitnessDescription> witness = DescribeWitness(folder, name);
    if (!witness)
        return std::nullopt;
    const QString detail = WitnessDetail(*witness, words);
    return WitnessMarks{WitnessNote(*witness, words),
                        PlainToolTip(information.isEmpty() ? detail : information + "\n" + detail)};
}

} // namespace synopter
