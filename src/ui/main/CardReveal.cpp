#include "CardReveal.h"

#include "CardPictures.h"
#include "CardTable.h"

#include "play/Session.h"
#include "prefs/Preferences.h"

#include <utility>

namespace drawmentor {

TCardReveal::TCardReveal(TCardTable& table, TCardPictures& pictures, const TSession& session,
                         const TPreferences& preferences, QObject* parent)
    : QObject(parent), FTable(table), FPictures(pictures), FSession(session),
      FPreferences(preferences), FSequence(new TRevealSequence(this)) {
    connect(&FTable, &TCardTable::CardSizeChanged, this, [this] { DrawCards(); });
}

void TCardReveal::DrawCard(int index) {
    const QSize size = FTable.CardSize();
    const qreal ratio = FTable.devicePixelRatioF();
    FTable.SetCard(index, FHidden[index] || FSession.Hand().ShowsBack(index)
                              ? FPictures.Back(size, ratio)
                              : FPictures.Face(FSession, index, size, ratio));
}

void TCardReveal::DrawCards() {
    for (int i = 0; i < 5; ++i) DrawCard(i);
}

void TCardReveal::AddBacks(TSteps& steps, const std::array<bool, 5>& which) {
    for (int i = 0; i < 5; ++i)
        if (which[i])
            steps.push_back({[this, i] {
                                 FHidden[i] = true;
                                 DrawCard(i);
                             },
                             true});
}

void TCardReveal::AddFaces(TSteps& steps, const std::array<bool, 5>& which,
                           const std::array<int, 5>& order) {
    for (int i : order)
        if (which[i])
            steps.push_back({[this, i] {
                                 FHidden[i] = false;
                                 DrawCard(i);
                                 emit CardRevealed(i);
                             },
                             true});
}

void TCardReveal::Run(TSteps steps, std::function<void()> finally) {
    FSequence->Run(std::move(steps), FPreferences.DealSpeed, [this, finally = std::move(finally)] {
        FHidden = {};
        if (finally) finally();
    });
}

} // namespace drawmentor
