// The importer's reader of verse-line texts.

#include "import_source.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    synopter::fuzz::ImportSource(synopter::ReadTextSource, "John.txt", data, size);
    return 0;
}
