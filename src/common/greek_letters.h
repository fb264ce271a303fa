#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace synopter {

// The edition alphabet shown as Greek: a b g d e z h y i k l m n x o p r s v t
// u f c q w are α β γ δ ε ζ η θ ι κ λ μ ν ξ ο π ρ σ ς τ υ φ χ ψ ω, capitals
// likewise (S and V both Σ). The window draws the same bytes through its font;
// these are for output that has no such font (reports, files for others).

// The UTF-8 of the Greek letter `c` stands for; empty for any other byte.
std::string_view GreekLetter(char c);

// Transliterated text as UTF-8 Greek, appended to `out`. Every other byte is
// kept: ASCII as it is, bytes from 0x80 read as Latin-1 (as the rest of the
// program reads them), so the result is always valid UTF-8.
void AppendGreek(std::string& out, std::string_view transliterated);

inline std::string ToGreek(std::string_view transliterated)
{
    std::string out;
    AppendGreek(out, transliterated);
    return out;
}

// Transliterated text rewritten byte by byte for an output format (Greek
// letters with the format's escapes): each byte's replacement is worked out
// once, and megabytes of text are then written straight into room made
// beforehand, one fixed-size copy a byte.
class ByteTranslation {
public:
    // `replacement` gives what a byte becomes: at most kMaxBytes bytes.
    explicit ByteTranslation(const std::function<std::string(unsigned char)>& replacement);
    void Append(std::string& out, std::string_view bytes) const;
    // The same written at `out`, which has room for Room(bytes.size()) bytes;
    // returns the end of what was written.
    char* Write(char* out, std::string_view bytes) const;

    static constexpr size_t kMaxBytes = 6;
    static constexpr size_t Room(size_t size) { return kMaxBytes * size + 2; } // the last copy's 8 bytes

private:
    struct Entry {
        char bytes[8]; // kMaxBytes used, 8 copied
        std::uint8_t size = 0;
    };
    std::array<Entry, 256> table_{};
};

} // namespace synopter
