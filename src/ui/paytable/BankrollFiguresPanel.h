#pragma once

#include <QStringList>
#include <QWidget>

#include <cstdint>
#include <utility>
#include <vector>

class QGridLayout;
class QLabel;

namespace drawmentor {

struct TBankrollFigures;
struct TBankrollForRisk;
struct TGoalFigures;
class TPreferences;

// A text of the bankroll window's section with %1, %2, ... replaced by
// `values`. Replaced, not QString::arg, so that a language may leave one out
// (a number its grammar cannot agree with) without a warning.
QString BankrollText(const TPreferences& preferences, const char* key,
                     const QStringList& values = {});

// The bankroll window's figures, one per row with its caption: the risks of
// ruin, the chances of the win goal, the least bankroll for the target risk,
// the session's result in bets and in money, and the top line's wait.
// Values are labels named after their row (lMean) with Bets or Money after
// the name when the row has both; captions add Label (lMeanLabel).
class TBankrollFiguresPanel : public QWidget {
    Q_OBJECT

  public:
    TBankrollFiguresPanel(const TPreferences& preferences, QWidget* parent = nullptr);

    // Captions for a session of `hands` (deals of several hands when `deals`);
    // `topLine` names the paytable's top line; the goal is in bets and the
    // target risk a percentage as typed.
    void SetCaptions(int64_t hands, const QString& topLine, bool deals = false,
                     int64_t goalBets = 0, const QString& targetPercent = {});
    // Amounts come in coins: a bet is `betCoins` of them, each worth `moneyPerCoin`.
    void Show(const TBankrollFigures& figures, const QString& topLine, int betCoins,
              double moneyPerCoin);
    // The least bankroll within the session counts in bets of `betCoins`
    // coins, as Show's (whose figures hold the one without end).
    void ShowGoals(const TGoalFigures& goals, int betCoins, double moneyPerCoin);
    void ClearGoals();
    void Clear();

  private:
    // `name` tells apart captions of one text (l<name>Label; the key's by default).
    QLabel* AddCaption(QGridLayout& grid, int row, const char* key, int span = 1,
                       const char* name = nullptr);
    void AddQuestions(QGridLayout& grid, int& row);
    QString LeastText(const TBankrollForRisk& least) const;
    QLabel* AddValue(QGridLayout& grid, int row, int column, const QString& name, int span = 1);
    void SetValue(const QString& name, const QString& text);
    // In bets and in money.
    void SetBoth(const QString& name, long double coins, int decimals);
    QString Text(const char* key, const QStringList& values = {}) const;
    QString Percent(long double p) const;

    const TPreferences& FPreferences;
    int FBetCoins = 5;
    double FMoneyPerCoin = 1;
    std::vector<std::pair<QLabel*, const char*>> FCaptions; // and the key of their text
    bool FDeals = false;
};

} // namespace drawmentor
