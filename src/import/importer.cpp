#include "import/importer.h"

#include "common/ascii.h"
#include "common/file_io.h"
#include "common/text_lines.h"
#include "import/sword_source.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <unistd.h>

namespace synopter {
namespace {

namespace fs = std::filesystem;

constexpr size_t kMaxNameLength = 200;
// SWORD reports its own progress; in the bytes of a whole import it weighs
// about what a New Testament in UTF-8 does.
constexpr double kSwordWeight = 4.0 * 1024 * 1024;

// One source of the request, resolved to what it is on disk.
struct Source {
    enum class Kind { File, Folder, SwordFolder, SwordModule };
    Kind kind = Kind::File;
    std::string path;               // as given: a path or a module name
    std::vector<std::string> files; // File: the file itself; Folder: its files
    std::vector<std::uintmax_t> sizes;
};

std::string JoinPath(const std::string& folder, const std::string& name)
{
    return folder.empty() || folder.back() == '/' ? folder + name : folder + "/" + name;
}

// The system's reason for an errno value; unlike strerror, safe on any thread.
std::string Reason(int error) { return std::generic_category().message(error); }

void AddFile(Source& source, const std::string& path)
{
    std::error_code ec;
    const std::uintmax_t size = fs::file_size(path, ec);
    source.files.push_back(path);
    source.sizes.push_back(ec ? 0 : size);
}

// Regular files of a folder, hidden ones left out, sorted by name.
void ListFolder(Source& source)
{
    for (const std::string& name : ListEntriesWithSuffix(source.path, "")) {
        if (name.starts_with('.'))
            continue;
        const std::string path = JoinPath(source.path, name);
        std::error_code ec;
        if (fs::is_regular_file(path, ec))
            AddFile(source, path);
    }
}

// Module names are plain words; a missing source that looks like a path is a
// missing file, not an unknown module.
bool LooksLikePath(const std::string& source)
{
    return source.find('/') != std::string::npos || source.find('.') != std::string::npos;
}

bool IsInstalledSwordModule(const std::string& name)
{
    const auto modules = ListSwordModules();
    return std::any_of(modules.begin(), modules.end(),
                       [&](const SwordModuleInfo& m) { return ascii::EqualsIgnoreCase(m.name, name); });
}

Source Resolve(const std::string& path, SourceFormat format)
{
    Source source;
    source.path = path;
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    const bool sword = format == SourceFormat::Sword;
    if (ec && ec != std::errc::no_such_file_or_directory)
        throw ImportError("Cannot open " + Quoted(path) + ": " + ec.message() + ".");
    if (!fs::exists(status)) {
        if (sword || (format == SourceFormat::Auto && !LooksLikePath(path))) {
            if (!sword && !IsInstalledSwordModule(path))
                throw ImportError("There is no file, folder or SWORD Bible module named " + Quoted(path) + ".");
            source.kind = Source::Kind::SwordModule;
            return source;
        }
        throw ImportError("Cannot open " + Quoted(path) + ": " + Reason(ENOENT) + ".");
    }
    if (fs::is_directory(status)) {
        if ((sword || format == SourceFormat::Auto) && IsSwordModuleFolder(path)) {
            source.kind = Source::Kind::SwordFolder;
            return source;
        }
        if (sword)
            throw ImportError(Quoted(path) + " is not a SWORD module folder: it holds no mods.d/*.conf.");
        if (::access(path.c_str(), R_OK | X_OK) != 0)
            throw ImportError("Cannot open the folder " + Quoted(path) + ": " + Reason(errno) + ".");
        source.kind = Source::Kind::Folder;
        ListFolder(source);
        return source;
    }
    if (sword)
        throw ImportError(Quoted(path) + " is a file, not a SWORD module folder or module name.");
    source.kind = Source::Kind::File;
    AddFile(source, path);
    return source;
}

void ReadFile(const std::string& data, const std::string& path, SourceFormat format, const std::string& witness,
              VerseSink& sink)
{
    if (!witness.empty() && format != SourceFormat::Tei)
        throw ImportError("Only a TEI collation has witnesses to choose from: " + Quoted(path) + " is " +
                          std::string(SourceFormatName(format)) + ".");
    switch (format) {
    case SourceFormat::Text: return ReadTextSource(data, path, sink);
    case SourceFormat::Csv: return ReadCsvSource(data, path, sink);
    case SourceFormat::Tei:
        return witness.empty() ? ReadTeiSource(data, path, sink) : ReadTeiWitness(data, path, sink, witness);
    case SourceFormat::Osis: return ReadOsisSource(data, path, sink);
    case SourceFormat::Transcription: return ReadTranscriptionSource(data, path, sink);
    case SourceFormat::Auto:
    case SourceFormat::Sword: break;
    }
}

// Reads every resolved source into the builder, reporting progress.
class Reading {
public:
    Reading(const ImportRequest& request, const ImportProgress& progress, EditionBuilder& builder)
        : format_(request.format), witness_(request.witness), progress_(progress), builder_(builder) {}

