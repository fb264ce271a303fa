// The importer's OSIS reader.

#include "import_source.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    synopter::fuzz::ImportSource(synopter::ReadOsisSource, "nt.osis.xml", data, size);
    return 0;
}
