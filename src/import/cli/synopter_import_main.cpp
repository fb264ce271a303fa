// synopter-import: Greek sources into an edition (NAME.bk and NAME.dat) from the
// command line; the same import as the window's dialog.

#include "common/command_line.h"
#include "common/error.h"
#include "common/file_io.h"
#include "common/program_folders.h"
#include "import/importer.h"
#include "import/sword_source.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace synopter;


constexpr std::string_view kUsage =
    "Usage: synopter-import [--format FORMAT] [--hand HAND] [--witness SIGLUM] [--name NAME]\n"
    "                       [--title TEXT] [--output DIR] [--force] SOURCE...\n"
    "       synopter-import --list-sword\n"
    "\n"
    "Turns a Unicode Greek New Testament into an edition: NAME.bk and NAME.dat,\n"
    "transliterated and laid out verse by verse as every edition is.\n"
    "\n"
    "A SOURCE is a file, a folder of files (one per book, read in name order), a\n"
    "SWORD module folder or the name of an installed SWORD Bible module. All the\n"
    "sources together make one edition.\n"
    "\n"
    "  --format auto   tell each file's format by its content (default)\n"
    "  --format text   lines \"Book C:V text\", or \"C:V text\" under a line naming the book\n"
    "  --format csv    a header naming chapter, verse and text columns (and book, or the\n"
    "                  file name names the book)\n"
    "  --format tei    TEI transcriptions, <ab n=\"B04K1V1\"> verses\n"
    "  --format osis   OSIS, <verse osisID=\"John.1.1\">\n"
    "  --format sword  a SWORD Bible module\n"
    "  --format transcription\n"
    "                  a manuscript's transcription, lines \"BBCCCVVV text\" (40001001 is\n"
    "                  Matthew 1:1) with the transcribers' marks\n"
    "  --hand scribe   a manuscript's text as the scribe left it, own corrections made\n"
    "                  (default)\n"
    "  --hand first    as first written, before any correction (name NAME-first)\n"
    "  --hand last     with every later hand's corrections (name NAME-corr)\n"
    "  --witness SIGLUM\n"
    "                  the source is a TEI collation in parallel segmentation (as\n"
    "                  synopter-collate --format tei writes it): read the text of this\n"
    "                  witness, named by its xml:id, siglum or name in the <listWit>\n"
    "                  (name default: SIGLUM)\n"
    "  --name NAME     the edition's name (default: the first source's file, folder or\n"
    "                  module name)\n"
    "  --title TEXT    its title (default: the source's own, else its file name)\n"
    "  --output DIR    the folder to write into, which must exist (default: the\n"
    "                  program directory, or ~/.local/share/synopter when installed)\n"
    "  --force         replace an edition of the same name\n"
    "  --list-sword    list the installed SWORD Bible modules\n"
    "  --help          this text\n"
    "  --version       the program's version\n"
    "\n"
    "Exit status: 0 done, 1 the edition could not be written (or, written, its\n"
    "report could not be), 2 bad input (nothing written).\n";

struct Options {
    ImportRequest request;
    std::string output;
    bool force = false;
    bool listSword = false;
    bool help = false;
};

