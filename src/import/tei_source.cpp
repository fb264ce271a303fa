#include "import/source_readers.h"
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
    explicit TeiReader(VerseSink& sink) : sink_(sink) {}

    void StartElement(std::string_view name, const XmlAttributes& attributes) override;
    void EndElement(std::string_view name) override;
    void Text(std::string_view utf8) override;

private:
    enum class Kind { Plain, Skipped, TitleStmt, Title, Verse, Word, Alternatives, Reading, LineBreak, JoiningBreak };

    // An <app> (its first <lem>, else its first <rdg>) or a <choice> (its
    // first child): each reading is gathered apart and the chosen one joins
    // the text around it when the element ends.
    struct Alternatives {
        size_t element = 0;  // index of the <app> or <choice> in open_
        bool choice = false;
        bool inReading = false;
        bool haveChosen = false;
        bool chosenIsLem = false;
        MarkupText reading;
        MarkupText chosen;
    };

    Kind Classify(std::string_view name, const XmlAttributes& attributes);
    void StartVerse(const XmlAttributes& attributes);
    void EndReading(bool lem);
    void EndAlternatives();
    // Where text goes now; null when it belongs to no verse.
    MarkupText* Target();
    void BreakWord()
    {
        if (MarkupText* t = Target())
            t->Break();
    }

    VerseSink& sink_;
    std::vector<Kind> open_;
    int skipped_ = 0; // open <teiHeader>, <note>, <fw>
    int titleStmts_ = 0;
    int words_ = 0;
    bool titleDone_ = false;
    bool inTitle_ = false;
    MarkupText title_;

    bool inVerse_ = false;
    std::optional<VerseRef> ref_; // of the open <ab>; none: not a verse
    MarkupText verse_;
    std::vector<Alternatives> alternatives_;
    std::vector<bool> readingIsLem_; // for each open Reading element
};

MarkupText* TeiReader::Target()
{
    if (skipped_ > 0 || !ref_)
        return nullptr;
    if (alternatives_.empty())
        return &verse_;
    Alternatives& a = alternatives_.back();
    return a.inReading ? &a.reading : nullptr;
}

TeiReader::Kind TeiReader::Classify(std::string_view name, const XmlAttributes& attributes)
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
    if (!alternatives_.empty()) {
        const Alternatives& a = alternatives_.back();
        const bool reading = a.choice ? open_.size() == a.element + 1 : (name == "lem" || name == "rdg");
        if (reading && !a.inReading)
            return Kind::Reading;
    }
    if (name == "app" || name == "choice")
        return Kind::Alternatives;
    if (name == "w")
        return Kind::Word;
    if (name == "lb" || name == "cb" || name == "pb")
        return attributes.Value("break") == "no" ? Kind::JoiningBreak : Kind::LineBreak;
    return Kind::Plain;
}

void TeiReader::StartElement(std::string_view name, const XmlAttributes& attributes)
{
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
        alternatives_.emplace_back();
        alternatives_.back().element = open_.size();
        alternatives_.back().choice = name == "choice";
        break;
    case Kind::Reading:
        alternatives_.back().inReading = true;
        readingIsLem_.push_back(name == "lem");
        break;
    case Kind::LineBreak:
        // Inside a <w> a break is within the word whether marked or not.
        if (words_ == 0)
            BreakWord();
        break;
    case Kind::JoiningBreak:
        if (MarkupText* t = Target())
            t->Join();
        break;
    }
    open_.push_back(kind);
}

void TeiReader::EndElement(std::string_view /*name*/)
{
    const Kind kind = open_.back();
    open_.pop_back();
    switch (kind) {
    case Kind::Plain:
    case Kind::LineBreak:
    case Kind::JoiningBreak:
        break;
    case Kind::Skipped:
        --skipped_;
        break;
    case Kind::TitleStmt:
        --titleStmts_;
        break;
    case Kind::Title:
        inTitle_ = false;
        if (!title_.Words().empty()) {
            sink_.Title(title_.Words());
            titleDone_ = true;
        }
        title_.Clear();
        break;
    case Kind::Verse:
        if (ref_ && !verse_.Words().empty())
            sink_.Verse(*ref_, verse_.Words());
        inVerse_ = false;
        ref_.reset();
        verse_.Clear();
        break;
    case Kind::Word:
        --words_;
        BreakWord();
        break;
    case Kind::Alternatives:
        EndAlternatives();
        break;
    case Kind::Reading:
        EndReading(readingIsLem_.back());
        readingIsLem_.pop_back();
        break;
    }
}

void TeiReader::Text(std::string_view utf8)
{
    if (inTitle_)
        title_.Append(utf8);
    else if (MarkupText* t = Target())
        t->Append(utf8);
}

void TeiReader::StartVerse(const XmlAttributes& attributes)
{
    inVerse_ = true;
    ref_ = ParseVerseNumber(attributes.Value("n"));
    if (!ref_)
        sink_.SkippedLine();
}

void TeiReader::EndReading(bool lem)
{
    Alternatives& a = alternatives_.back();
    a.inReading = false;
    if (!a.haveChosen || (lem && !a.chosenIsLem)) {
        a.chosen = std::move(a.reading);
        a.haveChosen = true;
        a.chosenIsLem = lem;
    }
    a.reading.Clear();
}

void TeiReader::EndAlternatives()
{
    MarkupText chosen = std::move(alternatives_.back().chosen);
    alternatives_.pop_back();
    if (MarkupText* t = Target())
        t->Append(chosen.Raw());
}

} // namespace

void ReadTeiSource(std::string_view bytes, std::string_view fileName, VerseSink& sink)
{
    TeiReader reader(sink);
    ParseXml(bytes, fileName, reader);
}

} // namespace synopter
