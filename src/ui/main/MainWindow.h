#pragma once

#include "CardPictures.h"
#include "CardReveal.h"
#include "MainMenu.h"

#include "play/Session.h"
#include "render/CreditPlot.h"
#include "render/PaintEngine.h"

#include <QMainWindow>
#include <QTimer>

#include <memory>

class QWidget;

namespace drawmentor {

class TMachinePanels;
class TMainMenu;
class TPreferences;
class TTableSizer;
class TTableSounds;
class TWindowRouter;

// The video poker machine: five cards, the paytable with the bet column and
// the winning line, the Hint, Double and Deal buttons, the counters under the
// credits chart, and the menu. It holds no rule of the game: every action
// goes to the session and the window redraws from the session's state.
class TMainWindow : public QMainWindow {
    Q_OBJECT

  public:
    explicit TMainWindow(TPreferences& preferences, QWidget* parent = nullptr);
    ~TMainWindow() override;

    TSession& Session() { return *FSession; }
    TPaintEngine& Paint() { return FCards->Paint(); }
    TMainMenu& Menu() { return *FMenu; }
    TWindowRouter& Router() { return *FRouter; }
    TTableSizer& Sizer() { return *FSizer; }
    TTableSounds& Sounds() { return *FSounds; }
    // What went wrong at start without stopping it, for the player to read once.
    const QStringList& StartNotices() const { return FStartNotices; }
    // No deck was kept in the settings the window opened with: the player
    // has not chosen one yet (the window keeps its deck in them from then on).
    bool FirstStart() const { return FFirstStart; }

    // The player's commands, as the buttons, cards, keys and menus give them.
    void DealOrDraw();
    void Hint();
    void Double();
    void ToggleCard(int index);
    // Accepted only for 1..5 coins with no hand in play.
    bool SelectBet(int coins);
    // The machine's bet buttons: one coin more (five wraps to one), and five
    // coins dealt at once.
    void BetOne();
    void MaxBet();
    void ChooseCoinValue();
    void SelectMode(TPlayMode mode);
    // Accepted only for a count the machine offers, with no hand in play.
    bool SelectHandsPerDeal(int hands);
    void ClearAllRecords();
    void Retranslate();
    void UpdateCounters();
    void RedrawCards();
    void LayoutPaytable();
    // The game's name over the paytable, and the lines a running drill trains.
    void ShowGameName();

  signals:
    // A card turned face up during a deal, draw or double-up, in the order shown.
    void CardRevealed(int index);

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void RunCommand(TMenuCommand command);
    void RestoreSettings();
    void SaveSettings();
    // SaveSettings once the stored settings are restored: the window's
    // settings go into the image as they change, the preferences write it.
    void StoreSettings();
    // The counters, the buttons and the sound of the result wait for the last card.
    void RunReveal(TCardReveal::TSteps steps);
    // The text of `key`, its %s (or the win's %d) filled from `arguments`.
    void SetMessage(const QString& key, const QStringList& arguments = {});
    bool HandleKey(int key);

    TPreferences& FPreferences;
    std::unique_ptr<TWindowRouter> FRouter;
    std::unique_ptr<TCardPictures> FCards;
    std::unique_ptr<TSession> FSession;
    // Goes before the session and the pictures it draws from: the card table
    // may still be resized while the window's widgets are taken down.
    std::unique_ptr<TCardReveal> FReveal;
    QImage FChartImage;
    std::unique_ptr<TCreditPlot> FChart;
    QTimer FTimer;

    TMainMenu* FMenu = nullptr;
    TMachinePanels* FPanels = nullptr;
    TTableSizer* FSizer = nullptr;
    TTableSounds* FSounds = nullptr;
    QStringList FStartNotices;
    bool FSettingsRestored = false;
    bool FFirstStart = false;
};

} // namespace drawmentor
