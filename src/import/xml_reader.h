#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace synopter {

// The attributes of one element, found by local name (any prefix ignored).
class XmlAttributes {
public:
    // expat's list: name, value, name, value, ..., null.
    explicit XmlAttributes(const char** pairs) : pairs_(pairs) {}

    std::optional<std::string_view> Find(std::string_view localName) const;
    // The value, or empty when the attribute is absent.
    std::string_view Value(std::string_view localName) const { return Find(localName).value_or(""); }

private:
    const char** pairs_;
};

// Receives a document as it is read. Element names are local names: "w" for
// both <w> and <tei:w>. Character data may come in several pieces.
class XmlHandler {
public:
    virtual ~XmlHandler() = default;
    virtual void StartElement(std::string_view name, const XmlAttributes& attributes) = 0;
    virtual void EndElement(std::string_view name) = 0;
    virtual void Text(std::string_view utf8) = 0;
};

// Reads a whole document (a UTF-8 BOM is allowed) into the handler. External
// entities and DTDs are never loaded. Throws ImportError "<fileName>: not
// well-formed XML at line N: <reason>"; an exception the handler throws stops
// the reading and passes through unchanged.
void ParseXml(std::string_view bytes, std::string_view fileName, XmlHandler& handler);

// Text gathered from character data for one verse: every run of XML white
// space is one blank, and Break() parts words where markup does.
class MarkupText {
public:
    void Append(std::string_view text);
    void Break();
    // Joins what comes before and after into one word, as a line break marked
    // as inside a word does; white space on either side of it does not count.
    void Join();
    void Clear()
    {
        text_.clear();
        joining_ = false;
    }
    // The words, without blanks at either end.
    std::string_view Words() const;
    // As gathered, blanks at the ends kept, for appending to another text.
    const std::string& Raw() const { return text_; }

private:
    std::string text_;
    bool joining_ = false; // white space that follows is dropped
};

} // namespace synopter
