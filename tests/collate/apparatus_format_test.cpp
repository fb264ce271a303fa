// The apparatus's outputs: the printed unit, JSON Lines held to its schema,
// and TEI parsed back (expat) into every edition's verses.

#include "collate/apparatus_format.h"
#include "collate/edition_set.h"
#include "common/greek_letters.h"
#include "common/temp_folder.h"
#include "compare/html_tags.h"
#include "editions/book_names.h"
#include "editions/edition_check.h"
#include "editions/nt_layout.h"

#include <expat.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <sstream>

namespace synopter::collate {
namespace {

using RK = ReadingKind;

ApparatusFacts FourWitnesses()
{
    ApparatusFacts facts;
    facts.witnesses = {{"Alpha", "A", ""}, {"Beta", "B", ""}, {"Gamma", "C", ""}, {"Delta & <Co>", "", "x"}};
    return facts;
}

TEST(ApparatusFormatTest, UnitInThePrintedStyle)
{
    const ApparatusFacts facts = FourWitnesses(); // the fourth has no siglum: one from its name's capitals
    const std::string d = "DC";
    const struct {
        Unit unit;
        std::string text;
    } cases[] = {
        {{0, 2, "on eipon", {0, 1}, {{"o eipwn", {2}, RK::Substitution}, {"", {3}, RK::Omission}}},
         "ον ειπον A B ] ο ειπων C; – " + d},
        {{1, 1, "", {0, 1, 2}, {{"kai", {3}, RK::Addition}}}, "A B C ] + και " + d},
        {{0, 2, "ihsouv cristov", {0}, {{"cristov ihsouv", {1, 2, 3}, RK::Transposition}}},
         "ιησους χριστος A ] χριστος ιησους B C " + d},
        {{0, 3, "a b g", {0, 1, 2}, {{"", {3}, RK::Absent}}}, "A B C ] verse absent " + d},
        {{4, 5, "outw", {0, 3}, {{"outwv", {1}, RK::Spelling}, {"ouvtwv", {2}, RK::Substitution}}},
         "ουτω A " + d + " ] ουτως (orth.) B; ουςτως C"},
        {{1, 2, "o", {0}, {{"", {1}, RK::Omission}, {"", {2, 3}, RK::Lacuna}}}, "ο A ] – B; C " + d + " lac."},
        {{0, 3, "a b g", {0}, {{"", {1}, RK::Absent}, {"", {2}, RK::Lacuna}}}, "A ] verse absent B; C lac."},
        {{0, 3, "a b g", {0}, {{"", {1, 2, 3}, RK::Absent, {{2, "16:25-27"}, {3, "16:25-27"}}}}},
         "A ] verse absent B; C " + d + ": transp. to 16:25-27"},
    };
    for (const auto& c : cases) {
        std::string out = "x ";
        AppendUnitText(out, c.unit, facts);
        EXPECT_EQ(out, "x " + c.text);
    }
}

// The sigla as LoadEditionSet reads them: [English] Siglum= when there is one, else the name.
TEST(ApparatusFormatTest, SiglaFromTheDescriptors)
{
    test::TempFolder folder;
    const std::string text = "KATA IWANNHN 1\n 1:1 en arch hn o logov\n";
    folder.Write("Alpha.dat", text);
    folder.Write("Alpha.bk", "[English]\nInformation=The first\nSiglum=\xE1\n");
    folder.Write("Beta.dat", text);
    folder.Write("Beta.bk", "[English]\nInformation=The second\n");
    const EditionSet set = LoadEditionSet({folder.Path()}, {"Alpha", folder / "Beta.dat"});
    ASSERT_EQ(set.problem, "");
    ASSERT_EQ(set.witnesses.size(), 2u);
    EXPECT_EQ(set.witnesses[0].siglum, "\xE1");
    EXPECT_EQ(set.witnesses[0].information, "The first");
    EXPECT_EQ(set.witnesses[1].name, "Beta");
    EXPECT_EQ(set.witnesses[1].siglum, "Beta");
}

// ---- a small JSON reader, enough to hold the lines to the schema ----

struct Json {
    enum Type { Null, Bool, Number, String, Array, Object } type = Null;
    std::string text;
    std::vector<Json> items;
    std::vector<Json> members; // each with its key
    std::string key;
};

class JsonReader {
public:
    explicit JsonReader(std::string_view s) : s_(s) {}
    // The value, or nullopt when the text is not exactly one JSON value.
    std::optional<Json> Document()
    {
        Json v;
        if (!Value(v))
            return std::nullopt;
        Space();
        return at_ == s_.size() ? std::optional<Json>(v) : std::nullopt;
    }

private:
    void Space()
    {
        while (at_ < s_.size() && (s_[at_] == ' ' || s_[at_] == '\t'))
            ++at_;
    }
    bool Eat(char c)
    {
        Space();
        return at_ < s_.size() && s_[at_] == c ? (++at_, true) : false;
    }
    bool Str(std::string& out)
    {
        if (!Eat('"'))
            return false;
        while (at_ < s_.size() && s_[at_] != '"') {
            const auto c = static_cast<unsigned char>(s_[at_++]);
            if (c < 0x20)
                return false;
            if (c != '\\') {
                out += static_cast<char>(c);
                continue;
            }
            if (at_ >= s_.size())
                return false;
            const char e = s_[at_++];
            if (e == 'u') {
                if (at_ + 4 > s_.size())
                    return false;
                out += static_cast<char>(std::stoi(std::string(s_.substr(at_, 4)), nullptr, 16));
                at_ += 4;
            } else if (std::string_view("\"\\/bfnrt").find(e) != std::string_view::npos) {
                out += e;
            } else {
                return false;
            }
        }
        return at_ < s_.size() && s_[at_++] == '"' && IsValidUtf8(out);
    }
    bool Value(Json& v)
    {
        Space();
        if (at_ >= s_.size())
            return false;
        const char c = s_[at_];
        if (c == '"')
            return v.type = Json::String, Str(v.text);
        if (c == '[') {
            v.type = Json::Array;
            ++at_;
            if (Eat(']'))
                return true;
            do
                if (!Value(v.items.emplace_back()))
                    return false;
            while (Eat(','));
            return Eat(']');
        }
        if (c == '{') {
            v.type = Json::Object;
            ++at_;
            if (Eat('}'))
                return true;
            do {
                std::string key;
                Json& member = v.members.emplace_back();
                if (!Str(key) || !Eat(':') || !Value(member))
                    return false;
                member.key = std::move(key);
            } while (Eat(','));
            return Eat('}');
        }
        const size_t start = at_;
        while (at_ < s_.size() && std::string_view("-0123456789.eE+").find(s_[at_]) != std::string_view::npos)
            ++at_;
        v.type = Json::Number;
        v.text = s_.substr(start, at_ - start);
        return at_ > start;
    }

