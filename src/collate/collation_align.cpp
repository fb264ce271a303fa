#include "collate/collator.h"

#include "compare/spelling_rules.h"
#include "editions/edition_lines.h"

#include <algorithm>

namespace synopter::collate {

Collator::Collator(const Options& options)
    : options_(options),
      rules_(options.spelling == SpellingMode::Count ? nullptr
                                                      : (options.spellingRules ? options.spellingRules
                                                                               : &SpellingRules::BuiltIn()))
{
}

int Collator::Id(std::string_view word)
{
    std::string_view key = word;
    if (rules_) {
        key = rules_->CachedKey(word, scratch_);
        if (key.data() == scratch_.data())
            key = ownedKeys_.emplace_back(scratch_);
    }
    return ids_.try_emplace(key, static_cast<int>(ids_.size())).first->second;
}

// Each edition's words and their ids; ids are the same for words equal as
// the spelling choice reads them.
void Collator::ReadWords(std::span<const std::string_view> verses)
{
    ids_.clear();
    ownedKeys_.clear();
    if (editions_.size() < verses.size())
        editions_.resize(verses.size());
    for (size_t e = 0; e < verses.size(); ++e) {
        Edition& edition = editions_[e];
        SplitWords(verses[e], edition.words);
        edition.ids.clear();
        for (const std::string_view word : edition.words)
            edition.ids.push_back(Id(word));
        edition.hunks.clear();
        edition.lost = !losses_.empty() && losses_[e].lost;
        edition.lostParts.clear();
    }
    counts_.assign(ids_.size(), 0);
}

// Longest common subsequence of b[b0, b1) and w[w0, w1), ends trimmed first,
// matches appended in order. Where both have a word equally well the earlier
// pairing is taken.
void Collator::Align(const std::vector<int>& b, const std::vector<int>& w, int b0, int b1, int w0, int w1,
                     std::vector<std::pair<int, int>>& matches)
{
    while (b0 < b1 && w0 < w1 && b[b0] == w[w0])
        matches.emplace_back(b0++, w0++);
    int tail = 0;
    while (b0 < b1 - tail && w0 < w1 - tail && b[b1 - 1 - tail] == w[w1 - 1 - tail])
        ++tail;
    const int n = b1 - tail - b0;
    const int m = w1 - tail - w0;
    if (n > 0 && m > 0) {
        if (static_cast<size_t>(n + 1) * static_cast<size_t>(m + 1) > kMaxLcsCells) {
            AlignByUniqueWords(b, w, b0, b1 - tail, w0, w1 - tail, matches);
        } else {
            // table_[i][j]: the common subsequence of b[b0+i ..] and w[w0+j ..]
            const size_t cols = static_cast<size_t>(m) + 1;
            table_.assign(static_cast<size_t>(n + 1) * cols, 0);
            for (int i = n - 1; i >= 0; --i)
                for (int j = m - 1; j >= 0; --j) {
                    const size_t at = static_cast<size_t>(i) * cols + static_cast<size_t>(j);
                    table_[at] = b[b0 + i] == w[w0 + j] ? table_[at + cols + 1] + 1
                                                        : std::max(table_[at + cols], table_[at + 1]);
                }
            int i = 0, j = 0;
            while (i < n && j < m) {
                const size_t at = static_cast<size_t>(i) * cols + static_cast<size_t>(j);
                if (b[b0 + i] == w[w0 + j]) {
                    matches.emplace_back(b0 + i++, w0 + j++);
                } else if (table_[at + cols] >= table_[at + 1]) {
                    ++i;
                } else {
                    ++j;
                }
            }
        }
    }
    for (int k = tail; k > 0; --k)
        matches.emplace_back(b1 - k, w1 - k);
}

// For stretches too long for the table: words found exactly once on each side
// anchor the alignment (the longest run of them in the same order), and the
// stretches between anchors are aligned again.
void Collator::AlignByUniqueWords(const std::vector<int>& b, const std::vector<int>& w, int b0, int b1, int w0,
                                  int w1, std::vector<std::pair<int, int>>& matches)
{
    std::unordered_map<int, std::pair<int, int>> seen; // id -> (count in b, index in b), then w's
    std::unordered_map<int, std::pair<int, int>> seenW;
    for (int i = b0; i < b1; ++i) {
        auto& [count, at] = seen[b[i]];
        ++count;
        at = i;
    }
    for (int j = w0; j < w1; ++j) {
        auto& [count, at] = seenW[w[j]];
        ++count;
        at = j;
    }
    std::vector<std::pair<int, int>> pairs; // (b index, w index) of words once on both sides, in w order
    for (int j = w0; j < w1; ++j) {
        const auto inB = seen.find(w[j]);
        if (inB != seen.end() && inB->second.first == 1 && seenW[w[j]].first == 1)
            pairs.emplace_back(inB->second.second, j);
    }
    // Longest increasing run of b indices (patience sorting).
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
    int bi = b0, wj = w0;
    for (const auto& [ai, aj] : anchors) {
        Align(b, w, bi, ai, wj, aj, matches);
        matches.emplace_back(ai, aj);
        bi = ai + 1;
        wj = aj + 1;
    }
    Align(b, w, bi, b1, wj, w1, matches);
}

} // namespace synopter::collate
