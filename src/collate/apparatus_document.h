#pragma once

#include "collate/apparatus_format.h"
#include "common/block_output.h"

#include <functional>
#include <span>
#include <string>
#include <vector>

// A whole apparatus document: what synopter-collate writes and the apparatus
// window exports.
namespace synopter::collate {

enum class ApparatusFormat { Text, Json, Csv, Html, Tei, Distances, Agreement };

// Collates `texts` (one layout, indexed as facts.witnesses; the lines
// `include` chooses, all when it is empty) as facts.options say and writes the
// apparatus to `out` as one document of `format`: text, JSON and CSV verse by
// verse as they are collated, the HTML page and TEI (every verse, agreeing or
// not, so that each witness reads back from it) once all verses are in, the
// distances as DistanceText, the agreement as AgreementText. `lacunae` (per
// text, as CollateTexts takes them) places the witnesses' lost text. `goOn`,
// asked after each verse with units, stops the work when it answers false,
// and then no page, TEI or table is written. False when stopped or when a
// write to `out` failed.
bool WriteApparatus(std::span<const std::vector<std::string>* const> texts, const ApparatusFacts& facts,
                    ApparatusFormat format, BlockOutput& out, const std::function<bool(int line)>& include = {},
                    const std::function<bool()>& goOn = {}, WitnessLacunae lacunae = {});

} // namespace synopter::collate
