// synopter-compare: the comparison of the main window from the command line.
// Same editions, same engine, same defaults; results go to stdout.

#include "compare/cli/compare_report.h"
#include "common/command_line.h"
#include "common/error.h"
#include "common/program_folders.h"
#include "compare/cli/tool_options.h"
#include "compare/comparison_run.h"
#include "compare/html_report.h"
#include "compare/spelling_rules.h"
#include "editions/edition.h"
#include "editions/edition_argument.h"
#include "editions/edition_check.h"
#include "editions/lacunae.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace {

using namespace synopter;


// "1 to 1000 (20)": the threshold's range and default, as the window offers them.
const std::string kThresholdRange = std::to_string(kMinThreshold) + " to " + std::to_string(kMaxThreshold);

const std::string kUsage =
    "Usage: synopter-compare [--threshold N] [--exact] [--format text|json|html|summary]\n"
    "                        [--script latin|greek] [--spelling count|mark|ignore]\n"
    "                        [--spelling-rules LIST] [--spelling-file PATH] [--aligned]\n"
    "                        [--color[=auto|always|never]] LEFT RIGHT\n"
    "\n"
    "Compares two editions verse by verse, as the COMPARE button does, and writes\n"
    "every verse pair whose unmatched characters reach the threshold on either side.\n"
    "\n"
    "LEFT and RIGHT are edition names from the program directory, or paths to an\n"
    "edition's .dat or .bk file (an argument containing '/' or ending in \".dat\" or\n"
    "\".bk\" is a path; a bare NAME.dat that is no file here is the edition NAME).\n"
    "Editions that do not share one line layout (a verse or heading of one on another's\n"
    "line) are refused; one may be shorter or longer than the other.\n"
    "\n"
    "  --threshold N    smallest number of differing characters reported, " + kThresholdRange + " (" +
    std::to_string(kDefaultThreshold) + ")\n"
    "  --exact          a word that moved to another place counts as a difference\n"
    "  --aligned        reported pairs marked by aligning their words: only words left\n"
    "                   unpaired are marked, moved words shown apart (between angle\n"
    "                   brackets, magenta on a terminal, purple in HTML); the pairs\n"
    "                   reported and every count stay the same\n"
    "  --format text    chapter headings and labelled verse pairs, differences marked (default)\n"
    "  --format json    one JSON object per reported pair, one per line\n"
    "  --format html    one self-contained page: the editions, a table of contents, and\n"
    "                   the pairs side by side in Greek letters, differences in blue\n"
    "  --format summary one JSON document: the pairs reported per book and chapter\n"
    "  --script latin   verses and chapter headings in the editions' Latin letters (default)\n"
    "  --script greek   the same in Unicode Greek; references, digits and marks unchanged\n"
    "                   (HTML is always Greek)\n"
    "  --spelling count spelling variants (outw/outwv, dabid/dauid, ...) are differences\n"
    "                   like any other (default)\n"
    "  --spelling mark  they match and do not count towards the threshold; reported\n"
    "                   pairs show them between parentheses (green on a terminal)\n"
    "  --spelling ignore\n"
    "                   they match and do not count, shown as matched\n" +
    cli::SpellingRulesHelp() +
    "  --spelling-file PATH\n"
    "                   groups of equivalent spellings added to the built-in ones\n"
    "                   (default: spelling.txt in the user's folder, when there is one)\n"
    "  --color=WHEN     colour in the text format: auto (default: on a terminal, unless\n"
    "                   NO_COLOR is set and not empty), always (also bare --color) or\n"
    "                   never; differences are bracketed either way\n"
    "  --help           this text\n"
    "  --version        the program's version\n"
    "\n"
    "JSON fields: line (counted from 0), chapter (\"\" before the first heading),\n"
    "right, left, right_unmatched, left_unmatched, and right_diff and left_diff, the\n"
    "unmatched stretches as [start, length] in characters from 0; under --spelling\n"
    "mark also right_spelling and left_spelling, the spelling variants' stretches;\n"
    "under --aligned right_moved and left_moved, the moved words' stretches.\n"
    "Text is read as Latin-1 and written as UTF-8.\n"
    "\n"
    "Summary: {\"books\": [{\"title\", \"reported\", \"chapters\": [{\"heading\",\n"
    "\"reported\"}]}], \"reported\"}; pairs before the first heading count in the\n"
    "total only. Under --spelling mark, \"spelling_only\" follows: the pairs that\n"
    "differ only in spelling. Under --aligned, \"marking\": \"aligned\" follows.\n"
    "\n"
    "Manuscripts: verses an edition's .bk lists as lost ([Lacunae]) are never\n"
    "differences. A lacunose verse is not compared and not counted as found; a\n"
    "remnant compares only its extant words, the other side's words in its lost\n"
    "part not counted. JSON records of pairs with a remnant end with \"lacuna\": true;\n"
    "the summary adds \"lacunose\" (verses lost on either side) overall and per book\n"
    "and chapter where there are any; text and HTML show lost text as \"lac.\" and\n"
    "runs of lacunose verses as \"lac. 3:5-9\".\n"
    "\n"
    "Relocated verses: a verse one edition has at another place of the same book\n"
    "(its slot here empty, the other edition's slot there empty, the texts nearly\n"
    "the same) is reported as before, its empty side noted \" 14:24 -> 16:25-27\" in\n"
    "text and HTML; its JSON record ends with \"relocated\": \"16:25-27\".\n"
    "\n"
    "Exit status: 0 done, 1 the output could not be written, 2 bad input.\n";

