#include "import/sword_source.h"

#include "common/ascii.h"
#include "common/error.h"
#include "common/file_io.h"
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
#include <cstdint>
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

// SWORD trusts a module's indexes: a block that claims 4 GB is allocated and
// read again for every verse in it, for hours. So the New Testament's indexes
// are checked against the files they point into before SWORD reads a verse,
// and the first entry that points past its file ends the import.
constexpr size_t kMaxIndexBytes = size_t{64} << 20;
// No real text unpacks to more than this many times its compressed size
// (zlib cannot exceed about 1032).
constexpr uint64_t kMaxUnpackRatio = 1100;
constexpr uint64_t kUnpackSlack = 4096;

uint64_t Little(const std::string& bytes, size_t at, size_t width)
{
    uint64_t value = 0;
    for (size_t k = width; k-- > 0;)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + k]);
    return value;
}

uint64_t SizeOf(const std::string& path)
{
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    return ec ? 0 : uint64_t(size);
}

[[noreturn]] void ThrowDamaged(const sword::SWModule& module, const std::string& what)
{
    throw ImportError("The SWORD module " + Quoted(Text(module.getName())) + " is damaged: " + what + ". Reinstall it.");
}

std::string Claim(uint64_t size, uint64_t start, const std::string& where, uint64_t holds)
{
    return "claims " + std::to_string(size) + " bytes from byte " + std::to_string(start) + " of " + where +
           ", which holds " + std::to_string(holds);
}

// zText and zText4: nt.bzs gives each block's place in nt.bzz and unpacked
// size, nt.bzv each verse's block and place in it (a 2-byte size, 4 in zText4).
void CheckBlockIndexes(const sword::SWModule& module, const std::string& folder, size_t sizeWidth)
{
    const std::optional<std::string> blocks = ReadFileBytes(folder + "nt.bzs", kMaxIndexBytes);
    const std::optional<std::string> verses = ReadFileBytes(folder + "nt.bzv", kMaxIndexBytes);
    if (!blocks || !verses)
        return; // no New Testament: nothing is read
    const uint64_t packed = SizeOf(folder + "nt.bzz");
    std::vector<uint64_t> unpacked;
    for (size_t at = 0; at + 12 <= blocks->size(); at += 12) {
        const uint64_t start = Little(*blocks, at, 4), size = Little(*blocks, at + 4, 4);
        const uint64_t full = Little(*blocks, at + 8, 4);
        const std::string block = "block " + std::to_string(unpacked.size() + 1) + " of nt.bzs";
        if (start > packed || size > packed - start)
            ThrowDamaged(module, block + " " + Claim(size, start, "nt.bzz", packed));
        if (full > size * kMaxUnpackRatio + kUnpackSlack)
            ThrowDamaged(module, block + " claims to unpack " + std::to_string(size) + " bytes into " +
                                     std::to_string(full));
        unpacked.push_back(full);
    }
    const size_t entry = 8 + sizeWidth;
    for (size_t at = 0; at + entry <= verses->size(); at += entry) {
        const uint64_t block = Little(*verses, at, 4), start = Little(*verses, at + 4, 4);
        const uint64_t size = Little(*verses, at + 8, sizeWidth);
        if (size == 0)
            continue;
        const std::string verse = "entry " + std::to_string(at / entry + 1) + " of nt.bzv";
        if (block >= unpacked.size())
            ThrowDamaged(module, verse + " names block " + std::to_string(block + 1) + " of " +
                                     std::to_string(unpacked.size()));
        if (start > unpacked[block] || size > unpacked[block] - start)
            ThrowDamaged(module, verse + " " + Claim(size, start, "block " + std::to_string(block + 1),
                                                     unpacked[block]));
    }
}

// RawText and RawText4: nt.vss gives each verse's place in nt (a 2-byte size,
// 4 in RawText4).
void CheckVerseIndex(const sword::SWModule& module, const std::string& folder, size_t sizeWidth)
{
    const std::optional<std::string> verses = ReadFileBytes(folder + "nt.vss", kMaxIndexBytes);
    if (!verses)
        return;
    const uint64_t text = SizeOf(folder + "nt");
    const size_t entry = 4 + sizeWidth;
    for (size_t at = 0; at + entry <= verses->size(); at += entry) {
        const uint64_t start = Little(*verses, at, 4), size = Little(*verses, at + 4, sizeWidth);
        if (size != 0 && (start > text || size > text - start))
            ThrowDamaged(module, "entry " + std::to_string(at / entry + 1) + " of nt.vss " +
                                     Claim(size, start, "nt", text));
    }
}

void CheckIndexes(const sword::SWModule& module)
{
    std::string folder = Text(module.getConfigEntry("AbsoluteDataPath"));
    if (folder.empty())
        return;
    if (folder.back() != '/')
        folder += '/';
    const std::string driver = Text(module.getConfigEntry("ModDrv"));
    try {
        if (ascii::EqualsIgnoreCase(driver, "zText"))
            CheckBlockIndexes(module, folder, 2);
        else if (ascii::EqualsIgnoreCase(driver, "zText4"))
            CheckBlockIndexes(module, folder, 4);
        else if (ascii::EqualsIgnoreCase(driver, "RawText"))
            CheckVerseIndex(module, folder, 2);
        else if (ascii::EqualsIgnoreCase(driver, "RawText4"))
            CheckVerseIndex(module, folder, 4);
    } catch (const ImportError&) {
        throw;
    } catch (const Error& e) {
        ThrowDamaged(module, e.what());
    }
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
    CheckIndexes(*module);
    sink.Title(Text(module->getDescription()));
    WalkNewTestament(*module, *key, sink, progress);
    return Text(module->getName());
}

} // namespace synopter
