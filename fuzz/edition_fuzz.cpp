// Edition loading: a text (.dat) and a descriptor (.bk) of any bytes, and the
// checks made before a comparison.

#include "editions/edition.h"
#include "editions/edition_check.h"
#include "fuzz_file.h"

#include <cstdlib>

using namespace synopter;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    const std::string text = fuzz::WriteScratch("Fuzz.dat", data, size);
    const auto lines = LoadEditionText(text);
    if (!lines)
        std::abort();
    const std::vector<std::string> half(lines->begin(), lines->begin() + long(lines->size() / 2));
    ComparisonProblem("Fuzz", *lines, "Half", half);
    ComparisonProblem("Fuzz", *lines, "Fuzz", *lines);
    ToUtf8(fuzz::Bytes(data, size));

    const EditionDescriptor descriptor = ReadEditionDescriptor(fuzz::WriteScratch("Fuzz.bk", data, size));
    if (descriptor.fontFace && descriptor.fontFace->size() > 31)
        std::abort();
    return 0;
}