using cli::Format;
using cli::Script;

enum class Colour { Auto, Always, Never };

struct Options {
    int threshold = kDefaultThreshold;
    Colour colour = Colour::Auto;
    bool exact = false;
    bool aligned = false;
    Format format = Format::Text;
    Script script = Script::Latin;
    std::optional<SpellingMode> spelling; // as given
    SpellingGroups spellingGroups = SpellingGroups::Default();
    std::string spellingFile;
    bool help = false;
    std::vector<std::string> editions;
};

std::optional<int> ParseThreshold(std::string_view text)
{
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end || value < kMinThreshold || value > kMaxThreshold)
        return std::nullopt;
    return value;
}

Options ParseArguments(int argc, char** argv)
{
    Options options;
    CommandLine args(argc, argv);
    while (args.Next()) {
        if (args.IsOperand()) {
            options.editions.emplace_back(args.Argument());
            continue;
        }
        const std::string_view name = args.Option();

        if (name == "--help" || name == "-h") {
            args.NoValue();
            options.help = true;
        } else if (name == "--exact") {
            args.NoValue();
            options.exact = true;
        } else if (name == "--aligned") {
            args.NoValue();
            options.aligned = true;
        } else if (name == "--threshold") {
            const std::string_view text = args.Value();
            const auto threshold = ParseThreshold(text);
            if (!threshold)
                throw UsageError{"threshold \"" + std::string(text) + "\" is not a whole number from " + kThresholdRange};
            options.threshold = *threshold;
        } else if (name == "--format") {
            const std::string_view text = args.Value();
            if (text == "json")
                options.format = Format::Json;
            else if (text == "text")
                options.format = Format::Text;
            else if (text == "html")
                options.format = Format::Html;
            else if (text == "summary")
                options.format = Format::Summary;
            else
                throw UsageError{"unknown format \"" + std::string(text) + "\" (use text, json, html or summary)"};
        } else if (name == "--script") {
            const std::string_view text = args.Value();
            if (text == "latin")
                options.script = Script::Latin;
            else if (text == "greek")
                options.script = Script::Greek;
            else
                throw UsageError{"unknown script \"" + std::string(text) + "\" (use latin or greek)"};
        } else if (name == "--color" || name == "--colour") {
            // GNU's form: a bare --color means always; a value only after '='.
            const std::string_view text = args.Argument().find('=') == std::string_view::npos ? "always" : args.Value();
            if (text == "auto")
                options.colour = Colour::Auto;
            else if (text == "always")
                options.colour = Colour::Always;
            else if (text == "never")
                options.colour = Colour::Never;
            else
                throw UsageError{"unknown colour choice \"" + std::string(text) + "\" (use auto, always or never)"};
        } else if (name == "--spelling") {
            options.spelling = cli::ParseSpellingMode(args.Value());
        } else if (name == "--spelling-rules") {
            options.spellingGroups = cli::ParseSpellingRules(args.Value());
        } else if (name == "--spelling-file") {
            options.spellingFile = std::string(args.Value());
            if (options.spellingFile.empty())
                throw UsageError{"--spelling-file needs a path"};
        } else {
            throw UsageError{"unknown option " + std::string(args.Argument()) + " (see --help)"};
        }
    }
    if (!options.help && options.editions.size() != 2)
        throw UsageError{"expected two editions, LEFT and RIGHT, but got " + std::to_string(options.editions.size()) +
                         " (see --help)"};
    return options;
}

// Colour on a terminal unless the user asked for none (https://no-color.org).
bool UseColour(Colour choice)
{
    if (choice != Colour::Auto)
        return choice == Colour::Always;
    const char* noColour = std::getenv("NO_COLOR");
    return ::isatty(STDOUT_FILENO) == 1 && (noColour == nullptr || *noColour == '\0');
}

