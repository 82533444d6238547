#include "PayTable.h"

#include "cards/Checked.h"

namespace drawmentor {

int32_t& TPayTable::At(int coins, int line) {
    return Pays[CheckIndex(coins, 1, kMaxCoins, "coins") - 1]
               [CheckIndex(line, 0, kMaxLines - 1, "line")];
}

int32_t TPayTable::At(int coins, int line) const {
    return const_cast<TPayTable&>(*this).At(coins, line);
}

void TPayout::SetFromTable(const TPayTable& table, int coins) {
    for (int line = 0; line < kMaxLines; ++line) Pays[line] = table.At(coins, line);
}

} // namespace drawmentor
