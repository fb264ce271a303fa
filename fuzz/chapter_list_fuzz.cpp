// chapters.lst of any bytes.

#include "chapters/chapter_list.h"
#include "fuzz_file.h"

#include <cstdlib>

using namespace synopter;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    size_t bytes = 0;
    for (const std::string& label : LoadChapterList(fuzz::WriteScratch("chapters.lst", data, size)))
        bytes += label.size();
    // Labels are pieces of the file, never more than it holds.
    if (bytes > size)
        std::abort();
    return 0;
}
