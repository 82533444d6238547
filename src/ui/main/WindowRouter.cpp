#include "WindowRouter.h"

#include "ui/paytable/ChooseWindow.h"
#include "ui/settings/BackDialog.h"
#include "ui/settings/DeckDialog.h"

#include "render/PaintEngine.h"

namespace drawmentor {

TWindowRouter::TWindowRouter(QWidget& parent, TPreferences& preferences)
    : FParent(parent), FPreferences(preferences) {}

bool TWindowRouter::ChooseGame(TGameEngine& engine) {
    return drawmentor::ChooseGame(&FParent, engine, FPreferences);
}

void TWindowRouter::ChooseDeck(TPaintEngine& paint) {
    const QString code = drawmentor::ChooseDeck(&FParent, paint.DeckCode, FPreferences);
    if (!code.isEmpty()) paint.LoadDeck(code);
}

void TWindowRouter::ChooseBack(TPaintEngine& paint) {
    const int index = drawmentor::ChooseBack(&FParent, paint.BackIndex, FPreferences);
    if (index != -1) paint.SetBackIndex(index);
}

} // namespace drawmentor
