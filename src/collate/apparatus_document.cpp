#include "collate/apparatus_document.h"

namespace synopter::collate {

namespace {

// Text, JSON and CSV go out verse by verse, so the whole apparatus is never held.
bool WriteVerses(std::span<const std::vector<std::string>* const> texts, const ApparatusFacts& facts,
                 ApparatusFormat format,
                 BlockOutput& out, const std::function<bool(int line)>& include, const std::function<bool()>& goOn,
                 WitnessLacunae lacunae)
{
    std::string chapter;
    bool stopped = false;
    if (format == ApparatusFormat::Csv)
        out.Text() += kCsvHeader;
    CollateTexts(
        texts, facts.options,
        [&](const VerseApparatus& verse) {
            if (format == ApparatusFormat::Json)
                AppendVerseJson(out.Text(), verse, facts);
            else if (format == ApparatusFormat::Csv)
                AppendVerseCsv(out.Text(), verse, facts);
            else
                AppendVerseText(out.Text(), verse, facts, chapter);
            out.FlushIfFull();
            stopped = goOn && !goOn();
            return !stopped && !out.Failed();
        },
        include, lacunae);
    return !stopped && !out.Failed();
}

bool WriteWhole(std::span<const std::vector<std::string>* const> texts, const ApparatusFacts& facts, bool tei,
                BlockOutput& out, const std::function<bool(int line)>& include, const std::function<bool()>& goOn,
                WitnessLacunae lacunae)
{
    std::vector<VerseApparatus> verses;
    bool stopped = false;
    Options options = facts.options;
    options.lostTextUnits = tei; // so that each witness's lost text reads back
    CollateTexts(
        texts, options,
        [&](const VerseApparatus& verse) {
            verses.push_back(verse);
            stopped = goOn && !goOn();
            return !stopped;
        },
        include, lacunae, tei);
    if (stopped)
        return false;
    out.Text() += tei ? ApparatusTei(verses, facts) : ApparatusHtmlPage(verses, facts);
    return !out.Failed();
}

} // namespace

bool WriteApparatus(std::span<const std::vector<std::string>* const> texts, const ApparatusFacts& facts,
                    ApparatusFormat format, BlockOutput& out, const std::function<bool(int line)>& include,
                    const std::function<bool()>& goOn, WitnessLacunae lacunae)
{
    switch (format) {
    case ApparatusFormat::Text:
    case ApparatusFormat::Json:
    case ApparatusFormat::Csv:
        return WriteVerses(texts, facts, format, out, include, goOn, lacunae);
    case ApparatusFormat::Html:
    case ApparatusFormat::Tei:
        return WriteWhole(texts, facts, format == ApparatusFormat::Tei, out, include, goOn, lacunae);
    case ApparatusFormat::Distances:
    case ApparatusFormat::Agreement:
        break;
    }
    bool stopped = false;
    const DistanceTable table = CountDistances(texts, facts.options, include, [&] {
        stopped = goOn && !goOn();
        return !stopped;
    }, lacunae);
    if (stopped)
        return false;
    out.Text() += format == ApparatusFormat::Agreement ? AgreementText(table, facts) : DistanceText(table, facts);
    return !out.Failed();
}

} // namespace synopter::collate