Options ParseArguments(int argc, char** argv)
{
    Options options;
    CommandLine args(argc, argv);
    while (args.Next()) {
        if (args.IsOperand()) {
            options.request.sources.emplace_back(args.Argument());
            continue;
        }
        const std::string_view name = args.Option();

        if (name == "--help" || name == "-h") {
            args.NoValue();
            options.help = true;
        } else if (name == "--force") {
            args.NoValue();
            options.force = true;
        } else if (name == "--list-sword") {
            args.NoValue();
            options.listSword = true;
        } else if (name == "--format") {
            const std::string_view text = args.Value();
            const auto format = ParseSourceFormat(text);
            if (!format)
                throw UsageError{"unknown format \"" + std::string(text) +
                                 "\" (use auto, text, csv, tei, osis, sword or transcription)"};
            options.request.format = *format;
        } else if (name == "--hand") {
            const std::string_view text = args.Value();
            if (!ParseHand(text, options.request.hand))
                throw UsageError{"unknown hand \"" + std::string(text) + "\" (use first, scribe or last)"};
        } else if (name == "--witness") {
            options.request.witness = args.Value();
            if (options.request.witness.empty())
                throw UsageError{"option --witness needs a siglum"};
        } else if (name == "--name") {
            options.request.name = args.Value();
            if (!IsValidEditionName(options.request.name))
                throw UsageError{"bad name \"" + options.request.name +
                                 "\": an edition name is printable ASCII without / \\ : * ? \" < > |, does not "
                                 "start with a dot or a blank, does not contain \".bk\" and does not end in \".dat\""};
        } else if (name == "--title") {
            options.request.title = args.Value();
        } else if (name == "--output") {
            options.output = args.Value();
            if (options.output.empty())
                throw UsageError{"option --output needs a folder"};
        } else {
            throw UsageError{"unknown option " + std::string(args.Argument()) + " (see --help)"};
        }
    }
    if (options.help)
        return options;
    if (options.listSword && !options.request.sources.empty())
        throw UsageError{"--list-sword takes no source (see --help)"};
    if (!options.listSword && options.request.sources.empty())
        throw UsageError{"expected at least one SOURCE (see --help)"};
    return options;
}

std::string SwordModuleList()
{
    const std::vector<SwordModuleInfo> modules = ListSwordModules();
    if (modules.empty())
        return "No SWORD Bible modules installed.\n";
    size_t nameWidth = 0;
    size_t languageWidth = 0;
    for (const SwordModuleInfo& module : modules) {
        nameWidth = std::max(nameWidth, module.name.size());
        languageWidth = std::max(languageWidth, module.language.size());
    }
    std::string text;
    for (const SwordModuleInfo& module : modules) {
        text += module.name + std::string(nameWidth - module.name.size() + 2, ' ');
        text += module.language + std::string(languageWidth - module.language.size() + 2, ' ');
        text += module.description + "\n";
    }
    return text;
}

std::string Report(const ImportedEdition& edition, const std::string& folder)
{
    std::string text = "Edition \"" + edition.name + "\": " + edition.title + "\n";
    if (!edition.siglum.empty())
        text += "Siglum: " + edition.siglum + "\n";
    for (const std::string& line : DescribeSummary(edition.summary))
        text += line + "\n";
    const std::string base = folder + (folder.ends_with('/') ? "" : "/") + edition.name;
    text += "Wrote " + base + ".dat\n";
    text += "Wrote " + base + ".bk\n";
    return text;
}

int Main(int argc, char** argv)
{
    Options options;
    ImportedEdition edition;
    std::string folder;
    try {
        if (auto answered = AnswerHelpOrVersion("synopter-import", kUsage, argc, argv))
            return *answered;
        options = ParseArguments(argc, argv);
        if (options.help)
            return WriteToStdout(kUsage) ? 0 : kOutputFailed;
        if (options.listSword)
            return WriteToStdout(SwordModuleList()) ? 0 : kOutputFailed;
        if (options.output.empty()) {
            const ProgramFolders folders = ThisProgramFolders();
            MakeUserFolders(folders);
            folder = folders.user;
        } else {
            folder = options.output;
        }
        edition = ImportEdition(options.request);
        WriteImportedEdition(folder, edition, options.force);
    } catch (const UsageError& e) {
        std::fprintf(stderr, "synopter-import: %s\n", e.what());
        return kBadInput;
    } catch (const ImportError& e) {
        std::fprintf(stderr, "synopter-import: %s\n", e.what());
        return kBadInput;
    } catch (const WriteError& e) {
        std::fprintf(stderr, "synopter-import: %s: %s\n", e.what(), e.reason().c_str());
        return kOutputFailed;
    }
    if (!WriteToStdout(Report(edition, folder))) {
        // The edition is in place; only the words about it are lost.
        std::fprintf(stderr, "synopter-import: the edition \"%s\" was written, but its report was lost: %s\n",
                     edition.name.c_str(), std::strerror(errno));
        return kOutputFailed;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    return RunTool("synopter-import", Main, argc, argv);
}