    std::string_view s_;
    size_t at_ = 0;
};

// The object's members with exactly these keys in this order and types; "" when it fits.
std::string Misfit(const Json& v, const std::vector<std::pair<std::string, Json::Type>>& keys)
{
    if (v.type != Json::Object || v.members.size() != keys.size())
        return "not an object of " + std::to_string(keys.size()) + " members";
    for (size_t i = 0; i < keys.size(); ++i)
        if (v.members[i].key != keys[i].first || v.members[i].type != keys[i].second)
            return "member " + std::to_string(i) + " is not \"" + keys[i].first + "\" of its type";
    return "";
}

// Each line one object of the schema, names among the witnesses, kinds from the list; the lines counted.
size_t CheckJsonLines(const std::string& lines, const ApparatusFacts& facts)
{
    static const std::set<std::string> kinds{"substitution", "omission", "addition",
                                             "transposition", "absent", "spelling", "lacuna", "relocated"};
    std::set<std::string> names;
    for (const Witness& w : facts.witnesses)
        names.insert(ToUtf8(w.name));
    const auto checkNames = [&](const Json& list) {
        for (const Json& name : list.items)
            EXPECT_TRUE(name.type == Json::String && names.contains(name.text)) << name.text;
    };
    std::istringstream in(lines);
    std::string line;
    size_t count = 0;
    while (std::getline(in, line)) {
        ++count;
        SCOPED_TRACE(line);
        const auto v = JsonReader(line).Document();
        if (!v) {
            ADD_FAILURE() << "not JSON";
            continue;
        }
        EXPECT_EQ(Misfit(*v, {{"line", Json::Number}, {"chapter", Json::String}, {"verse", Json::String},
                              {"units", Json::Array}}), "");
        if (v->members.size() != 4)
            continue;
        EXPECT_FALSE(v->members[3].items.empty());
        for (const Json& unit : v->members[3].items) {
            EXPECT_EQ(Misfit(unit, {{"base", Json::String}, {"agree", Json::Array}, {"readings", Json::Array}}), "");
            if (unit.members.size() != 3)
                continue;
            checkNames(unit.members[1]);
            for (const Json& reading : unit.members[2].items) {
                // A verse a witness has elsewhere says where.
                std::vector<std::pair<std::string, Json::Type>> keys{
                    {"text", Json::String}, {"editions", Json::Array}, {"kind", Json::String}};
                if (reading.members.size() > 2 && reading.members[2].text == "relocated")
                    keys.emplace_back("at", Json::String);
                EXPECT_EQ(Misfit(reading, keys), "");
                if (reading.members.size() >= 3) {
                    checkNames(reading.members[1]);
                    EXPECT_TRUE(kinds.contains(reading.members[2].text));
                }
            }
        }
    }
    return count;
}

// ---- TEI read back: each witness's text of every <ab>, through expat ----

class TeiReader {
public:
    // False when the document is not well-formed XML.
    bool Parse(const std::string& xml)
    {
        std::unique_ptr<XML_ParserStruct, decltype(&XML_ParserFree)> parser(XML_ParserCreate("UTF-8"), XML_ParserFree);
        XML_SetUserData(parser.get(), this);
        XML_SetElementHandler(parser.get(), &TeiReader::Start, &TeiReader::End);
        XML_SetCharacterDataHandler(parser.get(), &TeiReader::Text);
        if (XML_Parse(parser.get(), xml.data(), static_cast<int>(xml.size()), 1) == XML_STATUS_OK)
            return true;
        error = XML_ErrorString(XML_GetErrorCode(parser.get())) + std::string(" at line ") +
                std::to_string(XML_GetCurrentLineNumber(parser.get()));
        return false;
    }

