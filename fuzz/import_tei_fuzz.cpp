// The importer's TEI reader, as a source and as a collation read for one witness.

#include "import_source.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    synopter::fuzz::ImportSource(synopter::ReadTeiSource, "04_John.xml", data, size);
    synopter::fuzz::ImportSource(
        [](std::string_view bytes, std::string_view fileName, synopter::VerseSink& sink) {
            synopter::ReadTeiWitness(bytes, fileName, sink, "A");
        },
        "apparatus.xml", data, size);
    return 0;
}
