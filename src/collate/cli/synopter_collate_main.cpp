// synopter-collate: a critical apparatus of any number of editions against a
// base edition, from the command line. Editions are found as synopter-compare
// finds them; the output goes to stdout or a file.

#include "collate/apparatus_document.h"
#include "collate/edition_set.h"
#include "common/block_output.h"
#include "common/command_line.h"
#include "common/error.h"
#include "common/file_io.h"
#include "common/program_folders.h"
#include "compare/cli/tool_options.h"
#include "compare/spelling_rules.h"
#include "editions/book_names.h"
#include "editions/nt_layout.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <sys/stat.h>

namespace {

using namespace synopter;
using namespace synopter::collate;

const std::string kUsage =
    "Usage: synopter-collate [--base NAME] [--exact] [--spelling count|mark|ignore]\n"
    "                        [--spelling-rules LIST] [--spelling-file PATH]\n"
    "                        [--format text|json|csv|html|tei|distances|agreement]\n"
    "                        [--books LIST] [-o FILE] EDITION...\n"
    "\n"
    "Collates editions against a base edition verse by verse and writes the critical\n"
    "apparatus: for every verse where an edition differs, each variation unit with the\n"
    "base reading, the editions that agree with it, and every other reading with its\n"
    "editions.\n"
    "\n"
    "EDITIONs are edition names from the program directory, or paths to .dat files\n"
    "(an argument containing '/' or ending in \".dat\" is a path; the .bk beside it\n"
    "gives the siglum; NAME.dat or NAME.bk that is no file here is the edition NAME).\n"
    "At least two are needed, and they must share one line layout.\n"
    "\n"
    "  --base NAME      the base edition, one of those given (default: the first)\n"
    "  --exact          a word that moved is an omission and an addition rather than\n"
    "                   a transposition\n"
    "  --spelling count spelling variants (outw/outwv, dabid/dauid, ...) are readings\n"
    "                   like any other (default)\n"
    "  --spelling mark  they are readings of their own kind, marked (orth.)\n"
    "  --spelling ignore\n"
    "                   they read as the base\n" +
    cli::SpellingRulesHelp() +
    "  --spelling-file PATH\n"
    "                   groups of equivalent spellings added to the built-in ones\n"
    "                   (default: spelling.txt in the user's folder, when there is one)\n"
    "  --format text    per verse one line in Greek, as a printed edition sets it:\n"
    "                   \"3:16 base A B ] reading C; \xE2\x80\x93 D \xE2\x80\xA2 ...\" (default)\n"
    "  --format json    one JSON object per verse, one per line (transliteration)\n"
    "  --format csv     one row per reading of each unit: verse,base,reading,sigla,kind\n"
    "                   (\"John 1:1\", Greek, RFC 4180 quoting, UTF-8)\n"
    "  --format html    one self-contained page: the facts, the sigla, contents, and\n"
    "                   every verse in Greek with its units marked and listed\n"
    "  --format tei     TEI P5, parallel segmentation, in Greek: every verse, so that\n"
    "                   synopter-import --witness reads each edition back from it\n"
    "  --format distances\n"
    "                   a tab-separated table: the units in which each pair of\n"
    "                   editions differs\n"
    "  --format agreement\n"
    "                   a tab-separated table: how often each pair agrees, over the\n"
    "                   units where both are extant (\"87.3% of 1204\")\n"
    "  --books LIST     only these books, comma-separated (\"John,1 Corinthians\",\n"
    "                   \"Jn,1Cor\")\n"
    "  -o FILE          write to FILE rather than standard output; the file is\n"
    "                   replaced whole, and never when it is one of the editions\n"
    "  --help           this text\n"
    "  --version        the program's version\n"
    "\n"
    "JSON: {\"line\" (counted from 0), \"chapter\", \"verse\", \"units\": [{\"base\", \"agree\",\n"
    "\"readings\": [{\"text\", \"editions\", \"kind\"}]}]}; kind is substitution, omission,\n"
    "addition, transposition, absent, spelling or lacuna.\n"
    "\n"
    "Sigla: the text and HTML name each edition by its descriptor's Siglum= or one\n"
    "made from its name (\"WestcottHort1881\" WH, \"Byzantine2018\" Byz; names where\n"
    "two would be alike); the HTML key, JSON and TEI keep the names.\n"
    "\n"
    "Relocated verses: an edition that lacks a verse the base has, and has it at\n"
    "another place of the book, reads \"WH Elz: transp. to 16:25-27\" in text and\n"
    "HTML, kind \"relocated\" with \"at\": \"16:25-27\" in JSON; TEI keeps it absent.\n"
    "\n"
    "Manuscripts: the text a witness lost (its descriptor's [Lacunae]) is no reading.\n"
    "In the units that fall in it the witness is lacunose: \"P66 lac.\" in the text,\n"
    "kind \"lacuna\" in JSON, <rdg type=\"lacuna\"><lacunaStart/><lacunaEnd/></rdg> in\n"
    "TEI; a unit where only lost text differs is none. Where the base edition is not\n"
    "whole, the verse is read against the first witness that is (JSON \"stand_in\"),\n"
    "and the base is lacunose where it lost its text. Agreement counts only the\n"
    "units where both witnesses are extant.\n"
    "\n"
    "Exit status: 0 done, 1 the output could not be written, 2 bad input.\n";

using Format = ApparatusFormat;

struct Arguments {
    std::string base;
    bool exact = false;
    SpellingMode spelling = SpellingMode::Count;
    SpellingGroups spellingGroups = SpellingGroups::Default();
    std::string spellingFile;
    Format format = Format::Text;
    std::vector<int> books; // none: all
    std::string output;
    bool help = false;
    std::vector<std::string> editions;
};

std::vector<int> ParseBooks(std::string_view list)
{
    std::vector<int> books;
    size_t start = 0;
    while (start <= list.size()) {
        const size_t comma = list.find(',', start);
        const size_t end = comma == std::string_view::npos ? list.size() : comma;
        std::string_view name = list.substr(start, end - start);
        while (!name.empty() && name.front() == ' ')
            name.remove_prefix(1);
        while (!name.empty() && name.back() == ' ')
            name.remove_suffix(1);
        const std::optional<int> book = BookFromName(name);
        if (!book)
            throw UsageError{"unknown book \"" + std::string(name) + "\" in --books"};
        books.push_back(*book);
        start = end + 1;
    }
    return books;
}

Arguments ParseArguments(int argc, char** argv)
{
    Arguments arguments;
    CommandLine args(argc, argv);
    while (args.Next()) {
        if (args.IsOperand()) {
            arguments.editions.emplace_back(args.Argument());
            continue;
        }
        const std::string_view name = args.Option();
        if (name == "--help" || name == "-h") {
            args.NoValue();
            arguments.help = true;
        } else if (name == "--exact") {
            args.NoValue();
            arguments.exact = true;
        } else if (name == "--base") {
            arguments.base = std::string(args.Value());
        } else if (name == "--format") {
            const std::string_view text = args.Value();
            if (text == "text")
                arguments.format = Format::Text;
            else if (text == "json")
                arguments.format = Format::Json;
            else if (text == "csv")
                arguments.format = Format::Csv;
            else if (text == "html")
                arguments.format = Format::Html;
            else if (text == "tei")
                arguments.format = Format::Tei;
            else if (text == "distances")
                arguments.format = Format::Distances;
            else if (text == "agreement")
                arguments.format = Format::Agreement;
            else
                throw UsageError{"unknown format \"" + std::string(text) +
                                 "\" (use text, json, csv, html, tei, distances or agreement)"};
        } else if (name == "--spelling") {
            arguments.spelling = cli::ParseSpellingMode(args.Value());
        } else if (name == "--spelling-rules") {
            arguments.spellingGroups = cli::ParseSpellingRules(args.Value());
        } else if (name == "--spelling-file") {
            arguments.spellingFile = std::string(args.Value());
            if (arguments.spellingFile.empty())
                throw UsageError{"--spelling-file needs a path"};
        } else if (name == "--books") {
            arguments.books = ParseBooks(args.Value());
        } else if (name == "-o" || name == "--output") {
            arguments.output = std::string(args.Value());
            if (arguments.output.empty())
                throw UsageError{"-o needs a file"};
        } else {
            throw UsageError{"unknown option " + std::string(args.Argument()) + " (see --help)"};
        }
    }
    if (!arguments.help && arguments.editions.size() < 2)
        throw UsageError{"at least two editions are needed to collate, got " +
                         std::to_string(arguments.editions.size()) + " (see --help)"};
    return arguments;
}

// The input that `output` would overwrite, found by device and inode so that
// another path or a link to it counts too; nullopt when there is none.
std::optional<std::string> InputAt(const std::string& output, const std::vector<std::string>& inputs)
{
    struct stat target{};
    if (::stat(output.c_str(), &target) != 0)
        return std::nullopt;
    for (const std::string& input : inputs) {
        struct stat file{};
        if (::stat(input.c_str(), &file) == 0 && file.st_dev == target.st_dev && file.st_ino == target.st_ino)
            return input;
    }
    return std::nullopt;
}

// The base edition's index: --base matches an edition as given or by its name.
int BaseIndex(const Arguments& arguments, const EditionSet& set)
{
    if (arguments.base.empty())
        return 0;
    for (size_t e = 0; e < arguments.editions.size(); ++e)
        if (arguments.editions[e] == arguments.base ||
            (e < set.witnesses.size() && set.witnesses[e].name == arguments.base))
            return static_cast<int>(e);
    throw UsageError{"base edition \"" + arguments.base + "\" is not among the editions given"};
}

// The lines of the books chosen: each book from its first heading to the next book's.
std::vector<bool> BookLines(const std::vector<int>& books)
{
    std::vector<bool> lines(layout::kLineCount, false);
    for (const int book : books) {
        const int first = layout::HeadingLine(book, 1);
        const int end = book + 1 < layout::kBookCount ? layout::HeadingLine(book + 1, 1) : layout::kLineCount;
        for (int line = first; line >= 0 && line < end; ++line)
            lines[size_t(line)] = true;
    }
    return lines;
}

int Main(int argc, char** argv)
{
    Arguments arguments;
    EditionSet set;
    SpellingList spelling;
    int base = 0;
    try {
        if (auto answered = AnswerHelpOrVersion("synopter-collate", kUsage, argc, argv))
            return *answered;
        arguments = ParseArguments(argc, argv);
        if (arguments.help)
            return WriteToStdout(kUsage) ? 0 : kOutputFailed;
        set = LoadEditionSet(ThisProgramFolders().EditionFolders(), arguments.editions);
        if (!set.problem.empty())
            throw UsageError{set.problem};
        base = BaseIndex(arguments, set);
        if (!arguments.output.empty())
            if (const auto input = InputAt(arguments.output, set.files))
                throw UsageError{"-o \"" + arguments.output + "\" would overwrite the input \"" + *input + "\""};
        if (arguments.spelling != SpellingMode::Count || !arguments.spellingFile.empty())
            spelling = cli::LoadSpellingList("synopter-collate", arguments.spellingFile, arguments.spellingGroups);
    } catch (const UsageError& e) {
        std::fprintf(stderr, "synopter-collate: %s\n", e.what());
        return kBadInput;
    }

    ApparatusFacts facts;
    facts.witnesses = set.witnesses;
    facts.options.base = base;
    facts.options.exactPositions = arguments.exact;
    facts.options.spelling = arguments.spelling;
    facts.options.spellingRules = &spelling.rules;
    facts.date = cli::Today();

    const std::vector<bool> chosen = arguments.books.empty() ? std::vector<bool>() : BookLines(arguments.books);
    std::function<bool(int)> include;
    if (!chosen.empty())
        include = [&chosen](int line) { return line >= 0 && size_t(line) < chosen.size() && chosen[size_t(line)]; };
    // A file is written whole or not at all, never left cut short over what was there.
    BlockOutput out(arguments.output.empty() ? stdout : nullptr);
    bool written = WriteApparatus(set.TextPointers(), facts, arguments.format, out, include, {}, set.LacunaPointers());
    if (arguments.output.empty()) {
        written = written && out.Flush() && std::fflush(stdout) == 0;
    } else if (written) {
        try {
            WriteFileAtomically(arguments.output, out.Text());
        } catch (const WriteError& e) {
            std::fprintf(stderr, "synopter-collate: cannot write \"%s\": %s\n", arguments.output.c_str(),
                         e.reason().c_str());
            return kOutputFailed;
        }
    }
    if (!written)
        return OutputFailed("synopter-collate");
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    return RunTool("synopter-collate", Main, argc, argv);
}
