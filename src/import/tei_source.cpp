#include "import/source_readers.h"
#include "import/tei_apparatus.h"
#include "import/tei_manuscript.h"
#include "import/xml_reader.h"

#include <optional>
#include <utility>
#include <vector>

namespace synopter {
namespace {

// A number of at most six digits after `letter`, advancing `at`.
std::optional<int> TaggedNumber(std::string_view text, size_t& at, char letter)
{
    if (at >= text.size() || text[at] != letter)
        return std::nullopt;
    const size_t start = ++at;
    int value = 0;
    while (at < text.size() && at - start < 6 && text[at] >= '0' && text[at] <= '9')
        value = value * 10 + (text[at++] - '0');
    if (at == start)
        return std::nullopt;
    return value;
}

// The transcription projects' verse numbers: "B04K1V1" is John 1:1 (B01
// Matthew ... B27 Revelation). nullopt for anything else, verse 0 included.
std::optional<VerseRef> ParseVerseNumber(std::string_view n)
{
    size_t at = 0;
    const auto book = TaggedNumber(n, at, 'B');
    const auto chapter = TaggedNumber(n, at, 'K');
    const auto verse = TaggedNumber(n, at, 'V');
    if (!book || !chapter || !verse || at != n.size())
        return std::nullopt;
    if (*book < 1 || *book > 27 || *chapter < 1 || *verse < 1)
        return std::nullopt;
    return VerseRef{*book - 1, *chapter, *verse};
}

class TeiReader : public XmlHandler {
public:
    TeiReader(VerseSink& sink, std::string_view fileName, std::string_view witness)
        : sink_(sink), hand_(sink.TextHand()), fileName_(fileName), witness_(witness) {}

    void StartElement(std::string_view name, const XmlAttributes& attributes) override;
    void EndElement(std::string_view name) override;
    void Text(std::string_view utf8) override;
    // After the whole document: a manuscript's verses written without words
    // and its counts. Only a manuscript's: an empty verse of a printed edition
    // is nothing, as it always was.
    void Finish()
    {
        ResolveWitness();
        if (!manuscript_)
            return;
        for (const VerseRef& ref : empty_)
            sink_.Absent(ref);
        sink_.Transcription(counts_);
    }

private:
    enum class Kind {
        Plain, Skipped, TitleStmt, Title, Verse, Word, Alternatives, Reading, LineBreak, JoiningBreak,
        Gap, Unclear, Punctuation, Contraction, Expansion, Supplied
    };

    // An element whose text is gathered apart and joins the text around it,
    // chosen or changed, when it ends: an <app> (its readings by hand, else
    // its first <lem>, else its first <rdg>) or a <choice> (its first child)
    // with their readings, a nomen sacrum, supplied text.
    struct Frame {
        Kind kind = Kind::Plain;
        size_t element = 0; // index of the element in open_
        MarkupText text;
        bool choice = false;                // Alternatives: a <choice>
        std::vector<tei::Reading> readings; // Alternatives: the readings ended
        tei::Reading reading;               // Reading: its hand, type and counts
        bool expansion = false;             // Contraction: the <ex> is given
        bool lost = false;                  // Supplied: where the text is lost
    };

    Kind Classify(std::string_view name, const XmlAttributes& attributes) const;
    void StartVerse(const XmlAttributes& attributes);
    void EndVerse();
    Frame& OpenFrame(Kind kind);
    Frame CloseFrame();
    void EndReading();
    void EndAlternatives();
    void EndContraction();
    void EndSupplied();
    // Where text goes now; null when it belongs to no verse.
    MarkupText* Target();
    // Where the counts of that text go: the open reading's, which count only
    // if it is chosen, else the source's.
    TranscriptionCounts& Counts();
    // The witness's own description is the edition's title, not the collation's.
    void ResolveWitness()
    {
        if (const std::string description = witness_.Resolve(fileName_); !description.empty())
            sink_.Title(description);
    }
    void BreakWord()
    {
        if (MarkupText* t = Target())
            t->Break();
    }

