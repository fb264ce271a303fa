#pragma once

// The readers that take a path get the fuzz input through one scratch file per
// process, in a folder of its own (a settings-style write replaces it there).

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <unistd.h>

namespace synopter::fuzz {

inline const std::string& ScratchFolder()
{
    static const std::string folder = [] {
        const char* base = std::getenv("TMPDIR");
        std::string templ = std::string(base && *base ? base : "/tmp") + "/synopter-fuzz-XXXXXX";
        if (::mkdtemp(templ.data()) == nullptr)
            std::abort();
        return templ + "/";
    }();
    return folder;
}

// Writes the input to `name` in the scratch folder and gives its path.
inline std::string WriteScratch(const std::string& name, const std::uint8_t* data, size_t size)
{
    const std::string path = ScratchFolder() + name;
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f || (size > 0 && std::fwrite(data, 1, size, f) != size) || std::fclose(f) != 0)
        std::abort();
    return path;
}

inline std::string_view Bytes(const std::uint8_t* data, size_t size)
{
    return {reinterpret_cast<const char*>(data), size};
}

} // namespace synopter::fuzz
