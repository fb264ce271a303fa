// Plain-text manuscript transcriptions: one verse a line, "BBCCCVVV text",
// the text in Unicode Greek with the transcribers' marks for layout, lacunae,
// damaged and supplied letters, abbreviations and the hands' corrections.

#include "common/greek_letters.h"
#include "import/hand_choice.h"
#include "import/nomina_sacra.h"
#include "import/source_readers.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace synopter {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr int kFirstBook = 40; // Matthew
constexpr size_t kReferenceDigits = 8;
// Lines looked at to tell the format: a title or a note may come first.
constexpr int kProbeLines = 20;

constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }
constexpr bool IsBlank(char c) { return c == ' ' || c == '\t'; }
constexpr bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

// "BBCCCVVV" at `at`, then a blank or the line's end.
struct Reference {
    int book = 0; // as written: 40 Matthew
    int chapter = 0;
    int verse = 0;
    bool InNewTestament() const { return book >= kFirstBook && book < kFirstBook + 27 && chapter > 0 && verse > 0; }
    VerseRef Ref() const { return {book - kFirstBook, chapter, verse}; }
};

std::optional<Reference> ReferenceAt(std::string_view data, size_t at)
{
    if (data.size() - at < kReferenceDigits)
        return std::nullopt;
    int value[3] = {0, 0, 0};
    for (size_t i = 0; i < kReferenceDigits; ++i) {
        const char c = data[at + i];
        if (!IsDigit(c))
            return std::nullopt;
        int& part = value[i < 2 ? 0 : i < 5 ? 1 : 2];
        part = part * 10 + (c - '0');
    }
    const size_t end = at + kReferenceDigits;
    if (end < data.size() && !IsBlank(data[end]) && !IsLineEnd(data[end]))
        return std::nullopt;
    return Reference{value[0], value[1], value[2]};
}

bool StartsGroup(std::string_view data, size_t at)
{
    const char c = data[at];
    return c == '{' || ((c == 'x' || c == 'a' || c == 'b') && at + 1 < data.size() && data[at + 1] == '{');
}

// One correction's reading: x{...} first hand, {...} the scribe, a{...} and
// b{...} the second and third hands.
struct Group {
    int rank = 0;
    size_t begin = 0; // its text
    size_t end = 0;
};

class Reader {
public:
    Reader(std::string_view data, VerseSink& sink) : data_(data), sink_(sink), hand_(sink.TextHand()) {}

    void Run()
    {
        if (data_.starts_with(kBom))
            pos_ = kBom.size();
        while (pos_ < data_.size()) {
            Line();
            // Past the line's end: CR LF, LF or CR.
            if (pos_ < data_.size() && data_[pos_] == '\r')
                ++pos_;
            if (pos_ < data_.size() && data_[pos_] == '\n')
                ++pos_;
        }
        Flush();
        sink_.Transcription(counts_);
    }

private:
    enum class Mode { Line, Group, Token };

    size_t LineEnd(size_t from) const
    {
        const size_t end = data_.find_first_of("\r\n", from);
        return end == std::string_view::npos ? data_.size() : end;
    }

    void Line()
    {
        const auto reference = ReferenceAt(data_, pos_);
        if (!reference) {
            sink_.SkippedLine();
            pos_ = LineEnd(pos_);
            return;
        }
        size_t text = pos_ + kReferenceDigits;
        while (text < data_.size() && IsBlank(data_[text]))
            ++text;
        const size_t end = LineEnd(text);
        std::string_view rest = data_.substr(text, end - text);
        while (!rest.empty() && IsBlank(rest.back()))
            rest.remove_suffix(1);
        if (!reference->InNewTestament() || rest.empty() || rest == "-" || rest == "+") {
            Flush();
            haveVerse_ = false;
            pos_ = end;
            if (!reference->InNewTestament())
                return sink_.SkippedLine();
            if (rest.empty())
                return sink_.Lacunose(reference->Ref());
            if (rest == "-")
                return sink_.Absent(reference->Ref());
            // Present, but its words are unknown: compared with nothing, as lost text is.
            ++counts_.presentUntranscribed;
            return sink_.Verse(reference->Ref(), std::string_view(&kLostTextMark, 1));
        }
        SwitchTo(reference->Ref());
        pos_ = text;
        Text(data_.size(), Mode::Line);
        text_ += ' '; // the next line of the same verse is another word
    }

    void SwitchTo(const VerseRef& ref)
    {
        if (haveVerse_ && ref == verse_)
            return;
        Flush();
        verse_ = ref;
        haveVerse_ = true;
    }

    void Flush()
    {
        if (haveVerse_)
            sink_.Verse(verse_, text_);
        text_.clear();
    }

    // A reference at the start of a line inside a correction: the reading
    // goes on in that verse.
    void ReferenceInGroup(bool deliver)
    {
        const auto reference = ReferenceAt(data_, pos_);
        if (!reference)
            return;
        pos_ += kReferenceDigits;
        lastReference_ = *reference;
        if (!deliver)
            return;
        if (reference->InNewTestament()) {
            SwitchTo(reference->Ref());
        } else {
            Flush();
            haveVerse_ = false;
        }
    }

