#pragma once

#include "editions/lacunae.h"

#include <span>

namespace synopter {

// The readings of one place of a manuscript, each ranked by the hand that
// wrote it: 0 the first hand, 1 the scribe's own correction, 2 and up later
// correctors in their order. Gives the index of the reading a text by `hand`
// takes, -1 for none: First takes the first hand's, Scribe the scribe's
// correction where there is one and else the first hand's, Last the latest
// hand's. Among readings of one rank the last counts. Shared by the readers
// of manuscript transcriptions.
int ChooseReading(Hand hand, std::span<const int> ranks);

} // namespace synopter
