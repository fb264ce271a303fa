#pragma once

#include "editions/edition.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace synopter::test {

// A sample edition's lines, for tests over real verses; nullopt where the
// samples are absent, and the test skips.
inline std::optional<std::vector<std::string>> SampleEdition(const std::string& name)
{
    const std::filesystem::path path = std::filesystem::path(SYNOPTER_EDITIONS_DIR) / (name + ".dat");
    if (!std::filesystem::exists(path))
        return std::nullopt;
    return LoadEditionText(path.string());
}

} // namespace synopter::test