    // The text from pos_ up to `end`, or in Line mode up to the line's end.
    void Text(size_t end, Mode mode)
    {
        while (pos_ < end) {
            const char c = data_[pos_];
            const auto byte = static_cast<unsigned char>(c);
            switch (c) {
            case '\r':
            case '\n':
                if (mode == Mode::Line)
                    return;
                text_ += ' ';
                pos_ += c == '\r' && pos_ + 1 < end && data_[pos_ + 1] == '\n' ? 2 : 1;
                ReferenceInGroup(true);
                continue;
            case 'x':
            case 'a':
            case 'b':
            case '{':
                if (mode == Mode::Line && StartsGroup(data_, pos_)) {
                    Correction();
                    continue;
                }
                if (c != '{')
                    text_ += c;
                break;
            case '\\': // a page break, perhaps with the page's number
                while (pos_ + 1 < end && IsDigit(data_[pos_ + 1]))
                    ++pos_;
                break;
            case '&':
            case '*': text_ += kLostTextMark; break;
            case '%':
            case '^': ++counts_.uncertainLetters; break;
            case '~':
            case '+': ++counts_.suppliedWords; break;
            case '=':
                if (mode != Mode::Token) {
                    NomenSacrum(end);
                    continue;
                }
                break;
            case '\t': text_ += ' '; break;
            case '}': case '|': case '/': case '_': case '[': case ']':
            case '"': case '\'': case '`': case '$':
                break;
            default:
                if (byte < 0x80 || !Special(end))
                    text_ += c;
                else
                    continue;
            }
            ++pos_;
        }
    }

    // The few characters beyond ASCII that stand for letters or are dropped;
    // false for any other.
    bool Special(size_t end)
    {
        const std::string_view rest = data_.substr(pos_, end - pos_);
        const auto replace = [&](std::string_view written, std::string_view letters) {
            if (!rest.starts_with(written))
                return false;
            text_ += letters;
            pos_ += written.size();
            return true;
        };
        if (replace("\xC2\xAF", "ν") || replace("ϗ", "και") || replace("\xE2\xB3\xA8", "ταυρ"))
            return true;
        if (rest.starts_with("\xEF\xBF\xBD")) {
            ++counts_.replacementCharacters;
            pos_ += 3;
            return true;
        }
        return false;
    }

    // "=" and a contracted word up to a blank, a line's or a reading's end.
    void NomenSacrum(size_t end)
    {
        size_t stop = ++pos_;
        while (stop < end && !IsBlank(data_[stop]) && !IsLineEnd(data_[stop]) && data_[stop] != '{' &&
               data_[stop] != '}')
            ++stop;
        const size_t start = text_.size();
        Text(stop, Mode::Token);
        const std::string written = text_.substr(start);
        if (written.find(kLostTextMark) != std::string::npos || written.empty())
            return; // partly lost: kept as it stands
        if (const auto full = ExpandNomenSacrum(written)) {
            // Back in Greek letters: a verse of nomina sacra alone is Greek text too.
            text_.resize(start);
            AppendGreek(text_, *full);
            ++counts_.contractionsExpanded;
        } else {
            ++counts_.unknownContractions[written];
        }
    }

    // A run of readings, x{...} {...} a{...} b{...}, blanks between them:
    // the reading of the chosen hand is the text. A reading may run over
    // lines, each line with its verse's reference.
    void Correction()
    {
        std::vector<Group> groups;
        std::vector<int> ranks;
        size_t at = pos_;
        while (true) {
            const char c = data_[at];
            const int rank = c == 'x' ? 0 : c == '{' ? 1 : c == 'a' ? 2 : 3;
            const size_t begin = at + (c == '{' ? 1 : 2);
            const size_t close = data_.find('}', begin);
            const size_t end = close == std::string_view::npos ? data_.size() : close;
            groups.push_back({rank, begin, end});
            ranks.push_back(rank);
            if (rank > 0)
                ++counts_.corrections[rank == 1 ? "scribe" : rank == 2 ? "a" : "b"];
            at = end == data_.size() ? end : end + 1;
            size_t next = at;
            while (next < data_.size() && IsBlank(data_[next]))
                ++next;
            if (next >= data_.size() || !StartsGroup(data_, next))
                break;
            at = next;
        }
        const int chosen = ChooseReading(hand_, ranks);
        lastReference_.reset();
        for (size_t i = 0; i < groups.size(); ++i) {
            pos_ = groups[i].begin;
            if (int(i) == chosen) {
                Text(groups[i].end, Mode::Group);
                continue;
            }
            // Another hand's reading: only where its lines' references lead.
            const std::string_view reading = data_.substr(0, groups[i].end);
            for (size_t line = reading.find_first_of("\r\n", pos_); line != std::string_view::npos;
                 line = reading.find_first_of("\r\n", pos_)) {
                pos_ = line + (data_[line] == '\r' && line + 1 < data_.size() && data_[line + 1] == '\n' ? 2 : 1);
                ReferenceInGroup(false);
            }
        }
        // The text after the readings belongs to the verse their last line named.
        if (lastReference_) {
            if (lastReference_->InNewTestament()) {
                SwitchTo(lastReference_->Ref());
            } else {
                Flush();
                haveVerse_ = false;
            }
        }
        pos_ = at;
    }

    std::string_view data_;
    VerseSink& sink_;
    Hand hand_;
    size_t pos_ = 0;
    bool haveVerse_ = false;
    VerseRef verse_;
    std::string text_; // the verse's text so far, UTF-8
    std::optional<Reference> lastReference_;
    TranscriptionCounts counts_;
};

} // namespace

bool LooksLikeTranscription(std::string_view bytes)
{
    if (bytes.starts_with(kBom))
        bytes.remove_prefix(kBom.size());
    int lines = 0;
    for (size_t at = 0; at < bytes.size() && lines < kProbeLines;) {
        const size_t end = std::min(bytes.find_first_of("\r\n", at), bytes.size());
        if (end > at) {
            ++lines;
            if (const auto reference = ReferenceAt(bytes, at); reference && reference->InNewTestament())
                return true;
        }
        at = end + 1;
    }
    return false;
}

void ReadTranscriptionSource(std::string_view bytes, std::string_view /*fileName*/, VerseSink& sink)
{
    Reader(bytes, sink).Run();
}

} // namespace synopter
