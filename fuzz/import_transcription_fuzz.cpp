// The importer's reader of plain-text manuscript transcriptions.

#include "import_source.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    synopter::fuzz::ImportSource(synopter::ReadTranscriptionSource, "codex.txt", data, size);
    return 0;
}