    void Plan(const std::vector<Source>& sources)
    {
        for (const Source& source : sources) {
            for (std::uintmax_t size : source.sizes)
                total_ += double(size);
            if (source.kind == Source::Kind::SwordFolder || source.kind == Source::Kind::SwordModule)
                total_ += kSwordWeight;
        }
    }

    // The module's name for a SWORD source, else empty.
    std::string Read(const Source& source)
    {
        Report(0);
        switch (source.kind) {
        case Source::Kind::SwordModule: return ReadSword(source.path, "");
        case Source::Kind::SwordFolder: return ReadSword("", source.path);
        case Source::Kind::File:
        case Source::Kind::Folder: break;
        }
        for (const std::string& path : source.files)
            ReadOneFile(path, source.kind == Source::Kind::File);
        return {};
    }

private:
    void Report(double extra)
    {
        if (!progress_)
            return;
        const double fraction = total_ > 0 ? std::min(1.0, (done_ + extra) / total_) : 1.0;
        if (!progress_(fraction))
            throw ImportError("Import cancelled");
    }

    std::string ReadSword(const std::string& name, const std::string& folder)
    {
        bool cancelled = false;
        const auto onProgress = [&](double fraction) {
            if (!progress_ || cancelled)
                return !cancelled;
            const double overall = total_ > 0 ? std::min(1.0, (done_ + fraction * kSwordWeight) / total_) : fraction;
            cancelled = !progress_(overall);
            return !cancelled;
        };
        std::string module = ReadSwordModule(name, folder, builder_, onProgress);
        if (cancelled)
            throw ImportError("Import cancelled");
        done_ += kSwordWeight;
        Report(0);
        return module;
    }

    void ReadOneFile(const std::string& path, bool named)
    {
        std::optional<std::string> data;
        try {
            data = ReadFileBytes(path, kMaxImportSourceBytes);
        } catch (const Error& e) {
            throw ImportError(e.what());
        }
        if (!data)
            throw ImportError("Cannot open " + Quoted(path) + ": " + Reason(ENOENT) + ".");
        const auto format = format_ == SourceFormat::Auto ? DetectFormat(*data, path) : format_;
        if ((!format || format == SourceFormat::Text || format == SourceFormat::Csv ||
             format == SourceFormat::Transcription) &&
            IsUtf16Text(*data))
            throw ImportError(Quoted(path) + " is UTF-16 text: save it as UTF-8.");
        if (format)
            ReadFile(*data, path, *format, witness_, builder_);
        else if (named)
            throw ImportError("Unknown format: " + Quoted(path) +
                              " is neither a text of verse lines, a transcription, a CSV file with "
                              "chapter, verse and text columns, TEI nor OSIS.");
        else
            builder_.SkippedFile();
        done_ += double(data->size());
        Report(0);
    }

