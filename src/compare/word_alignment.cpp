#include "compare/word_alignment.h"

#include <algorithm>
#include <unordered_map>

namespace synopter {

void AlignWords(std::span<const int> a, std::span<const int> b, int a0, int a1, int b0, int b1,
                std::vector<std::pair<int, int>>& matches, AlignmentBuffers& buffers)
{
    while (a0 < a1 && b0 < b1 && a[a0] == b[b0])
        matches.emplace_back(a0++, b0++);
    int tail = 0;
    while (a0 < a1 - tail && b0 < b1 - tail && a[a1 - 1 - tail] == b[b1 - 1 - tail])
        ++tail;
    const int n = a1 - tail - a0;
    const int m = b1 - tail - b0;
    if (n > 0 && m > 0) {
        if (static_cast<size_t>(n + 1) * static_cast<size_t>(m + 1) > kMaxLcsCells) {
            AlignByUniqueWords(a, b, a0, a1 - tail, b0, b1 - tail, matches, buffers);
        } else {
            // table[i][j]: the common subsequence of a[a0+i ..] and b[b0+j ..]
            std::vector<std::uint32_t>& table = buffers.table;
            const size_t cols = static_cast<size_t>(m) + 1;
            if (table.size() < static_cast<size_t>(n + 1) * cols)
                table.resize(static_cast<size_t>(n + 1) * cols);
            std::fill_n(table.begin() + static_cast<std::ptrdiff_t>(static_cast<size_t>(n) * cols), cols, 0u);
            for (int i = n - 1; i >= 0; --i) {
                const int word = a[a0 + i];
                std::uint32_t* const row = table.data() + static_cast<size_t>(i) * cols;
                const std::uint32_t* const below = row + cols;
                // Equal words take the diagonal plus one, others the larger
                // neighbour: as the diagonal is never above a neighbour nor its
                // plus one below, the largest of the three is either, without a
                // branch on a compare no predictor foresees. The right neighbour
                // stays in a register from the cell before.
                std::uint32_t right = row[m] = 0;
                for (int j = m - 1; j >= 0; --j) {
                    const std::uint32_t diagonal = below[j + 1] + (word == b[b0 + j] ? 1u : 0u);
                    right = std::max({below[j], right, diagonal});
                    row[j] = right;
                }
            }
            int i = 0, j = 0;
            while (i < n && j < m) {
                const size_t at = static_cast<size_t>(i) * cols + static_cast<size_t>(j);
                if (a[a0 + i] == b[b0 + j]) {
                    matches.emplace_back(a0 + i++, b0 + j++);
                } else if (table[at + cols] >= table[at + 1]) {
                    ++i;
                } else {
                    ++j;
                }
            }
        }
    }
    for (int k = tail; k > 0; --k)
        matches.emplace_back(a1 - k, b1 - k);
}

void AlignByUniqueWords(std::span<const int> a, std::span<const int> b, int a0, int a1, int b0, int b1,
                        std::vector<std::pair<int, int>>& matches, AlignmentBuffers& buffers)
{
    std::unordered_map<int, std::pair<int, int>> seenA; // id -> (count in a, index in a)
    std::unordered_map<int, std::pair<int, int>> seenB;
    for (int i = a0; i < a1; ++i) {
        auto& [count, at] = seenA[a[i]];
        ++count;
        at = i;
    }
    for (int j = b0; j < b1; ++j) {
        auto& [count, at] = seenB[b[j]];
        ++count;
        at = j;
    }
    std::vector<std::pair<int, int>> pairs; // (a index, b index) of words once on both sides, in b order
    for (int j = b0; j < b1; ++j) {
        const auto inA = seenA.find(b[j]);
        if (inA != seenA.end() && inA->second.first == 1 && seenB[b[j]].first == 1)
            pairs.emplace_back(inA->second.second, j);
    }
    // Longest increasing run of a indices (patience sorting).
    std::vector<int> tops, previous(pairs.size(), -1), topIndex;
    for (size_t k = 0; k < pairs.size(); ++k) {
        const auto pos = std::lower_bound(tops.begin(), tops.end(), pairs[k].first) - tops.begin();
        if (pos > 0)
            previous[k] = topIndex[static_cast<size_t>(pos) - 1];
        if (static_cast<size_t>(pos) == tops.size()) {
            tops.push_back(pairs[k].first);
            topIndex.push_back(static_cast<int>(k));
        } else {
            tops[static_cast<size_t>(pos)] = pairs[k].first;
            topIndex[static_cast<size_t>(pos)] = static_cast<int>(k);
        }
    }
    std::vector<std::pair<int, int>> anchors;
    for (int k = topIndex.empty() ? -1 : topIndex.back(); k >= 0; k = previous[static_cast<size_t>(k)])
        anchors.push_back(pairs[static_cast<size_t>(k)]);
    std::reverse(anchors.begin(), anchors.end());
    if (anchors.empty())
        return; // nothing to hold on to: one difference
    int ai = a0, bj = b0;
    for (const auto& [at, bt] : anchors) {
        AlignWords(a, b, ai, at, bj, bt, matches, buffers);
        matches.emplace_back(at, bt);
        ai = at + 1;
        bj = bt + 1;
    }
    AlignWords(a, b, ai, a1, bj, b1, matches, buffers);
}

} // namespace synopter
