#pragma once

#include "compare/rich_text.h"

#include <string>
#include <string_view>
#include <vector>

// Pane text as others can read it: Unicode Greek, with no need of the display
// font. What Copy puts on the clipboard besides the transliteration.
namespace synopter {

// The fonts Debian ships that show polytonic Greek, for every HTML we write.
inline constexpr const char* kGreekFontStack =
    "'Noto Serif', 'DejaVu Serif', 'Gentium Plus', 'Gentium', 'FreeSerif', serif";

// UTF-8 text into HTML or XML text or an attribute value. Control characters
// other than tab and line breaks are allowed in neither; they show as '?'.
void AppendMarkupEscaped(std::string& out, std::string_view text);

// The start of a self-contained HTML page, up to and including <body>: the
// doctype, UTF-8, `title` (UTF-8, escaped here) and the inline style sheet.
void AppendHtmlPageHead(std::string& out, std::string_view title, std::string_view style);

// Transliterated bytes as escaped Greek for HTML or XML: Greek letters,
// entities, Latin-1 beyond ASCII in UTF-8, '?' for a C1 control. Megabytes of
// it go into a report, so each byte's replacement is worked out once.
void AppendMarkupGreek(std::string& out, std::string_view bytes);

// UTF-8 Greek, one line per paragraph, '\n' between them.
std::string GreekPlainText(const std::vector<rtf::Paragraph>& paragraphs);

// A complete HTML document: one <div> per paragraph (an empty one keeps its
// line), each span in its own colour and weight.
std::string GreekHtmlFragment(const std::vector<rtf::Paragraph>& paragraphs);

} // namespace synopter
