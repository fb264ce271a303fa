#include "import/sword_source.h"

#include "common/ascii.h"
#include "editions/book_names.h"

#include <encfiltmgr.h>
#include <gbffootnotes.h>
#include <gbfheadings.h>
#include <gbfmorph.h>
#include <gbfplain.h>
#include <gbfstrongs.h>
#include <osisfootnotes.h>
#include <osisglosses.h>
#include <osisheadings.h>
#include <osislemma.h>
#include <osismorph.h>
#include <osismorphsegmentation.h>
#include <osisplain.h>
#include <osisscripref.h>
#include <osisstrongs.h>
#include <osisvariants.h>
#include <osisxlit.h>
#include <swlog.h>
#include <swmgr.h>
#include <swmodule.h>
#include <teiplain.h>
#include <thmlfootnotes.h>
#include <thmlheadings.h>
#include <thmllemma.h>
#include <thmlmorph.h>
#include <thmlplain.h>
#include <thmlscripref.h>
#include <thmlstrongs.h>
#include <thmlvariants.h>
#include <versekey.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>

namespace synopter {
namespace {

constexpr int kNewTestament = 2;
constexpr int kEntriesPerProgress = 256;

// SWORD writes its complaints (a missing library, an odd conf) to the terminal;
// the import reports through its errors instead.
void SilenceSword()
{
    sword::SWLog::getSystemLog()->setLogLevel(0);
}

// The encoding filter manager turns Latin-1, SCSU and UTF-16 modules into UTF-8
// as their entries are read. The manager owns and deletes it.
std::unique_ptr<sword::SWMgr> OpenLibrary()
{
    SilenceSword();
    return std::make_unique<sword::SWMgr>(new sword::EncodingFilterMgr(sword::ENC_UTF8));
}

// Only the folder's modules: not the user's ~/.sword mixed in.
std::unique_ptr<sword::SWMgr> OpenFolder(const std::string& folder)
{
    SilenceSword();
    return std::make_unique<sword::SWMgr>(folder.c_str(), true, new sword::EncodingFilterMgr(sword::ENC_UTF8),
                                          false, false);
}

std::string Text(const char* text)
{
    return text ? text : "";
}

bool IsBible(const sword::SWModule& module)
{
    return Text(module.getType()) == sword::SWMgr::MODTYPE_BIBLES;
}

std::vector<sword::SWModule*> Bibles(sword::SWMgr& manager)
{
    std::vector<sword::SWModule*> bibles;
    for (const auto& [name, module] : manager.getModules())
        if (module && IsBible(*module))
            bibles.push_back(module);
    return bibles;
}

// By its name, letter case aside when only that differs; with no name, the only one.
sword::SWModule* FindBible(sword::SWMgr& manager, const std::string& name)
{
    const std::vector<sword::SWModule*> bibles = Bibles(manager);
    if (name.empty())
        return bibles.size() == 1 ? bibles.front() : nullptr;
    for (sword::SWModule* module : bibles)
        if (Text(module->getName()) == name)
            return module;
    for (sword::SWModule* module : bibles)
        if (ascii::EqualsIgnoreCase(Text(module->getName()), name))
            return module;
    return nullptr;
}

std::string Join(const std::vector<std::string>& items)
{
    std::string joined;
    for (const std::string& item : items)
        joined += (joined.empty() ? "" : ", ") + item;
    return joined;
}

// The folders a library manager read, for the message when a module is missing.
std::string LibraryFolders(const sword::SWMgr& manager)
{
    std::vector<std::string> folders;
    if (manager.prefixPath)
        folders.push_back(manager.prefixPath);
    if (const char* home = std::getenv("HOME"); home && *home)
        folders.push_back(std::string(home) + "/.sword/");
    return folders.empty() ? "no library found" : Join(folders);
}

[[noreturn]] void ThrowNoBible(sword::SWMgr& manager, const std::string& name, const std::string& folder)
{
    const std::string where = folder.empty() ? "the SWORD library (" + LibraryFolders(manager) + ")"
                                             : "the module folder " + folder;
    std::vector<std::string> names;
    for (sword::SWModule* module : Bibles(manager))
        names.push_back(Text(module->getName()));
    std::string message;
    if (!name.empty())
        message = "No SWORD Bible module named \u201c" + name + "\u201d in " + where + ".";
    else if (names.empty())
        message = "No SWORD Bible module in " + where + ".";
    else
        message = "There are several SWORD Bible modules in " + where + "; name one of them.";
    if (!names.empty())
        message += " Bible modules there: " + Join(names) + ".";
    throw ImportError(message);
}

// Turns an entry into plain text with SWORD's own filters: every optional part
// (notes, cross-references, headings, Strong's numbers, morphology, glosses,
// variant readings but the first) switched off, then the markup's plain-text
// filter. Built here rather than taken from the module, whose option filters
// are only those its conf happens to name.
class PlainText {
public:
    explicit PlainText(char markup)
    {
        switch (markup) {
        case sword::FMT_OSIS:
            Off<sword::OSISFootnotes, sword::OSISScripref, sword::OSISHeadings, sword::OSISStrongs,
                sword::OSISMorph, sword::OSISLemma, sword::OSISGlosses, sword::OSISXlit,
                sword::OSISMorphSegmentation>();
            Primary<sword::OSISVariants>();
            filters_.push_back(std::make_unique<sword::OSISPlain>());
            break;
        case sword::FMT_THML:
            Off<sword::ThMLFootnotes, sword::ThMLScripref, sword::ThMLHeadings, sword::ThMLStrongs,
                sword::ThMLMorph, sword::ThMLLemma>();
            Primary<sword::ThMLVariants>();
            filters_.push_back(std::make_unique<sword::ThMLPlain>());
            break;
        case sword::FMT_GBF:
            Off<sword::GBFFootnotes, sword::GBFHeadings, sword::GBFStrongs, sword::GBFMorph>();
            filters_.push_back(std::make_unique<sword::GBFPlain>());
            break;
        case sword::FMT_TEI:
            filters_.push_back(std::make_unique<sword::TEIPlain>());
            break;
        default:
            break;
        }
    }

