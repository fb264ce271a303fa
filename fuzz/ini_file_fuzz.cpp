// The settings-style reader behind kelvane.ini, the descriptors and the
// language files: any bytes read, looked up, edited in place and read again.

#include "common/ini_file.h"
#include "fuzz_file.h"

#include <cstdlib>

using namespace synopter;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    const std::string path = fuzz::WriteScratch("kelvane.ini", data, size);
    IniFile ini(path);
    ini.ReadString("Settings", "Language", "");
    ini.ReadInteger("Form1", "Left", 7);
    ini.ReadBool("Form1", "ScrollBoth", true);
    IniFile::ParseInteger(fuzz::Bytes(data, size));

    // A written key reads back as written, whatever surrounds it.
    ini.WriteString("Form1", "Threshold", "42");
    if (IniFile(path).ReadInteger("Form1", "Threshold", 0) != 42)
        std::abort();
    return 0;
}
