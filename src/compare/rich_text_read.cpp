#include "compare/rich_text.h"

#include <algorithm>
#include <cstring>

namespace synopter::rtf {

namespace {

constexpr bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexValue(char c)
{
    if (IsDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Groups whose content is not document text. Anything starting with \* is
// skipped too; fldrslt, listtext and pntext stay, being the visible text.
bool IsSkippedDestination(std::string_view word)
{
    static constexpr std::string_view kSkipped[] = {
        "fonttbl", "stylesheet", "info", "pict", "object", "objdata", "shp", "shpinst",
        "nonshppict", "header", "headerl", "headerr", "headerf", "footer", "footerl",
        "footerr", "footerf", "footnote", "annotation", "atnid", "atnauthor", "fldinst",
        "xe", "tc", "txe", "rxe", "bkmkstart", "bkmkend", "themedata", "colorschememapping",
        "datastore", "latentstyles", "listtable", "listoverridetable", "rsidtbl", "generator",
        "filetbl", "revtbl", "pgdsctbl", "userprops", "docvar", "template", "xmlnstbl",
        "mmathPr", "pn", "pnseclvl", "fldtype",
    };
    for (const std::string_view skipped : kSkipped)
        if (word == skipped)
            return true;
    return false;
}

// Named characters that Word and others write instead of the bytes (code page 1252).
int NamedCharacter(std::string_view word)
{
    static constexpr struct {
        std::string_view word;
        unsigned char byte;
    } kNamed[] = {
        {"tab", 9},         {"cell", 9},         {"emdash", 0x97},     {"endash", 0x96},
        {"bullet", 0x95},   {"lquote", 0x91},    {"rquote", 0x92},     {"ldblquote", 0x93},
        {"rdblquote", 0x94}, {"emspace", ' '},   {"enspace", ' '},     {"qmspace", ' '},
    };
    for (const auto& named : kNamed)
        if (word == named.word)
            return named.byte;
    return -1;
}

class RtfReader {
public:
    explicit RtfReader(std::string_view in) : in_(in) {}

    Document Read()
    {
        while (pos_ < in_.size()) {
            const char c = in_[pos_++];
            if (c == '{') {
                if (stack_.size() >= kMaxSavedGroups) {
                    // Deeper groups are counted, not saved: all of them return
                    // to the state the first of them started with.
                    if (overflow_++ == 0)
                        overflowState_ = state_;
                } else {
                    stack_.push_back(state_);
                }
                skipFallback_ = 0;
            } else if (c == '}' && overflow_ > 0) {
                --overflow_;
                state_ = overflowState_;
                skipFallback_ = 0;
            } else if (c == '}') {
                if (stack_.empty())
                    break;
                state_ = stack_.back();
                stack_.pop_back();
                skipFallback_ = 0;
                if (stack_.empty())
                    break; // the document's own group has ended
            } else if (c == '\\') {
                Control();
            } else if (c != '\r' && c != '\n' && c != '\0') {
                Text(static_cast<unsigned char>(c));
            }
        }
        return std::move(document_);
    }

private:
    enum class Destination { Text, ColourTable, Skip };

    struct State {
        Colour colour = 0;
        bool bold = false;
        Destination destination = Destination::Text;
        long fallbackLength = 1; // \ucN: characters after \uN that stand in for it
    };

    // Counts one character (or control) against the fallback of a \uN
    // already taken; true when it is to be dropped.
    bool SkipsAsFallback()
    {
        if (skipFallback_ == 0)
            return false;
        --skipFallback_;
        return true;
    }

    void Text(unsigned char c)
    {
        if (SkipsAsFallback())
            return;
        if (state_.destination == Destination::ColourTable) {
            if (c == ';')
                EndColourEntry();
            return;
        }
        // A span holds no line breaks; escaped CR and LF have no place to go.
        if (state_.destination != Destination::Text || c == '\r' || c == '\n')
            return;
        if (document_.paragraphs.empty())
            document_.paragraphs.emplace_back();
        Paragraph& paragraph = document_.paragraphs.back();
        if (!paragraph.empty() && paragraph.back().colour == state_.colour &&
            paragraph.back().bold == state_.bold)
            paragraph.back().text += static_cast<char>(c);
        else
            paragraph.push_back(Span{std::string(1, static_cast<char>(c)), state_.colour, state_.bold});
    }

    void Break()
    {
        if (state_.destination != Destination::Text)
            return;
        if (document_.paragraphs.empty())
            document_.paragraphs.emplace_back();
        document_.paragraphs.emplace_back();
    }

    void EndColourEntry()
    {
        colours_.push_back(entrySet_ ? entry_ : 0);
        entry_ = 0;
        entrySet_ = false;
    }

    void SetComponent(int shift, long value)
    {
        const Colour v = static_cast<Colour>(value < 0 ? 0 : (value > 255 ? 255 : value));
        entry_ = (entry_ & ~(Colour{0xFF} << shift)) | (v << shift);
        entrySet_ = true;
    }

    void Control()
    {
        if (pos_ >= in_.size())
            return;
        const char c = in_[pos_];
        if (!IsLetter(c)) {
            ++pos_;
            Symbol(c);
            return;
        }

        const size_t start = pos_;
        while (pos_ < in_.size() && IsLetter(in_[pos_]))
            ++pos_;
        const std::string_view word = in_.substr(start, pos_ - start);

        bool hasParameter = false;
        bool negative = false;
        long parameter = 0;
        if (pos_ + 1 < in_.size() && in_[pos_] == '-' && IsDigit(in_[pos_ + 1])) {
            negative = true;
            ++pos_;
        }
        while (pos_ < in_.size() && IsDigit(in_[pos_])) {
            hasParameter = true;
            if (parameter < 100000000) // larger values mean nothing; keep clear of overflow
                parameter = parameter * 10 + (in_[pos_] - '0');
            ++pos_;
        }
        if (negative)
            parameter = -parameter;
        if (pos_ < in_.size() && in_[pos_] == ' ')
            ++pos_;

        if (word == "bin") {
            // Raw bytes follow, braces and all; never text.
            if (parameter > 0)
                pos_ += std::min(static_cast<size_t>(parameter), in_.size() - pos_);
            return;
        }
        if (SkipsAsFallback())
            return;
        Word(word, hasParameter, parameter);
    }

    void Symbol(char c)
    {
        switch (c) {
        case '\'': {
            const int high = pos_ < in_.size() ? HexValue(in_[pos_]) : -1;
            const int low = pos_ + 1 < in_.size() ? HexValue(in_[pos_ + 1]) : -1;
            if (high < 0 || low < 0) {
                // A broken escape: its lone hex digit is not text either.
                if (high >= 0)
                    ++pos_;
                SkipsAsFallback();
                return;
            }
            pos_ += 2;
            Text(static_cast<unsigned char>(high * 16 + low));
            return;
        }
        case '\\':
        case '{':
        case '}':
            Text(static_cast<unsigned char>(c));
            return;
        case '~':
            Text(' ');
            return;
        case '_':
            Text('-');
            return;
        case '\r':
        case '\n':
            if (!SkipsAsFallback())
                Break();
            return;
        case '*':
            if (!SkipsAsFallback())
                state_.destination = Destination::Skip;
            return;
        default: // \- optional hyphen, \| \: and the like: nothing to show
            SkipsAsFallback();
            return;
        }
    }

    void Word(std::string_view word, bool hasParameter, long parameter)
    {
        if (word == "par" || word == "line" || word == "row") {
            Break();
        } else if (const int named = NamedCharacter(word); named >= 0) {
            Text(static_cast<unsigned char>(named));
        } else if (word == "cf") {
            const long index = hasParameter ? parameter : 0;
            state_.colour = index > 0 && static_cast<size_t>(index) < colours_.size() ? colours_[index] : 0;
        } else if (word == "b") {
            state_.bold = !hasParameter || parameter != 0;
        } else if (word == "plain") {
            state_.colour = 0;
            state_.bold = false;
        } else if (word == "uc") {
            if (hasParameter)
                state_.fallbackLength = parameter < 0 ? 0 : parameter;
        } else if (word == "u") {
            // Text is single-byte: only code points 0..255 are taken; for the
            // rest the fallback that follows is read as ordinary text.
            const long code = parameter < 0 ? parameter + 65536 : parameter;
            if (hasParameter && code >= 0 && code <= 255) {
                Text(static_cast<unsigned char>(code));
                skipFallback_ = state_.fallbackLength;
            }
        } else if (state_.destination == Destination::ColourTable) {
            if (word == "red")
                SetComponent(0, parameter);
            else if (word == "green")
                SetComponent(8, parameter);
            else if (word == "blue")
                SetComponent(16, parameter);
        } else if (state_.destination == Destination::Text) {
            if (word == "colortbl") {
                state_.destination = Destination::ColourTable;
                colours_.clear();
                entry_ = 0;
                entrySet_ = false;
            } else if (IsSkippedDestination(word)) {
                state_.destination = Destination::Skip;
            }
        }
    }

    std::string_view in_;
    size_t pos_ = 0;
    State state_;
    std::vector<State> stack_;
    // Far deeper than any writer nests; the bound keeps a file of nothing but
    // '{' from costing memory in proportion.
    static constexpr size_t kMaxSavedGroups = 256;
    size_t overflow_ = 0;
    State overflowState_;
    long skipFallback_ = 0;
    std::vector<Colour> colours_; // index 0 and auto entries hold 0
    Colour entry_ = 0;
    bool entrySet_ = false;
    Document document_;
};

Document ReadPlainText(std::string_view text)
{
    if (const void* nul = std::memchr(text.data(), '\0', text.size()))
        text = text.substr(0, static_cast<const char*>(nul) - text.data());
    Document document;
    if (text.empty())
        return document;
    auto add = [&document](std::string_view line) {
        Paragraph& paragraph = document.paragraphs.emplace_back();
        if (!line.empty())
            paragraph.push_back(Span{std::string(line), 0, false});
    };
    size_t start = 0;
    size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            add(text.substr(start, i - start));
            i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
            start = i;
        } else {
            ++i;
        }
    }
    add(text.substr(start)); // empty when the text ends with a line break
    return document;
}

} // namespace

Document ReadRtf(std::string_view bytes)
{
    if (bytes.substr(0, 5) != "{\\rtf")
        return ReadPlainText(bytes);
    return RtfReader(bytes).Read();
}

} // namespace synopter::rtf