    SourceFormat format_;
    const std::string& witness_;
    const ImportProgress& progress_;
    EditionBuilder& builder_;
    double total_ = 0;
    double done_ = 0;
};

// The last component of a path, "." and trailing separators resolved.
std::string LastComponent(const std::string& path)
{
    std::error_code ec;
    fs::path p = fs::absolute(path, ec);
    if (ec)
        p = path;
    p = p.lexically_normal();
    if (!p.has_filename())
        p = p.parent_path();
    return p.filename().string();
}

// What the user gave turned into an edition name: every byte that is not
// allowed becomes '_' (one for each character of other scripts).
std::string MakeValidName(std::string_view wanted)
{
    std::string name;
    for (size_t i = 0; i < wanted.size() && name.size() < kMaxNameLength; ++i) {
        const unsigned char c = static_cast<unsigned char>(wanted[i]);
        if ((c & 0xC0) == 0x80)
            continue; // UTF-8 continuation: its character is replaced once
        const bool allowed = c >= 0x20 && c < 0x7F && std::string_view("/\\:*?\"<>|").find(char(c)) == std::string_view::npos;
        name += allowed ? char(c) : '_';
    }
    if (!name.empty() && (name.front() == '.' || name.front() == ' '))
        name.front() = '_';
    for (size_t at; (at = ascii::ToUpper(name).find(".BK")) != std::string::npos;)
        name[at] = '_';
    if (ascii::EndsWithIgnoreCase(name, ".dat"))
        name[name.size() - 4] = '_';
    return name.empty() ? "Imported" : name;
}

// One line, trimmed: line breaks and tabs become blanks.
std::string OneLine(std::string_view text)
{
    std::string line(text);
    for (char& c : line)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = ' ';
    return std::string(ascii::Trim(line));
}

std::string DefaultName(const Source& first, const std::string& module)
{
    switch (first.kind) {
    case Source::Kind::SwordModule:
    case Source::Kind::SwordFolder: return MakeValidName(module.empty() ? LastComponent(first.path) : module);
    case Source::Kind::Folder: return MakeValidName(LastComponent(first.path));
    case Source::Kind::File: break;
    }
    return MakeValidName(fs::path(LastComponent(first.path)).stem().string());
}

std::string JoinSources(const std::vector<std::string>& sources)
{
    std::string joined;
    for (const std::string& source : sources)
        joined += (joined.empty() ? "" : ", ") + Quoted(source);
    return joined;
}


} // namespace

std::string_view WitnessNameSuffix(Hand hand)
{
    switch (hand) {
    case Hand::First: return "-first";
    case Hand::Scribe: return "";
    case Hand::Last: return "-corr";
    }
    return "";
}

std::string SuggestedSiglum(std::string_view name, Hand hand)
{
    const std::string_view suffix = WitnessNameSuffix(hand);
    if (!suffix.empty() && name.size() > suffix.size() && ascii::EndsWithIgnoreCase(name, suffix))
        name.remove_suffix(suffix.size());
    return std::string(name) + (hand == Hand::First ? "*" : hand == Hand::Last ? "c" : "");
}

bool IsValidEditionName(std::string_view name)
{
    if (name.empty() || name.size() > kMaxNameLength || name.front() == '.' || name.front() == ' ')
        return false;
    for (char c : name) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte >= 0x7F || std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos)
            return false;
    }
    // "x.dat" would make x.dat.dat beside x.dat.bk: a text that looks like another edition's.
    return ascii::ToUpper(name).find(".BK") == std::string::npos && !ascii::EndsWithIgnoreCase(name, ".dat");
}

ImportedEdition ImportEdition(const ImportRequest& request, const ImportProgress& progress)
{
    if (request.sources.empty())
        throw ImportError("No source given.");
    if (!request.name.empty() && !IsValidEditionName(request.name))
        throw ImportError("Bad name " + Quoted(request.name) +
                          ": an edition name is printable ASCII without / \\ : * ? \" < > |, "
                          "does not start with a dot or a blank, does not contain \".bk\" and does not end in \".dat\".");

    std::vector<Source> sources;
    for (const std::string& path : request.sources) {
        sources.push_back(Resolve(path, request.format));
        const Source::Kind kind = sources.back().kind;
        if (!request.witness.empty() && (kind == Source::Kind::SwordModule || kind == Source::Kind::SwordFolder))
            throw ImportError("Only a TEI collation has witnesses to choose from: " + Quoted(path) +
                              " is a SWORD module.");
    }

    EditionBuilder builder(request.hand);
    Reading reading(request, progress, builder);
    reading.Plan(sources);
    std::string firstModule;
    for (size_t i = 0; i < sources.size(); ++i) {
        std::string module = reading.Read(sources[i]);
        if (i == 0)
            firstModule = std::move(module);
    }
    if (!builder.AnyVerse())
        throw ImportError("No verse recognised in " + JoinSources(request.sources) + ".");
    if (!builder.AnyGreek())
        throw ImportError("No Greek letter in the verses of " + JoinSources(request.sources) +
                          ": only a Greek text makes an edition.");

    ImportedEdition edition;
    edition.name = request.name;
    if (edition.name.empty() && !request.witness.empty())
        edition.name = MakeValidName(request.witness);
    if (edition.name.empty()) {
        edition.name = DefaultName(sources.front(), firstModule);
        if (builder.Manuscript()) {
            const std::string_view suffix = WitnessNameSuffix(request.hand);
            edition.name = edition.name.substr(0, kMaxNameLength - suffix.size()) + std::string(suffix);
        }
    }
    edition.title = OneLine(request.title);
    if (edition.title.empty())
        edition.title = OneLine(builder.SourceTitle());
    if (edition.title.empty())
        edition.title = OneLine(LastComponent(sources.front().path));
    edition.text = builder.EditionText();
    edition.summary = builder.Summary();
    if (edition.summary.manuscript) {
        edition.siglum = SuggestedSiglum(edition.name, request.hand);
        const ManuscriptFacts facts{request.hand, edition.siglum,
                                    LacunaeSectionText(builder.TextLacunae(), SplitLines(edition.text))};
        edition.descriptor = EditionDescriptorText(edition.title, &facts);
    } else {
        edition.descriptor = EditionDescriptorText(edition.title);
    }
    CheckEditionSize(edition);
    return edition;
}

} // namespace synopter
