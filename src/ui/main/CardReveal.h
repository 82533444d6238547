#pragma once

#include "RevealSequence.h"

#include <QObject>

#include <array>
#include <functional>
#include <vector>

namespace drawmentor {

class TCardPictures;
class TCardTable;
class TSession;
class TPreferences;

// The five cards on the table as the player sees them while a deal, a draw
// or a double-up is shown: the cards on their way are backs, then turn face
// up one by one at the pace the player chose. The session has the new cards
// already; only the pictures wait.
class TCardReveal : public QObject {
    Q_OBJECT

  public:
    using TSteps = std::vector<TRevealSequence::TStep>;

    TCardReveal(TCardTable& table, TCardPictures& pictures, const TSession& session,
                const TPreferences& preferences, QObject* parent = nullptr);

    // While a reveal runs, the window takes no command of play.
    bool IsRunning() const { return FSequence->IsRunning(); }
    void DrawCard(int index);
    void DrawCards();
    // Which cards show their backs whatever the hand holds, until a step
    // turns them or the reveal ends; drawn at the next DrawCard.
    void Hide(const std::array<bool, 5>& which) { FHidden = which; }
    // Steps that turn the cards in `which` to their backs, one by one.
    void AddBacks(TSteps& steps, const std::array<bool, 5>& which);
    // Steps that turn the cards in `which` face up in `order`, a pause between two.
    void AddFaces(TSteps& steps, const std::array<bool, 5>& which, const std::array<int, 5>& order);
    // Every card shows the hand again when the steps are done; then `finally`.
    void Run(TSteps steps, std::function<void()> finally = {});
    // More steps, from a step that learns what comes next.
    void Append(TSteps steps) { FSequence->Append(std::move(steps)); }

  signals:
    // A card turned face up, in the order shown.
    void CardRevealed(int index);

  private:
    TCardTable& FTable;
    TCardPictures& FPictures;
    const TSession& FSession;
    const TPreferences& FPreferences;
    TRevealSequence* FSequence;
    std::array<bool, 5> FHidden{};
};

} // namespace drawmentor
