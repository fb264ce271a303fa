// The TrueType naming-table reader on any file in Fonts/.

#include "fonts/truetype_names.h"
#include "fuzz_file.h"

using namespace synopter;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    std::string family, subfamily, fullName;
    ReadTrueTypeNames(fuzz::WriteScratch("font.ttf", data, size), family, subfamily, fullName);
    return 0;
}
