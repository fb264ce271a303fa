#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

// Two word sequences aligned: their longest common subsequence, as both the
// collation and the aligned word marking read it. Words are ids; equal ids are
// equal words.
namespace synopter {

// Beyond this many cells the middle of a pair of stretches is aligned through
// words that occur once in both (one huge imported line must not take gigabytes).
inline constexpr size_t kMaxLcsCells = size_t{1} << 22;

// Kept from call to call: a run aligns thousands of verses.
struct AlignmentBuffers {
    std::vector<std::uint32_t> table;
    std::vector<std::uint64_t> rows;  // the bit rows of a short stretch
    std::vector<std::uint64_t> where; // by word id: where in it the word is, else 0
};

// Longest common subsequence of a[a0, a1) and b[b0, b1), ends trimmed first,
// the pairs (index in a, index in b) appended in order. Where both have a word
// equally well the earlier pairing is taken.
void AlignWords(std::span<const int> a, std::span<const int> b, int a0, int a1, int b0, int b1,
                std::vector<std::pair<int, int>>& matches, AlignmentBuffers& buffers);

// For stretches too long for the table: words found exactly once on each side
// anchor the alignment (the longest run of them in the same order), and the
// stretches between anchors are aligned again. Nothing is paired when no word
// is once on both sides.
void AlignByUniqueWords(std::span<const int> a, std::span<const int> b, int a0, int a1, int b0, int b1,
                        std::vector<std::pair<int, int>>& matches, AlignmentBuffers& buffers);

} // namespace synopter
