#include "PokerDescription.h"

#include "cards/Cards.h"
#include "cards/Categories.h"
#include "core/Checked.h"

namespace drawmentor {

const std::string& TPokerDescription::LineName(int line) const {
    return FLineNames[CheckIndex(line, 0, kMaxLines - 1, "line")];
}

TCategorySet TPokerDescription::LineCategories(int line) const {
    return FLineCategories[CheckIndex(line, 0, kMaxLines - 1, "line")];
}

TRankSet TPokerDescription::LineKickers(int line) const {
    return FLineKickers[CheckIndex(line, 0, kMaxLines - 1, "line")];
}

TKickerLines TPokerDescription::KickerLines() const {
    TKickerLines kickers;
    for (auto& row : kickers.Line) row.fill(-1);
    for (int line = LastLine; line >= 0; --line) // the first line wins
        for (int quads = 0; quads < kRankCount; ++quads)
            for (int kicker = 0; kicker < kRankCount; ++kicker)
                if (((FLineKickers[line] >> kicker) & 1) &&
                    ((FLineCategories[line] >> (ncFourOfKind2 + quads)) & 1)) {
                    kickers.Line[quads][kicker] = static_cast<int8_t>(line);
                    kickers.Any = true;
                }
    return kickers;
}

void TPokerDescription::SetKickers(int line, TRankSet kickers) {
    FLineKickers[CheckIndex(line, 0, kMaxLines - 1, "line")] = kickers;
}

void TPokerDescription::SetLine(int line, std::string name, TCategorySet natural) {
    CheckIndex(line, 0, kMaxLines - 1, "line");
    FLineNames[line] = std::move(name);
    FLineCategories[line] = natural;
    if (line > LastLine) LastLine = line;
}

TCategorySet TWildPokerDescription::WildLineCategories(int line) const {
    return FWildLineCategories[CheckIndex(line, 0, kMaxLines - 1, "line")];
}

void TWildPokerDescription::SetLine(int line, std::string name, TCategorySet natural,
                                    TCategorySet wild) {
    TPokerDescription::SetLine(line, std::move(name), natural);
    FWildLineCategories[line] = wild;
}

} // namespace drawmentor