struct Edition {
    std::string label;
    FileBytes bytes;            // the text as read, which `lines` view
    std::vector<std::string_view> lines;
    std::string descriptorPath; // its .bk, which the HTML report quotes
    Lacunae lacunae;            // a manuscript's lost verses, from the .bk
};

Edition LoadEdition(const std::string& arg, const std::string& programDir,
                    const std::vector<std::string>& catalogue)
{
    Edition edition;
    std::string path;
    if (const std::optional<EditionFiles> files = EditionArgumentFiles(arg, catalogue)) {
        path = files->text;
        edition.label = files->name;
        edition.descriptorPath = files->descriptor;
    } else {
        const std::string name = CatalogueName(arg);
        if (std::find(catalogue.begin(), catalogue.end(), name) == catalogue.end())
            throw UsageError{UnknownEditionMessage(arg, ThisProgramFolders().EditionFolders(), catalogue)};
        path = EditionTextPath(programDir, name);
        edition.label = name;
        edition.descriptorPath = EditionDescriptorPath(programDir, name);
    }
    std::optional<EditionText> text;
    try {
        text = ReadEditionText(path);
    } catch (const Error& e) {
        throw UsageError{e.what()}; // an edition named on the command line that cannot be read
    }
    if (!text)
        throw UsageError{"cannot open \"" + path + "\": " + std::strerror(ENOENT)};
    edition.bytes = std::move(text->bytes);
    edition.lines = std::move(text->lines);
    edition.lacunae = ReadLacunae(edition.descriptorPath, edition.lines);
    return edition;
}

// The name and description the HTML report shows; a missing or unreadable
// descriptor leaves the description out.
html::ReportEdition DescribedEdition(const Edition& edition)
{
    html::ReportEdition described{ToUtf8(edition.label), {}};
    try {
        described.description = ToUtf8(ReadEditionDescriptor(edition.descriptorPath).information);
    } catch (const Error&) {
    }
    return described;
}

int Main(int argc, char** argv)
{
    Options options;
    Edition left;
    Edition right;
    SpellingList spelling;
    try {
        if (auto answered = AnswerHelpOrVersion("synopter-compare", kUsage, argc, argv))
            return *answered;
        options = ParseArguments(argc, argv);
        if (options.help)
            return WriteToStdout(kUsage) ? 0 : kOutputFailed;
        const std::vector<std::string> folders = ThisProgramFolders().EditionFolders();
        std::vector<std::string> catalogue;
        // The catalogue is only needed when an argument names an edition.
        if (options.editions[0].find('/') == std::string::npos || options.editions[1].find('/') == std::string::npos)
            catalogue = ListEditions(folders);
        const auto folderOf = [&](const std::string& arg) { return EditionFolder(folders, CatalogueName(arg)); };
        left = LoadEdition(options.editions[0], folderOf(options.editions[0]), catalogue);
        right = LoadEdition(options.editions[1], folderOf(options.editions[1]), catalogue);
        // Verses paired with other verses would be reported as thousands of differences.
        if (auto problem = LayoutProblem(left.label, left.lines, right.label, right.lines, LineCounts::MayDiffer))
            throw UsageError{*problem};
        if (options.spelling.value_or(SpellingMode::Count) != SpellingMode::Count || !options.spellingFile.empty())
            spelling = cli::LoadSpellingList("synopter-compare", options.spellingFile, options.spellingGroups);
    } catch (const UsageError& e) {
        std::fprintf(stderr, "synopter-compare: %s\n", e.what());
        return kBadInput;
    }

    const RunOptions runOptions{options.threshold, options.exact, options.spelling.value_or(SpellingMode::Count),
                                &spelling.rules, &right.lacunae, &left.lacunae,
                                options.aligned ? WordMarking::Aligned : WordMarking::Defined};
    cli::ReportChoice choice{options.format, options.script, false, left.label, right.label, {}};
    if (options.format == Format::Html)
        choice.facts = {DescribedEdition(left), DescribedEdition(right), options.threshold, options.exact, cli::Today(),
                        options.spelling};
    if (options.format == Format::Html && options.aligned)
        choice.facts.marking = WordMarking::Aligned; // said only when asked for: pages otherwise as they were
    if (options.format == Format::Text)
        choice.colour = UseColour(options.colour);
    const bool written = cli::WriteComparison(left.lines, right.lines, runOptions, choice, stdout);
    if (!written || std::fflush(stdout) != 0) {
        return OutputFailed("synopter-compare");
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    return RunTool("synopter-compare", Main, argc, argv);
}
