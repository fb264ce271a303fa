#include "import/greek_text.h"

#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>
#include <unicode/uscript.h>
#include <unicode/utf8.h>

#include <vector>

namespace synopter {
namespace {

constexpr std::string_view kGreek = "abgdezhyiklmnxoprsvtufcqw"; // α (U+03B1) .. ω (U+03C9)
constexpr char32_t kAlpha = 0x03B1;
constexpr char32_t kFinalSigma = 0x03C2;
constexpr char32_t kSigma = 0x03C3;
constexpr char32_t kLunateSigma = 0x03F2;

// What one code point becomes.
struct Action {
    enum Type : unsigned char { Drop, Keep, Sigma, Separator } type = Drop;
    char letter = 0;            // Keep: the byte it becomes
    unsigned char marks = 0;    // combining marks its decomposition drops
    DroppedKind kind = DroppedKind::Other; // Drop: what the base character was
};

DroppedKind KindOf(char32_t c)
{
    // Elision marks that Unicode files under letters or symbols.
    if (c == 0x02BC || c == 0x1FBD || c == 0x1FBF)
        return DroppedKind::Punctuation;
    switch (u_charType(UChar32(c))) {
    case U_NON_SPACING_MARK:
    case U_ENCLOSING_MARK:
    case U_COMBINING_SPACING_MARK:
        return DroppedKind::Mark;
    case U_DASH_PUNCTUATION:
    case U_START_PUNCTUATION:
    case U_END_PUNCTUATION:
    case U_CONNECTOR_PUNCTUATION:
    case U_OTHER_PUNCTUATION:
    case U_INITIAL_PUNCTUATION:
    case U_FINAL_PUNCTUATION:
        return DroppedKind::Punctuation;
    case U_DECIMAL_DIGIT_NUMBER:
    case U_LETTER_NUMBER:
    case U_OTHER_NUMBER:
        return DroppedKind::Digit;
    case U_UPPERCASE_LETTER:
    case U_LOWERCASE_LETTER:
    case U_TITLECASE_LETTER:
    case U_MODIFIER_LETTER:
    case U_OTHER_LETTER:
        return DroppedKind::Letter;
    case U_MATH_SYMBOL:
    case U_CURRENCY_SYMBOL:
    case U_MODIFIER_SYMBOL:
    case U_OTHER_SYMBOL:
        return DroppedKind::Symbol;
    default:
        return DroppedKind::Other;
    }
}

bool IsSeparator(char32_t c)
{
    return u_isUWhiteSpace(UChar32(c)) || u_charType(UChar32(c)) == U_DASH_PUNCTUATION;
}

// The base letter of a character without its marks, lower case, as an action.
Action BaseAction(char32_t base)
{
    Action a;
    const char32_t lower = char32_t(u_tolower(UChar32(base)));
    if (lower == kSigma || lower == kLunateSigma) {
        a.type = Action::Sigma;
        a.letter = 's';
    } else if (lower == kFinalSigma) {
        a.type = Action::Keep;
        a.letter = 'v';
    } else if (lower >= kAlpha && lower < kAlpha + kGreek.size()) {
        a.type = Action::Keep;
        a.letter = kGreek[lower - kAlpha];
    } else if (lower >= 'a' && lower <= 'z') {
        a.type = Action::Keep;
        a.letter = char(lower);
    } else {
        a.kind = KindOf(base);
    }
    return a;
}

Action Classify(char32_t c, const icu::Normalizer2& nfd)
{
    if (IsSeparator(c)) {
        Action a;
        a.type = Action::Separator;
        return a;
    }
    icu::UnicodeString decomposed;
    if (!nfd.getDecomposition(UChar32(c), decomposed))
        decomposed = icu::UnicodeString(UChar32(c));
    Action result;
    bool haveBase = false;
    for (int32_t i = 0; i < decomposed.length(); i = decomposed.moveIndex32(i, 1)) {
        const char32_t part = char32_t(decomposed.char32At(i));
        if (KindOf(part) == DroppedKind::Mark) {
            ++result.marks;
        } else if (!haveBase) {
            const unsigned char marks = result.marks;
            result = BaseAction(part);
            result.marks = marks;
            haveBase = true;
        }
    }
    if (!haveBase) // a lone combining mark
        result.kind = DroppedKind::Mark;
    return result;
}

// Actions for the Basic Multilingual Plane, worked out once: decomposing every
// character of a whole New Testament through ICU would cost more than the rest.
class ActionTable {
public:
    ActionTable()
    {
        UErrorCode status = U_ZERO_ERROR;
        nfd_ = icu::Normalizer2::getNFDInstance(status);
        table_.resize(0x10000);
        for (char32_t c = 0; c < 0x10000; ++c)
            table_[c] = U_SUCCESS(status) && !(c >= 0xD800 && c <= 0xDFFF) ? Classify(c, *nfd_) : Action{};
    }
    Action For(char32_t c) const
    {
        if (c < table_.size())
            return table_[c];
        Action a;
        a.kind = KindOf(c);
        return a;
    }

private:
    const icu::Normalizer2* nfd_ = nullptr;
    std::vector<Action> table_;
};

const ActionTable& Actions()
{
    static const ActionTable table;
    return table;
}

} // namespace

std::string_view DroppedKindName(DroppedKind kind)
{
    switch (kind) {
    case DroppedKind::Mark: return "accents and other marks";
    case DroppedKind::Punctuation: return "punctuation and editorial signs";
    case DroppedKind::Digit: return "digits";
    case DroppedKind::Letter: return "letters outside the Greek alphabet";
    case DroppedKind::Symbol: return "symbols";
    case DroppedKind::Other: return "other characters";
    }
    return "other characters";
}

DroppedCounts& DroppedCounts::operator+=(const DroppedCounts& other)
{
    for (size_t i = 0; i < count.size(); ++i)
        count[i] += other.count[i];
    return *this;
}

long long DroppedCounts::Total() const
{
    long long total = 0;
    for (long long n : count)
        total += n;
    return total;
}

bool HasGreekLetter(std::string_view utf8)
{
    const auto* bytes = reinterpret_cast<const uint8_t*>(utf8.data());
    const int32_t length = int32_t(utf8.size());
    for (int32_t i = 0; i < length;) {
        UChar32 c;
        U8_NEXT(bytes, i, length, c);
        if (c >= 0 && u_isalpha(c) && u_getIntPropertyValue(c, UCHAR_SCRIPT) == USCRIPT_GREEK)
            return true;
    }
    return false;
}

std::string TransliterateGreek(std::string_view utf8, DroppedCounts* dropped)
{
    const ActionTable& actions = Actions();
    DroppedCounts local;
    std::string out;
    out.reserve(utf8.size() / 2);
    bool inWord = false;
    bool endsInSigma = false; // the word so far ends in a Greek sigma

    const auto endWord = [&] {
        if (inWord && endsInSigma)
            out.back() = 'v';
        inWord = endsInSigma = false;
    };

    const auto* bytes = reinterpret_cast<const uint8_t*>(utf8.data());
    const int32_t length = int32_t(utf8.size());
    for (int32_t i = 0; i < length;) {
        UChar32 c;
        U8_NEXT(bytes, i, length, c);
        if (c < 0) {
            ++local[DroppedKind::Other];
            continue;
        }
        const Action a = actions.For(char32_t(c));
        local[DroppedKind::Mark] += a.marks;
        switch (a.type) {
        case Action::Separator:
            endWord();
            break;
        case Action::Drop:
            if (a.kind != DroppedKind::Mark || a.marks == 0)
                ++local[a.kind];
            break;
        case Action::Keep:
        case Action::Sigma:
            if (!inWord && !out.empty())
                out += ' ';
            out += a.letter;
            inWord = true;
            endsInSigma = a.type == Action::Sigma;
            break;
        }
    }
    endWord();
    if (dropped)
        *dropped += local;
    return out;
}

} // namespace synopter
