#include "import/source_readers.h"
#include "import/xml_reader.h"

#include "editions/book_names.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <string>
#include <vector>

namespace synopter {
namespace {

std::optional<int> PositiveNumber(std::string_view text)
{
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < 1)
        return std::nullopt;
    return value;
}

// "John.1.1", also with a work prefix ("Bible:John.1.1") or a grain
// ("John.1.1!a"). nullopt for a chapter, a verse 0 or a book outside the NT.
std::optional<VerseRef> ParseOsisRef(std::string_view id)
{
    if (const size_t colon = id.find(':'); colon != std::string_view::npos)
        id.remove_prefix(colon + 1);
    id = id.substr(0, id.find('!'));
    const size_t dot1 = id.find('.');
    const size_t dot2 = dot1 == std::string_view::npos ? dot1 : id.find('.', dot1 + 1);
    if (dot2 == std::string_view::npos)
        return std::nullopt;
    const auto book = BookFromName(id.substr(0, dot1));
    const auto chapter = PositiveNumber(id.substr(dot1 + 1, dot2 - dot1 - 1));
    const auto verse = PositiveNumber(id.substr(dot2 + 1));
    if (!book || !chapter || !verse)
        return std::nullopt;
    return VerseRef{*book, *chapter, *verse};
}

// Elements whose bounds part words: <w> and the block and line elements.
bool PartsWords(std::string_view name)
{
    for (std::string_view n : {"w", "p", "l", "lg", "lb", "div", "chapter", "milestone", "list", "item", "head",
                               "table", "row", "cell"})
        if (name == n)
            return true;
    return false;
}

class OsisReader : public XmlHandler {
public:
    explicit OsisReader(VerseSink& sink) : sink_(sink) {}

    void StartElement(std::string_view name, const XmlAttributes& attributes) override;
    void EndElement(std::string_view name) override;
    void Text(std::string_view utf8) override;
    // A milestone verse the document never closed.
    void Finish() { EndVerse(); }

private:
    enum class Kind { Plain, Separator, Skipped, Header, Work, WorkTitle, VerseContainer };
    struct Open {
        Kind kind;
        int verse = 0; // VerseContainer: the serial of the verse it opened
    };

    void StartVerse(const XmlAttributes& attributes);
    void EndVerse();
    void EndWork();
    void BreakWord()
    {
        if (ref_ && skipped_ == 0)
            verse_.Break();
    }

    VerseSink& sink_;
    std::vector<Open> open_;
    int skipped_ = 0; // open <header>, <note>, <title>

    std::string workId_;    // the osisText's osisIDWork
    std::string thisWork_;  // osisWork of the open <work>
    MarkupText workTitle_;  // of the open <work>
    std::string titleOfWork_, firstTitle_;
    bool inWorkTitle_ = false;
    bool titleDone_ = false;

    bool inVerse_ = false;
    int verseSerial_ = 0;
    std::optional<VerseRef> ref_; // of the open verse; none: not a verse
    MarkupText verse_;
};

void OsisReader::StartElement(std::string_view name, const XmlAttributes& attributes)
{
    Open open{Kind::Plain};
    if (name == "verse") {
        // Milestones (sID, eID) stand for nothing themselves; their end tag
        // closes no verse.
        if (attributes.Find("eID"))
            EndVerse();
        else {
            StartVerse(attributes);
            if (!attributes.Find("sID"))
                open = {Kind::VerseContainer, verseSerial_};
        }
    } else if (name == "osisText" && workId_.empty()) {
        workId_ = attributes.Value("osisIDWork");
    } else if (name == "header") {
        open.kind = Kind::Header;
    } else if (name == "work" && !open_.empty() && open_.back().kind == Kind::Header) {
        open.kind = Kind::Work;
        thisWork_ = attributes.Value("osisWork");
        workTitle_.Clear();
    } else if (name == "title" && !open_.empty() && open_.back().kind == Kind::Work && !inWorkTitle_) {
        open.kind = Kind::WorkTitle;
        inWorkTitle_ = true;
    } else if (name == "note" || name == "title") {
        open.kind = Kind::Skipped;
    } else if (PartsWords(name)) {
        open.kind = Kind::Separator;
        BreakWord();
    }
    if (open.kind == Kind::Header || open.kind == Kind::Skipped)
        ++skipped_;
    open_.push_back(open);
}

void OsisReader::EndElement(std::string_view /*name*/)
{
    const Open open = open_.back();
    open_.pop_back();
    switch (open.kind) {
    case Kind::Plain:
        break;
    case Kind::Separator:
        BreakWord();
        break;
    case Kind::Skipped:
        --skipped_;
        break;
    case Kind::Header:
        --skipped_;
        if (!titleDone_) {
            const std::string& title = titleOfWork_.empty() ? firstTitle_ : titleOfWork_;
            if (!title.empty()) {
                sink_.Title(title);
                titleDone_ = true;
            }
        }
        break;
    case Kind::Work:
        EndWork();
        break;
    case Kind::WorkTitle:
        inWorkTitle_ = false;
        break;
    case Kind::VerseContainer:
        // Unless a later verse has taken over already.
        if (open.verse == verseSerial_)
            EndVerse();
        break;
    }
}

void OsisReader::Text(std::string_view utf8)
{
    if (inWorkTitle_)
        workTitle_.Append(utf8);
    else if (ref_ && skipped_ == 0)
        verse_.Append(utf8);
}

void OsisReader::StartVerse(const XmlAttributes& attributes)
{
    EndVerse();
    ++verseSerial_;
    inVerse_ = true;
    const auto ids = attributes.Find("osisID");
    ref_ = FirstOsisVerse(ids ? *ids : attributes.Value("sID"));
    if (!ref_)
        sink_.SkippedLine();
}

void OsisReader::EndVerse()
{
    if (!inVerse_)
        return;
    if (ref_ && !verse_.Words().empty())
        sink_.Verse(*ref_, verse_.Words());
    inVerse_ = false;
    ref_.reset();
    verse_.Clear();
}

// The document's own work is the one osisText names; failing that, the
// first work with a title.
void OsisReader::EndWork()
{
    const std::string_view title = workTitle_.Words();
    if (title.empty())
        return;
    if (!workId_.empty() && thisWork_ == workId_ && titleOfWork_.empty())
        titleOfWork_ = title;
    if (firstTitle_.empty())
        firstTitle_ = title;
}

} // namespace

std::optional<VerseRef> FirstOsisVerse(std::string_view ids)
{
    while (!ids.empty()) {
        const size_t start = ids.find_first_not_of(" \t\r\n");
        if (start == std::string_view::npos)
            break;
        ids.remove_prefix(start);
        const size_t end = std::min(ids.find_first_of(" \t\r\n"), ids.size());
        if (auto ref = ParseOsisRef(ids.substr(0, end)))
            return ref;
        ids.remove_prefix(end);
    }
    return std::nullopt;
}

void ReadOsisSource(std::string_view bytes, std::string_view fileName, VerseSink& sink)
{
    OsisReader reader(sink);
    ParseXml(bytes, fileName, reader);
    reader.Finish();
}

} // namespace synopter
