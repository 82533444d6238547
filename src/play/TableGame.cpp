#include "TableGame.h"

#include "core/Checked.h"
#include "games/GameKey.h"

namespace drawmentor {

QString TTableGame::LineName(int line) const {
    return QString::fromStdString(
        FEngine->LineNames().at(CheckIndex(line, 0, FEngine->LastLine(), "line")));
}

QString TTableGame::Caption() const {
    return QString::fromStdString(GameKeyCaption(GameKey(FEngine->GameIndex(), FPayIndex)));
}

void TTableGame::ApplyBet(int coins) {
    FBet = CheckIndex(coins, 1, kMaxCoins, "bet");
    if (!FEngine) return;
    for (int line = 0; line < kMaxLines; ++line)
        FPayout.Pays[line] = line <= FEngine->LastLine() ? FPayTable.At(coins, line) : 0;
    FEngine->SetPayout(&FPayout);
}

} // namespace drawmentor
