#include "import/hand_choice.h"

namespace synopter {
namespace {

// The last reading of `rank`, -1 when there is none.
int LastOfRank(std::span<const int> ranks, int rank)
{
    for (size_t i = ranks.size(); i-- > 0;)
        if (ranks[i] == rank)
            return int(i);
    return -1;
}

} // namespace

int ChooseReading(Hand hand, std::span<const int> ranks)
{
    switch (hand) {
    case Hand::First: return LastOfRank(ranks, 0);
    case Hand::Scribe: {
        const int corrected = LastOfRank(ranks, 1);
        return corrected >= 0 ? corrected : LastOfRank(ranks, 0);
    }
    case Hand::Last: break;
    }
    int chosen = -1;
    for (size_t i = 0; i < ranks.size(); ++i)
        if (chosen < 0 || ranks[i] >= ranks[size_t(chosen)])
            chosen = int(i);
    return chosen;
}

} // namespace synopter
