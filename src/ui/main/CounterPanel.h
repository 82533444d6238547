#pragma once

#include "play/DateTime.h"

#include <QWidget>

#include <array>

class QLabel;

namespace drawmentor {

class TSession;
class TPreferences;

// The counters under the credits chart: credits, win, bet, coin value,
// balance, accuracy, hints, hands and play time. Rows share the height the panel
// has, between 14 and 24 pixels each. A click on the coin value asks for
// another.
class TCounterPanel : public QWidget {
    Q_OBJECT

  public:
    explicit TCounterPanel(QWidget* parent = nullptr);

    void Retranslate(const TPreferences& preferences);
    void Update(const TSession& session, const QImage& chart);
    void SetTime(TDateTime elapsed);
    // The chart and the rows grow with the table.
    void SetScale(double scale);
    // The rows at their least height: the panel may be made smaller than
    // the rows it has now, which then shrink.
    QSize minimumSizeHint() const override;

    // Texts of the counters, as the window shows them.
    static QString MoneyText(double amount);
    static QString AccuracyText(double percent);
    static QString PlayTimeText(TDateTime elapsed);

  signals:
    void CoinValueClicked();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    struct TRow {
        QWidget* Panel;
        QLabel* Caption;
        QLabel* Value;
        const char* Key;
    };
    enum { rCredits, rWin, rBet, rValue, rBalance, rAccuracy, rHints, rHands, rTime, kRowCount };

    double FScale = 1;
    QLabel* FChart = nullptr;
    std::array<TRow, kRowCount> FRows{};
};

} // namespace drawmentor