    // The words one blank apart, without leading or trailing blanks.
    std::string operator()(sword::SWBuf entry, const sword::SWKey* key, const sword::SWModule* module) const
    {
        for (const auto& filter : filters_)
            filter->processText(entry, key, module);
        return CollapseBlanks(std::string_view(entry.c_str(), entry.length()));
    }

private:
    template <typename... Filters>
    void Off()
    {
        (Add(std::make_unique<Filters>(), "Off"), ...);
    }
    template <typename Filter>
    void Primary()
    {
        Add(std::make_unique<Filter>(), "Primary Reading");
    }
    void Add(std::unique_ptr<sword::SWOptionFilter> filter, const char* value)
    {
        filter->setOptionValue(value);
        filters_.push_back(std::move(filter));
    }

    static std::string CollapseBlanks(std::string_view text)
    {
        std::string out;
        out.reserve(text.size());
        bool blank = false;
        for (char c : text) {
            if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v') {
                blank = !out.empty();
                continue;
            }
            if (blank)
                out += ' ';
            blank = false;
            out += c;
        }
        return out;
    }

    std::vector<std::unique_ptr<sword::SWFilter>> filters_;
};

// True when the entry at `key` is a link to the one before it (a verse the
// module joins to its neighbour), whose text has been delivered already.
bool LinkedToPrevious(const sword::SWModule& module, const sword::VerseKey& key)
{
    std::unique_ptr<sword::SWKey> previous(key.clone());
    previous->decrement();
    return module.isLinked(previous.get(), &key);
}

void WalkNewTestament(sword::SWModule& module, sword::VerseKey& key, VerseSink& sink,
                      const std::function<bool(double)>& progress)
{
    const PlainText plain(module.getMarkup());
    module.setProcessEntryAttributes(false);
    key.setIntros(true);
    key.setPosition(sword::BOTTOM);
    const long last = key.getIndex();
    key.setTestament(kNewTestament); // the testament's own heading entry, then each book's
    const long first = key.getIndex();
    key.popError();

    // The key steps by itself: the module's own stepping reads the index twice
    // more per entry, looking for links this walk finds otherwise.
    std::string previousRaw;
    for (long n = 0; !key.popError() && key.getTestament() == kNewTestament; key.increment(), ++n) {
        if (progress && n % kEntriesPerProgress == 0 &&
            !progress(double(key.getIndex() - first) / double(std::max(1L, last - first + 1))))
            throw ImportError("Import cancelled");
        const sword::SWBuf& raw = module.getRawEntryBuf();
        if (raw.length() == 0)
            continue;
        const std::string rawText(raw.c_str(), raw.length());
        const bool repeated = rawText == previousRaw && LinkedToPrevious(module, key);
        previousRaw = rawText;
        if (repeated)
            continue;
        const std::string text = plain(raw, &key, &module);
        if (text.empty())
            continue;
        const std::optional<int> book = BookFromName(Text(key.getOSISBookName()));
        if (!book || key.getChapter() < 1 || key.getVerse() < 1) {
            sink.SkippedLine();
            continue;
        }
        sink.Verse(VerseRef{*book, key.getChapter(), key.getVerse()}, text);
    }
    if (progress && !progress(1.0))
        throw ImportError("Import cancelled");
}

} // namespace

std::vector<SwordModuleInfo> ListSwordModules()
{
    const std::unique_ptr<sword::SWMgr> manager = OpenLibrary();
    std::vector<SwordModuleInfo> modules;
    for (sword::SWModule* module : Bibles(*manager))
        modules.push_back({Text(module->getName()), Text(module->getLanguage()), Text(module->getDescription())});
    std::sort(modules.begin(), modules.end(),
              [](const SwordModuleInfo& a, const SwordModuleInfo& b) { return a.name < b.name; });
    return modules;
}

bool IsSwordModuleFolder(const std::string& path)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path confs = fs::path(path) / "mods.d";
    if (!fs::is_directory(confs, ec))
        return false;
    for (fs::directory_iterator it(confs, ec), end; !ec && it != end; it.increment(ec))
        if (ascii::EndsWithIgnoreCase(it->path().filename().string(), ".conf") && it->is_regular_file(ec))
            return true;
    return false;
}

std::string ReadSwordModule(const std::string& name, const std::string& folder, VerseSink& sink,
                            const std::function<bool(double)>& progress)
{
    const std::unique_ptr<sword::SWMgr> manager = folder.empty() ? OpenLibrary() : OpenFolder(folder);
    sword::SWModule* module = FindBible(*manager, name);
    if (!module)
        ThrowNoBible(*manager, name, folder);
    auto* key = dynamic_cast<sword::VerseKey*>(module->getKey());
    if (!key)
        throw ImportError("The SWORD module \u201c" + Text(module->getName()) + "\u201d is not arranged by verses.");
    sink.Title(Text(module->getDescription()));
    WalkNewTestament(*module, *key, sink, progress);
    return Text(module->getName());
}

} // namespace synopter
