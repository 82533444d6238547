#pragma once

#include "HoldClass.h"

#include <cstdint>
#include <string>

namespace drawmentor {

enum class TChartLanguage { English, Russian };

// What one line of a strategy chart covers: the classes of one family whose
// variant is in Variants, with the penalty bits in PenaltyMask equal to
// PenaltyValue ("QJ suited, no flush penalty").
struct TLineDefinition {
    uint32_t Family = 0;
    uint32_t Variants = 0; // bit v: variant v
    // The variants of the family that occur in some deal: a line that covers
    // them all needs no word about them.
    uint32_t Universe = 0;
    uint32_t PenaltyMask = 0;
    uint32_t PenaltyValue = 0;

    bool Matches(THoldClass hold) const {
        return hold.Family() == Family && ((Variants >> hold.Variant()) & 1) != 0 &&
               (static_cast<uint32_t>(hold.Penalties()) & PenaltyMask) == PenaltyValue;
    }
    friend bool operator==(const TLineDefinition&, const TLineDefinition&) = default;
};

// A stable key: the family key, the variants and the penalty condition,
// "royal2[QJ,KQ]-flush".
std::string LineKey(const TLineDefinition& definition);
// The line in plain words, as a player reads a chart.
std::string LineName(const TLineDefinition& definition, const THoldRules& rules,
                     TChartLanguage language);
// One class (penalties included) in plain words.
std::string HoldClassName(THoldClass hold, const THoldRules& rules, TChartLanguage language);
// A paytable line as the catalogue names it, in `language`; a name without a
// translation stays as it is.
std::string PaytableLineName(const std::string& name, TChartLanguage language);

} // namespace drawmentor
