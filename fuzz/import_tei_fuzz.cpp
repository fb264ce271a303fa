// The importer's TEI reader.

#include "import_source.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    synopter::fuzz::ImportSource(synopter::ReadTeiSource, "04_John.xml", data, size);
    return 0;
}
