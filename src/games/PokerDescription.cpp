#include "PokerDescription.h"

#include "core/Checked.h"

namespace drawmentor {

const std::string& TPokerDescription::LineName(int line) const {
    return FLineNames[CheckIndex(line, 0, kMaxLines - 1, "line")];
}

TCategorySet TPokerDescription::LineCategories(int line) const {
    return FLineCategories[CheckIndex(line, 0, kMaxLines - 1, "line")];
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
