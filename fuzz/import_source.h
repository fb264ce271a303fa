#pragma once

// One import reader on any bytes, into the builder the importer uses, then
// the edition it would write.

#include "fuzz_file.h"
#include "import/edition_builder.h"
#include "import/source_readers.h"
#include "import/verse_source.h"

namespace synopter::fuzz {

using Reader = void (*)(std::string_view, std::string_view, VerseSink&);

inline void ImportSource(Reader reader, std::string_view fileName, const std::uint8_t* data, size_t size)
{
    const std::string_view bytes = Bytes(data, size);
    DetectFormat(bytes, fileName);
    EditionBuilder builder;
    try {
        reader(bytes, fileName, builder);
    } catch (const ImportError&) {
        return; // input it cannot read: a message, as it should be
    }
    builder.Summary();
    builder.EditionText();
}

} // namespace synopter::fuzz
