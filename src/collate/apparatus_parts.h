#pragma once

#include "collate/apparatus_format.h"

#include <string>
#include <string_view>
#include <vector>

// Inside the collation library only: what the apparatus's writers share. The
// text and JSON writers are in apparatus_format.cpp, the HTML page in
// apparatus_html.cpp, TEI in apparatus_tei.cpp.
namespace synopter::collate {

inline constexpr std::string_view kBullet = " \xE2\x80\xA2 ";
inline constexpr std::string_view kEmDash = " \xE2\x80\x94 ";

inline void AppendNumber(std::string& out, long long value) { out += std::to_string(value); }

// An edition's name as UTF-8; an edition the facts do not know by its number.
std::string NameOf(const ApparatusFacts& facts, int edition);

// A name, siglum or description (single-byte, or UTF-8 kept) escaped for HTML or XML.
void AppendNameEscaped(std::string& out, const std::string& name);

// How the spelling choice treats spelling variants, for the titles.
std::string_view SpellingChoice(SpellingMode mode);

} // namespace synopter::collate
