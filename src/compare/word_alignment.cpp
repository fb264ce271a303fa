#include "compare/word_alignment.h"

#include <algorithm>
#include <unordered_map>

namespace synopter {

namespace {

constexpr int kMaxTableId = 1 << 16;

int Popcount(std::uint64_t x)
{
    // Without a popcnt instruction std::popcount is a call.
    x -= (x >> 1) & 0x5555555555555555ull;
    x = (x & 0x3333333333333333ull) + ((x >> 2) & 0x3333333333333333ull);
    x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0Full;
    return static_cast<int>((x * 0x0101010101010101ull) >> 56);
}

// Ids this small index a table of words (a negative one never does).
bool SmallIds(std::span<const int> words)
{
    return std::all_of(words.begin(), words.end(), [](int id) { return id >= 0 && id < kMaxTableId; });
}

// The common subsequence of a[a0, a0 + n) and b[b0, b0 + m) for m <= 64, the
// same pairs as the table below would give: each row of the table held as the
// bits where it steps (Hyyro's bit-parallel LCS), a row in a few operations
// rather than m cells. Bit q stands for b's word m - 1 - q, rows count a's
// words from its end, and then the table's cell (i, j), the common
// subsequence of a[a0 + i ..] and b[b0 + j ..], is the zeros of row n - i
// below bit m - j.
void AlignShort(std::span<const int> a, std::span<const int> b, int a0, int n, int b0, int m,
                std::vector<std::pair<int, int>>& matches, AlignmentBuffers& buffers)
{
    const std::uint64_t all = m == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << m) - 1;
    // Where each of b's words is, by id: ids are small, numbered from 0 as
    // words are first met.
    std::vector<std::uint64_t>& where = buffers.where;
    for (int q = 0; q < m; ++q) {
        const size_t word = static_cast<size_t>(b[b0 + m - 1 - q]);
        if (where.size() <= word)
            where.resize(word + 1, 0);
        where[word] |= std::uint64_t{1} << q;
    }
    std::vector<std::uint64_t>& rows = buffers.rows;
    rows.resize(static_cast<size_t>(n) + 1);
    rows[0] = all;
    for (int k = 1; k <= n; ++k) {
        const std::uint64_t v = rows[static_cast<size_t>(k) - 1];
        const size_t word = static_cast<size_t>(a[a0 + n - k]);
        const std::uint64_t u = word < where.size() ? v & where[word] : 0;
        rows[static_cast<size_t>(k)] = ((v + u) | (v - u)) & all;
    }
    for (int q = 0; q < m; ++q) // emptied for the next stretch
        where[static_cast<size_t>(b[b0 + q])] = 0;
    const auto row = [&](int i) { return rows[static_cast<size_t>(n - i)]; };
    const auto cell = [&](int i, int j) {
        const int below = m - j;
        const std::uint64_t low = below == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << below) - 1;
        return below - Popcount(row(i) & low);
    };
    int i = 0, j = 0;
    int here = cell(0, 0);
    while (i < n && j < m) {
        if (a[a0 + i] == b[b0 + j]) {
            matches.emplace_back(a0 + i++, b0 + j++);
            --here;
            continue;
        }
        // The cell to the right is this one less the bit it leaves out: one
        // count of bits a step, not two.
        const int right = here - static_cast<int>(~row(i) >> (m - j - 1) & 1);
        const int down = cell(i + 1, j);
        if (down >= right) {
            ++i;
            here = down;
        } else {
            ++j;
            here = right;
        }
    }
}

} // namespace

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
        if (m <= 64 && SmallIds(b.subspan(static_cast<size_t>(b0), static_cast<size_t>(m)))) {
            AlignShort(a, b, a0, n, b0, m, matches, buffers);
        } else if (static_cast<size_t>(n + 1) * static_cast<size_t>(m + 1) > kMaxLcsCells) {
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
