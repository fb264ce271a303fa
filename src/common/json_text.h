#pragma once

#include <string>
#include <string_view>

// JSON strings of single-byte text, which the program reads as Latin-1: what
// the tools write for other programs.
namespace synopter {

// Byte `c` inside a JSON string: quote and backslash escaped, control bytes as
// \u00xx, bytes from 0x80 as the Latin-1 character in UTF-8, the rest as is.
void AppendJsonChar(std::string& out, unsigned char c);

// Latin-1 text as a JSON string literal, quotes included, in UTF-8.
void AppendJsonLatin1(std::string& out, std::string_view bytes);

// The same written at `out`, which has room for JsonLatin1Room bytes; returns
// the end of what was written. For writers that make room for a whole record at once.
constexpr size_t JsonLatin1Room(size_t size) { return 6 * size + 2; }
char* WriteJsonLatin1(char* out, std::string_view bytes);

} // namespace synopter
