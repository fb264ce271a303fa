#include "collate/collator.h"

#include "compare/spelling_rules.h"
#include "compare/word_alignment.h"
#include "editions/edition_lines.h"

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

// The alignment itself lives in compare (word_alignment), shared with the
// aligned word marking.
void Collator::Align(const std::vector<int>& b, const std::vector<int>& w, int b0, int b1, int w0, int w1,
                     std::vector<std::pair<int, int>>& matches)
{
    AlignWords(b, w, b0, b1, w0, w1, matches, alignment_);
}

} // namespace synopter::collate