    std::vector<std::string> ids;                      // the listWit's, in order
    std::vector<std::map<std::string, std::string>> abs; // per <ab>: witness id -> its words, single spaces
    std::string error;

private:
    struct Open {
        std::string name;
        std::set<std::string> wit; // a lem's or rdg's
        std::set<std::string> in;  // the witnesses whose text this element is
    };

    static std::set<std::string> Wit(const XML_Char** attributes)
    {
        std::set<std::string> wit;
        for (const XML_Char** a = attributes; *a; a += 2)
            if (std::string_view(a[0]) == "wit") {
                std::istringstream list(a[1]);
                for (std::string id; list >> id;)
                    wit.insert(id.substr(1));
            }
        return wit;
    }
    static void Start(void* self, const XML_Char* name, const XML_Char** attributes)
    {
        auto& r = *static_cast<TeiReader*>(self);
        const std::string_view n = name;
        Open open{std::string(n), Wit(attributes), r.open_.empty() ? std::set<std::string>() : r.open_.back().in};
        if (n == "witness")
            for (const XML_Char** a = attributes; *a; a += 2)
                if (std::string_view(a[0]) == "xml:id")
                    r.ids.push_back(a[1]);
        if (n == "ab") {
            open.in = std::set<std::string>(r.ids.begin(), r.ids.end());
            r.abs.emplace_back();
        }
        if (n == "lem" || n == "rdg") {
            std::set<std::string> both;
            for (const std::string& id : open.wit)
                if (open.in.contains(id))
                    both.insert(id);
            open.in = both;
        }
        r.open_.push_back(open);
    }
    static void End(void* self, const XML_Char*) { static_cast<TeiReader*>(self)->open_.pop_back(); }
    static void Text(void* self, const XML_Char* text, int length)
    {
        auto& r = *static_cast<TeiReader*>(self);
        if (r.open_.empty() || r.abs.empty() || r.open_.back().name == "app")
            return;
        for (const std::string& id : r.open_.back().in) {
            std::istringstream words(std::string(text, size_t(length)));
            for (std::string word; words >> word;) {
                std::string& verse = r.abs.back()[id];
                verse += (verse.empty() ? "" : " ") + word;
            }
        }
    }
    std::vector<Open> open_;
};

// A witness lacking a verse it has elsewhere in the book is no plain absence
// in the lines and JSON; TEI stays as it was.
TEST(ApparatusFormatTest, RelocatedVerseSaysWhere)
{
    const std::vector<std::string> base{"A 1", " 1:1 a b c", " 1:2 tw de dunamenw umav sthrixai", "A 2", " 2:1 x y",
                                        " 2:2"};
    const std::vector<std::string> moved{"A 1", " 1:1 a b c", " 1:2", "A 2", " 2:1 x y",
                                         " 2:2 tw de dunamenw umav sthrixai"};
    const std::vector<std::string> without{"A 1", " 1:1 a b c", " 1:2", "A 2", " 2:1 x y", " 2:2"};
    const std::vector<const std::vector<std::string>*> texts{&base, &moved, &without};
    ApparatusFacts facts;
    facts.witnesses = {{"Alpha", "A", ""}, {"Beta", "B", ""}, {"Gamma", "C", ""}};
    std::vector<VerseApparatus> verses;
    CollateTexts(texts, facts.options, [&](const VerseApparatus& verse) {
        verses.push_back(verse);
        return true;
    });
    ASSERT_EQ(verses.size(), 2u);
    std::string text, chapter, json;
    AppendVerseText(text, verses[0], facts, chapter);
    EXPECT_EQ(text, "Α 1\n1:2 A ] verse absent C; B: transp. to 2:2\n");
    AppendVerseJson(json, verses[0], facts);
    EXPECT_NE(json.find(R"({"text":"","editions":["Beta"],"kind":"relocated","at":"2:2"})"), std::string::npos) << json;
    EXPECT_EQ(CheckJsonLines(json, facts), 1u);
    const std::string tei = ApparatusTei(verses, facts);
    EXPECT_EQ(tei.find("relocated"), std::string::npos);
    EXPECT_NE(tei.find(R"(<rdg wit="#Beta #Gamma" type="absent"/>)"), std::string::npos) << tei;
}

VerseApparatus HandBuiltVerse()
{
    VerseApparatus verse{7, "KATA IWANNHN 3", "3:16", "outwv gar hgaphsen o yeov", 0, {}};
    verse.units = {{0, 5, "outwv gar hgaphsen o yeov", {0, 1, 2}, {{"", {3}, RK::Absent}}},
                   {0, 1, "outwv", {0, 2}, {{"outw", {1}, RK::Spelling}}},
                   {3, 3, "", {0, 1}, {{"kai\xB7", {2}, RK::Addition}}}, // a Latin-1 byte: UTF-8 out
                   {3, 4, "o", {0, 2}, {{"", {1}, RK::Omission}}}};
    return verse;
}

TEST(ApparatusFormatTest, HandBuiltVerseInEveryFormat)
{
    const ApparatusFacts facts = FourWitnesses();
    const std::vector<VerseApparatus> verses{HandBuiltVerse()};

    std::string text;
    std::string chapter;
    AppendVerseText(text, verses[0], facts, chapter);
    EXPECT_EQ(text, "ΚΑΤΑ ΙΩΑΝΝΗΝ 3\n3:16 A B C ] verse absent DC • ουτως A C ] ουτω (orth.) B • "
                    "A B ] + και· C • ο A C ] – B\n");

    std::string json;
    AppendVerseJson(json, verses[0], facts);
    EXPECT_EQ(CheckJsonLines(json, facts), 1u);

    const std::string page = ApparatusHtmlPage(verses, facts);
    EXPECT_EQ(test::UnbalancedTag(page), "");
    EXPECT_NE(page.find("<tr><th>DC</th><td>Delta &amp; &lt;Co&gt;"), std::string::npos); // the key names it

    TeiReader tei;
    ASSERT_TRUE(tei.Parse(ApparatusTei(verses, facts))) << tei.error;
    ASSERT_EQ(tei.abs.size(), 1u);
    EXPECT_EQ(tei.ids, (std::vector<std::string>{"Alpha", "Beta", "Gamma", "Delta____Co_"}));
    const std::map<std::string, std::string> expected{{"Alpha", "ουτως γαρ ηγαπησεν ο θεος"},
                                                      {"Beta", "ουτω γαρ ηγαπησεν θεος"},
                                                      {"Gamma", "ουτως γαρ ηγαπησεν και· ο θεος"}};
    EXPECT_EQ(tei.abs[0], expected);
}

// Where the units stand among the base words, as the page, TEI and the
// apparatus window mark them: in order, none inside the one before, none past
// the last word.
TEST(ApparatusFormatTest, MarkBaseWords)
{
    const auto describe = [](const std::vector<BasePiece>& pieces) {
        std::string out;
        for (const BasePiece& p : pieces) {
            out += out.empty() ? "" : " ";
            switch (p.kind) {
            case BasePiece::Word: out += std::string(p.word); break;
            case BasePiece::UnitStart: out += "[" + std::to_string(p.unit); break;
            case BasePiece::UnitEnd: out += std::to_string(p.unit) + "]"; break;
            case BasePiece::Addition: out += "+" + std::to_string(p.unit); break;
            case BasePiece::AbsentVerse: out += "-" + std::to_string(p.unit); break;
            }
        }
        return out;
    };
    const VerseApparatus verse = HandBuiltVerse();
    EXPECT_EQ(describe(MarkBaseWords(verse.baseText, verse.units)),
              "-1 [2 outwv 2] gar hgaphsen +3 [4 o 4] yeov");
    const struct {
        std::vector<Unit> units;
        std::string expected;
    } cases[] = {
        {{}, "a b c"},
        {{{0, 0, "", {0}, {}}, {3, 3, "", {0}, {}}}, "+1 a b c +2"},
        {{{0, 3, "a b c", {0}, {}}}, "[1 a b c 1]"},
        {{{1, 3, "b c", {0}, {}}, {2, 3, "c", {0}, {}}}, "a [1 b c 1] +2"}, // overlapping: the second after the first
        {{{5, 7, "", {0}, {}}}, "a b c +1"},                                // past the words
    };
    for (const auto& c : cases)
        EXPECT_EQ(describe(MarkBaseWords("a  b c ", c.units)), c.expected);
}

// The real editions, one book: every line of JSON fits, and every edition's
// verses come back whole from the TEI, spelling counted and marked.
TEST(ApparatusFormatTest, RealEditionsRebuiltFromTei)
{
    const std::string dir = SYNOPTER_EDITIONS_DIR;
    const std::vector<std::string> names{"Byzantine2018", "Scrivener1894", "Elzevir1624", "WestcottHort1881",
                                         "Antoniades1912"};
    if (!std::filesystem::exists(dir + "/Byzantine2018.dat"))
        GTEST_SKIP() << "no editions at " << dir;
    const EditionSet set = LoadEditionSet({dir + "/"}, names);
    ASSERT_EQ(set.problem, "");
    const int john = BookFromName("John").value();
    const int first = layout::HeadingLine(john, 1);
    const int end = layout::HeadingLine(john + 1, 1);

    for (const SpellingMode mode : {SpellingMode::Count, SpellingMode::Mark}) {
        SCOPED_TRACE(mode == SpellingMode::Count ? "count" : "mark");
        ApparatusFacts facts;
        facts.witnesses = set.witnesses;
        facts.options.spelling = mode;
        std::vector<VerseApparatus> verses;
        std::string json;
        CollateTexts(
            set.TextPointers(), facts.options,
            [&](const VerseApparatus& verse) {
                verses.push_back(verse);
                AppendVerseJson(json, verse, facts);
                return true;
            },
            [&](int line) { return line >= first && line < end; });
        ASSERT_GT(verses.size(), 300u);
        EXPECT_EQ(CheckJsonLines(json, facts), verses.size());

        TeiReader tei;
        ASSERT_TRUE(tei.Parse(ApparatusTei(verses, facts))) << tei.error;
        ASSERT_EQ(tei.abs.size(), verses.size());
        ASSERT_EQ(tei.ids, names);
        for (size_t v = 0; v < verses.size(); ++v) {
            for (size_t e = 0; e < names.size(); ++e) {
                const std::string& line = set.texts[e][size_t(verses[v].line)];
                const std::string expected = ToGreek(SplitVerseLine(line).words);
                const auto rebuilt = tei.abs[v].find(names[e]);
                ASSERT_EQ(rebuilt == tei.abs[v].end() ? "" : rebuilt->second, expected)
                    << names[e] << " " << verses[v].reference;
            }
        }
    }
}

} // namespace
} // namespace synopter::collate
