#include "compare/word_alignment.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <utility>
#include <vector>

namespace synopter {
namespace {

// The alignment as defined: equal ends paired first, then the middle by the
// whole table, where both have a word equally well the earlier pairing.
std::vector<std::pair<int, int>> ByTable(const std::vector<int>& a, const std::vector<int>& b)
{
    size_t head = 0, tail = 0;
    while (head < a.size() && head < b.size() && a[head] == b[head])
        ++head;
    while (tail < a.size() - head && tail < b.size() - head && a[a.size() - 1 - tail] == b[b.size() - 1 - tail])
        ++tail;
    const size_t n = a.size() - head - tail, m = b.size() - head - tail;
    std::vector<std::vector<int>> t(n + 1, std::vector<int>(m + 1, 0));
    for (size_t i = n; i-- > 0;)
        for (size_t j = m; j-- > 0;)
            t[i][j] = a[head + i] == b[head + j] ? t[i + 1][j + 1] + 1 : std::max(t[i + 1][j], t[i][j + 1]);
    std::vector<std::pair<int, int>> pairs;
    for (size_t k = 0; k < head; ++k)
        pairs.emplace_back(static_cast<int>(k), static_cast<int>(k));
    for (size_t i = 0, j = 0; i < n && j < m;) {
        if (a[head + i] == b[head + j])
            pairs.emplace_back(static_cast<int>(head + i++), static_cast<int>(head + j++));
        else if (t[i + 1][j] >= t[i][j + 1])
            ++i;
        else
            ++j;
    }
    for (size_t k = tail; k > 0; --k)
        pairs.emplace_back(static_cast<int>(a.size() - k), static_cast<int>(b.size() - k));
    return pairs;
}

// Stretches up to 64 words go by bit rows, longer ones and large ids by the
// table: all must pair as the table does, repeated words above all.
TEST(AlignWordsTest, PairsAsTheTable)
{
    std::mt19937 random(7);
    AlignmentBuffers buffers;
    for (int round = 0; round < 3000; ++round) {
        const int n = static_cast<int>(random() % 80);
        const int m = static_cast<int>(random() % 80);
        const int words = 1 + static_cast<int>(random() % 12);
        const int offset = round % 3 == 0 ? (1 << 20) : 0; // ids too large to index a table
        std::vector<int> a(static_cast<size_t>(n)), b(static_cast<size_t>(m));
        for (int& w : a)
            w = offset + static_cast<int>(random() % static_cast<unsigned>(words));
        for (int& w : b)
            w = offset + static_cast<int>(random() % static_cast<unsigned>(words));
        std::vector<std::pair<int, int>> pairs;
        AlignWords(a, b, 0, n, 0, m, pairs, buffers);
        ASSERT_EQ(pairs, ByTable(a, b)) << "round " << round << ", " << n << " x " << m;
    }
}

} // namespace
} // namespace synopter
