#pragma once

#include "HoldClass.h"

#include <cstdint>
#include <string>
#include <vector>

namespace drawmentor {

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

enum class TNameKind : uint8_t {
    Text,    // the text of Key, its placeholders filled with Pieces in order
    Counted, // the same, the text chosen by the number Value for its plural form
    Number,  // Value in digits
    Letters, // the ranks of the mask Value as card letters, highest first ("KQJ")
    Runs,    // the ranks of the mask Value as runs of Copies letters a rank ("22-66, 99, TT")
    List,    // Pieces one after another; Key, when set, joins the last one ("Or", "And")
    Line,    // the paytable line whose name in the game's catalogue is Key
};

// A name as data: the words come from a language file, which looks up every
// Key of a Text or Counted part; the chart says only which and with what.
struct TNamePart {
    TNameKind Kind = TNameKind::Text;
    std::string Key;
    int Value = 0;
    int Copies = 1;
    std::vector<TNamePart> Pieces;

    friend bool operator==(const TNamePart&, const TNamePart&) = default;
};

// A stable key: the family key, the variants and the penalty condition,
// "royal2[QJ,KQ]-flush".
std::string LineKey(const TLineDefinition& definition);
// A line with others joined to it: the keys joined by '|'.
std::string LineKey(const TLineDefinition& definition, const std::vector<TLineDefinition>& also);
// The line as a player reads a chart.
TNamePart LineName(const TLineDefinition& definition, const THoldRules& rules);
// "Four of a Kind, Straight Flush or Royal Flush".
TNamePart LineName(const TLineDefinition& definition, const std::vector<TLineDefinition>& also,
                   const THoldRules& rules);
// One class (penalties included).
TNamePart HoldClassName(THoldClass hold, const THoldRules& rules);

} // namespace drawmentor
