#pragma once

#include "games/PayTable.h"

#include <QDialog>

#include <array>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace drawmentor {

class TDeckPicker;
class TPokerEngine;
class TPreferences;

// Five cards of the game in play, picked from the deck or typed in the card
// notation of the command-line tool, and the bet; "Analyse" shows the 32
// holds of that hand under the game's paytable. The session is not touched.
class TAnalyseHandWindow : public QDialog {
    Q_OBJECT

  public:
    TAnalyseHandWindow(QWidget* parent, int gameIndex, const TPayTable& pays, int bet,
                       const QString& caption, const TPreferences& preferences);

    // Test seam: what happens to an analysed hand instead of the all-hands
    // window (the engine and its best hold).
    using TShowHolds =
        std::function<void(const TPokerEngine&, const std::array<int, 5>& cards, int bestMask)>;
    void SetShowHolds(TShowHolds show) { FShowHolds = std::move(show); }

    // A card of the deck pressed: taken into the hand, or taken back.
    void ToggleCard(int code);
    // Checks the hand; a fault is told in the dialog and nothing else happens.
    bool Analyse();
    void Retranslate();

    TDeckPicker& Deck() { return *FDeck; }
    QLineEdit& HandEdit() { return *FHandEdit; }
    QString ErrorText() const;

  private:
    void HandEdited();
    void ShowError(const QString& key, const QString& word);

    int FGameIndex;
    TPayTable FPays;
    int FJokers;
    QString FCaption;
    const TPreferences& FPreferences;
    TShowHolds FShowHolds;

    TDeckPicker* FDeck = nullptr;
    QLabel* FGameLabel = nullptr;
    QLabel* FHandLabel = nullptr;
    QLineEdit* FHandEdit = nullptr;
    QLabel* FBetLabel = nullptr;
    QSpinBox* FBet = nullptr;
    QLabel* FError = nullptr;
    QLabel* FHint = nullptr;
    QPushButton* FAnalyse = nullptr;
    QPushButton* FClose = nullptr;
    QString FErrorKey; // kept so that a change of language re-tells the fault
    QString FErrorWord;
};

// Opens the picker modally for the game and paytable in play.
void AnalyseHand(QWidget* parent, int gameIndex, const TPayTable& pays, int bet,
                 const QString& caption, const TPreferences& preferences);

} // namespace drawmentor
