// The RTF reader of the result files (ours and other programs'), and the
// writer and the reader again over whatever it read.

#include "compare/rich_text.h"
#include "fuzz_file.h"

#include <cstdlib>

using namespace synopter;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    const rtf::Document document = rtf::ReadRtf(fuzz::Bytes(data, size));
    const std::string written = rtf::WriteRtf(document, "Riruzi");
    rtf::ReadRtf(written);
    return 0;
}