    VerseSink& sink_;
    const Hand hand_;
    const std::string_view fileName_;
    tei::ApparatusWitness witness_; // the collated witness read, if one is asked for
    size_t witnessElement_ = 0;     // the open <witness>'s depth
    std::vector<Kind> open_;
    int skipped_ = 0; // open <teiHeader>, <note>, <fw>, <gap>, <pc>, marginal <seg>
    int titleStmts_ = 0;
    int words_ = 0;
    int readingsOpen_ = 0;
    int unclear_ = 0;
    int lostOpen_ = 0; // open supplied text standing for lost text
    bool titleDone_ = false;
    bool inTitle_ = false;
    MarkupText title_;

    bool inVerse_ = false;
    bool versePart_ = false;      // the <ab> holds part of its verse (part="I", "M", "F")
    std::optional<VerseRef> ref_; // of the open <ab>; none: not a verse
    MarkupText verse_;
    std::vector<Frame> frames_;
    std::vector<VerseRef> empty_; // verses there without a word

    bool manuscript_ = false;
    TranscriptionCounts counts_;
    TranscriptionCounts uncounted_; // of text that is lost
};

MarkupText* TeiReader::Target()
{
    if (skipped_ > 0 || !ref_)
        return nullptr;
    if (frames_.empty())
        return &verse_;
    Frame& top = frames_.back();
    return top.kind == Kind::Alternatives ? nullptr : &top.text;
}

TranscriptionCounts& TeiReader::Counts()
{
    if (lostOpen_ > 0)
        return uncounted_;
    for (auto f = frames_.rbegin(); f != frames_.rend(); ++f)
        if (f->kind == Kind::Reading)
            return f->reading.counts;
    return counts_;
}

TeiReader::Kind TeiReader::Classify(std::string_view name, const XmlAttributes& attributes) const
{
    if (name == "teiHeader" || name == "note" || name == "fw")
        return Kind::Skipped;
    if (name == "titleStmt")
        return Kind::TitleStmt;
    if (name == "title" && titleStmts_ > 0 && !titleDone_ && !inTitle_)
        return Kind::Title;
    if (skipped_ > 0)
        return Kind::Plain;
    if (name == "ab" && !inVerse_)
        return Kind::Verse;
    if (!ref_)
        return Kind::Plain;
    if (!frames_.empty() && frames_.back().kind == Kind::Alternatives) {
        const Frame& a = frames_.back();
        if (a.choice ? open_.size() == a.element + 1 : (name == "lem" || name == "rdg"))
            return Kind::Reading;
    }
    if (name == "app" || name == "choice")
        return Kind::Alternatives;
    if (name == "w")
        return Kind::Word;
    if (name == "lb" || name == "cb" || name == "pb")
        return attributes.Value("break") == "no" ? Kind::JoiningBreak : Kind::LineBreak;
    if (name == "gap")
        return Kind::Gap;
    if (name == "unclear")
        return Kind::Unclear;
    if (name == "pc")
        return Kind::Punctuation;
    // Marginalia are not the verse's text; a correction placed in the margin
    // stands inside its reading.
    if (name == "seg" && attributes.Value("type") == "margin" && readingsOpen_ == 0)
        return Kind::Skipped;
    if (name == "abbr" && attributes.Value("type") == "nomSac")
        return Kind::Contraction;
    if (name == "ex")
        return Kind::Expansion;
    if (name == "supplied")
        return Kind::Supplied;
    return Kind::Plain;
}

void TeiReader::StartElement(std::string_view name, const XmlAttributes& attributes)
{
    if (!manuscript_ && skipped_ == 0 && tei::IsTranscriptionMarkup(name, attributes))
        manuscript_ = true;
    if (witness_.Wanted() && name == "witness" && !witness_.InWitness()) {
        witness_.StartWitness(attributes);
        witnessElement_ = open_.size();
    }
    const Kind kind = Classify(name, attributes);
    switch (kind) {
    case Kind::Plain:
        break;
    case Kind::Skipped:
        ++skipped_;
        break;
    case Kind::TitleStmt:
        ++titleStmts_;
        break;
    case Kind::Title:
        inTitle_ = true;
        break;
    case Kind::Verse:
        StartVerse(attributes);
        break;
    case Kind::Word:
        BreakWord();
        ++words_;
        break;
    case Kind::Alternatives:
        OpenFrame(kind).choice = name == "choice";
        break;
    case Kind::Reading: {
        tei::Reading& r = OpenFrame(kind).reading;
        r.type = attributes.Value("type");
        r.hand = attributes.Value("hand");
        r.lem = name == "lem";
        r.wit = attributes.Value("wit");
        ++readingsOpen_;
        break;
    }
    case Kind::LineBreak:
        // Inside a <w> a break is within the word whether marked or not.
        if (words_ == 0)
            BreakWord();
        break;
    case Kind::JoiningBreak:
        if (MarkupText* t = Target())
            t->Join();
        break;
    case Kind::Gap:
        if (MarkupText* t = Target(); t && tei::GapInLostText(attributes.Value("reason")))
            tei::AppendLostMark(*t);
        ++skipped_;
        break;
    case Kind::Unclear:
        ++unclear_;
        break;
    case Kind::Punctuation:
        if (words_ == 0)
            BreakWord();
        ++skipped_;
        break;
    case Kind::Contraction:
        OpenFrame(kind);
        break;
    case Kind::Expansion:
        if (!frames_.empty() && frames_.back().kind == Kind::Contraction)
            frames_.back().expansion = true;
        break;
    case Kind::Supplied:
        if ((OpenFrame(kind).lost = tei::SuppliedForLostText(attributes.Value("reason"))))
            ++lostOpen_;
        break;
    }
    open_.push_back(kind);
}

void TeiReader::EndElement(std::string_view name)
{
    const Kind kind = open_.back();
    open_.pop_back();
    if (witness_.InWitness() && open_.size() == witnessElement_)
        witness_.EndWitness();
    else if (name == "listWit")
        ResolveWitness();
    switch (kind) {
    case Kind::Plain:
    case Kind::LineBreak:
    case Kind::JoiningBreak:
    case Kind::Expansion:
        break;
    case Kind::Skipped:
    case Kind::Gap:
    case Kind::Punctuation:
        --skipped_;
        break;
    case Kind::TitleStmt:
        --titleStmts_;
        break;
    case Kind::Title:
        inTitle_ = false;
        if (!title_.Words().empty() && !witness_.Wanted()) {
            sink_.Title(title_.Words());
            titleDone_ = true;
        }
        title_.Clear();
        break;
    case Kind::Verse:
        EndVerse();
        break;
    case Kind::Word:
        --words_;
        BreakWord();
        break;
    case Kind::Unclear:
        --unclear_;
        break;
    case Kind::Alternatives:
        EndAlternatives();
        break;
    case Kind::Reading:
        EndReading();
        break;
    case Kind::Contraction:
        EndContraction();
        break;
    case Kind::Supplied:
        EndSupplied();
        break;
    }
}

void TeiReader::Text(std::string_view utf8)
{
    if (witness_.InWitness())
        witness_.WitnessText(utf8);
    if (inTitle_) {
        title_.Append(utf8);
    } else if (MarkupText* t = Target()) {
        t->Append(utf8);
        if (unclear_ > 0)
            Counts().uncertainLetters += tei::CountLetters(utf8);
    }
}

void TeiReader::StartVerse(const XmlAttributes& attributes)
{
    inVerse_ = true;
    const std::string_view n = attributes.Value("n");
    ref_ = ParseVerseNumber(n);
    if (!ref_)
        ref_ = tei::ParseNamedVerse(n);
    if (!ref_)
        ref_ = FirstOsisVerse(attributes.Find("osisID").value_or(n));
    versePart_ = attributes.Find("part").has_value();
    if (!ref_)
        sink_.SkippedLine();
}

void TeiReader::EndVerse()
{
    if (ref_) {
        const std::string words = tei::TidyLostMarks(verse_.Words());
        // A part of a verse that is lost is only a gap in the verse.
        if (tei::WhollyLost(words) && !versePart_)
            sink_.Lacunose(*ref_);
        else if (!words.empty())
            sink_.Verse(*ref_, words);
        else if (!versePart_)
            empty_.push_back(*ref_); // say, the hand followed left it out
    }
    inVerse_ = false;
    ref_.reset();
    verse_.Clear();
}

TeiReader::Frame& TeiReader::OpenFrame(Kind kind)
{
    Frame& f = frames_.emplace_back();
    f.kind = kind;
    f.element = open_.size();
    return f;
}

TeiReader::Frame TeiReader::CloseFrame()
{
    Frame f = std::move(frames_.back());
    frames_.pop_back();
    return f;
}

void TeiReader::EndReading()
{
    Frame f = CloseFrame();
    --readingsOpen_;
    f.reading.text = f.text.Raw();
    frames_.back().readings.push_back(std::move(f.reading));
}

void TeiReader::EndAlternatives()
{
    Frame f = CloseFrame();
    MarkupText* t = Target();
    if (!t || f.readings.empty())
        return;
    const std::optional<size_t> witness = f.choice ? std::nullopt : witness_.ReadingOf(f.readings);
    if (witness && f.readings[*witness].type == "lacuna") {
        tei::AppendLostMark(*t); // the witness is lacunose here: a manuscript
        manuscript_ = true;
        return;
    }
    const bool hands = !witness && !f.choice && tei::IsHandApparatus(f.readings);
    size_t chosen = 0;
    if (witness) {
        chosen = *witness;
    } else if (hands) {
        chosen = tei::ChooseHandReading(f.readings, hand_);
        for (size_t i = 0; i < f.readings.size(); ++i)
            if (tei::IsCorrection(f.readings, i))
                ++Counts().corrections[f.readings[i].hand.empty() ? "corrector" : f.readings[i].hand];
    } else if (!f.choice) {
        for (size_t i = f.readings.size(); i-- > 0;)
            if (f.readings[i].lem)
                chosen = i;
    }
    Counts() += f.readings[chosen].counts;
    t->Append(f.readings[chosen].text);
}

void TeiReader::EndContraction()
{
    Frame f = CloseFrame();
    if (MarkupText* t = Target())
        tei::AppendInPlaceOf(*t, f.text.Raw(), tei::NomenSacrumText(f.text.Words(), f.expansion, Counts()));
}

void TeiReader::EndSupplied()
{
    Frame f = CloseFrame();
    if (f.lost)
        --lostOpen_;
    MarkupText* t = Target();
    if (!t)
        return;
    if (!f.lost) {
        Counts().suppliedWords += tei::CountWords(f.text.Words());
        t->Append(f.text.Raw());
    } else {
        // Lost however many words the transcriber supplied.
        tei::AppendInPlaceOf(*t, f.text.Raw(), std::string_view(&kLostTextMark, 1));
    }
}

} // namespace

void ReadTeiSource(std::string_view bytes, std::string_view fileName, VerseSink& sink)
{
    TeiReader reader(sink, fileName, {});
    ParseXml(bytes, fileName, reader);
    reader.Finish();
}

void ReadTeiWitness(std::string_view bytes, std::string_view fileName, VerseSink& sink, std::string_view witness)
{
    TeiReader reader(sink, fileName, witness);
    ParseXml(bytes, fileName, reader);
    reader.Finish();
}

} // namespace synopter
