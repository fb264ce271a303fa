// The importer's CSV reader.

#include "import_source.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    synopter::fuzz::ImportSource(synopter::ReadCsvSource, "Mark.csv", data, size);
    return 0;
}
