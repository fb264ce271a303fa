#include "import/xml_reader.h"

#include "import/verse_source.h"

#include <expat.h>

#include <algorithm>
#include <cstring>
#include <exception>
#include <memory>
#include <new>

namespace synopter {
namespace {

std::string_view LocalName(const char* name)
{
    const char* colon = std::strrchr(name, ':');
    return colon ? std::string_view(colon + 1) : std::string_view(name);
}

constexpr bool IsXmlSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

struct ParserDeleter {
    void operator()(XML_ParserStruct* parser) const { XML_ParserFree(parser); }
};
using ParserPtr = std::unique_ptr<XML_ParserStruct, ParserDeleter>;

// What the callbacks see. An exception must not unwind through expat's C
// frames, so it is kept here, the parser stopped, and rethrown afterwards.
struct Session {
    XML_Parser parser;
    XmlHandler& handler;
    std::exception_ptr failure;

    template <typename F>
    static void Guarded(void* data, F&& call)
    {
        auto* session = static_cast<Session*>(data);
        if (session->failure)
            return;
        try {
            call(session->handler);
        } catch (...) {
            session->failure = std::current_exception();
            XML_StopParser(session->parser, XML_FALSE);
        }
    }
};

void XMLCALL OnStart(void* data, const XML_Char* name, const XML_Char** attributes)
{
    Session::Guarded(data, [&](XmlHandler& h) { h.StartElement(LocalName(name), XmlAttributes(attributes)); });
}

void XMLCALL OnEnd(void* data, const XML_Char* name)
{
    Session::Guarded(data, [&](XmlHandler& h) { h.EndElement(LocalName(name)); });
}

void XMLCALL OnText(void* data, const XML_Char* text, int length)
{
    Session::Guarded(data, [&](XmlHandler& h) { h.Text(std::string_view(text, size_t(length))); });
}

} // namespace

std::optional<std::string_view> XmlAttributes::Find(std::string_view localName) const
{
    for (const char** p = pairs_; p && *p; p += 2)
        if (LocalName(p[0]) == localName)
            return std::string_view(p[1]);
    return std::nullopt;
}

void ParseXml(std::string_view bytes, std::string_view fileName, XmlHandler& handler)
{
    // Blank lines before the XML declaration (a file glued together by a
    // script) make expat refuse the document; they carry nothing, so they go,
    // and the lines they took still count in messages.
    unsigned long linesSkipped = 0;
    std::string_view body = bytes;
    if (body.starts_with("\xEF\xBB\xBF"))
        body.remove_prefix(3);
    const size_t first = std::min(body.find_first_not_of(" \t\r\n"), body.size());
    if (first > 0 && body.substr(first).starts_with("<?xml")) {
        const std::string_view blank = body.substr(0, first);
        linesSkipped = std::count(blank.begin(), blank.end(), '\n');
        bytes = body.substr(first);
    }

    // No namespace processing: names keep their prefixes, which LocalName
    // drops, so a document with an undeclared prefix still reads.
    ParserPtr parser(XML_ParserCreate(nullptr));
    if (!parser)
        throw std::bad_alloc();
    Session session{parser.get(), handler, nullptr};
    XML_SetUserData(parser.get(), &session);
    XML_SetElementHandler(parser.get(), OnStart, OnEnd);
    XML_SetCharacterDataHandler(parser.get(), OnText);

    // XML_Parse takes an int length; larger documents go in pieces.
    constexpr size_t kPiece = size_t(1) << 24;
    size_t at = 0;
    XML_Status status = XML_STATUS_OK;
    do {
        const size_t n = std::min(kPiece, bytes.size() - at);
        const bool last = at + n == bytes.size();
        status = XML_Parse(parser.get(), bytes.data() + at, int(n), last);
        at += n;
    } while (status == XML_STATUS_OK && at < bytes.size());

    if (session.failure)
        std::rethrow_exception(session.failure);
    if (status != XML_STATUS_OK)
        throw ImportError(std::string(fileName) + ": not well-formed XML at line " +
                          std::to_string(XML_GetCurrentLineNumber(parser.get()) + linesSkipped) + ": " +
                          XML_ErrorString(XML_GetErrorCode(parser.get())));
}

void MarkupText::Append(std::string_view text)
{
    for (char c : text) {
        if (!IsXmlSpace(c)) {
            text_ += c;
            joining_ = false;
        } else if (!joining_ && (text_.empty() || text_.back() != ' ')) {
            text_ += ' ';
        }
    }
}

void MarkupText::Break()
{
    joining_ = false;
    if (text_.empty() || text_.back() != ' ')
        text_ += ' ';
}

void MarkupText::Join()
{
    if (!text_.empty() && text_.back() == ' ')
        text_.pop_back();
    joining_ = true;
}

std::string_view MarkupText::Words() const
{
    std::string_view words = text_;
    if (!words.empty() && words.front() == ' ')
        words.remove_prefix(1);
    if (!words.empty() && words.back() == ' ')
        words.remove_suffix(1);
    return words;
}

} // namespace synopter
