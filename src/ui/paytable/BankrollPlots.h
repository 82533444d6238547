#pragma once

#include <QWidget>

#include <cstdint>
#include <vector>

class QChart;
class QChartView;
class QLineSeries;
class QScatterSeries;
class QValueAxis;

namespace drawmentor {

struct TSessionDistribution;

// The two charts of the bankroll window, one above the other: how likely
// each result of the session is, and the risk of ruin against the bankroll.
// Amounts come in coins; `unit` turns coins into what the x axes show (one
// bet, or the money of a coin).
class TBankrollPlots : public QWidget {
    Q_OBJECT

  public:
    // Chart titles and axis titles, translated.
    struct TTexts {
        QString DistributionTitle;
        QString DistributionBottom;
        QString DistributionLeft;
        QString CurveTitle;
        QString CurveBottom;
        QString CurveLeft;
    };

    explicit TBankrollPlots(QWidget* parent = nullptr);

    void SetTexts(const TTexts& texts, const QFont& font);
    // The results that are not too rare to see (between the 1/10,000 and
    // the 9,999/10,000 quantile), as percentages, reduced to the width.
    void ShowDistribution(const TSessionDistribution& session, double unit);
    // The curve through every bankroll and the chosen one marked on it.
    void ShowCurve(const std::vector<int64_t>& bankrolls, const std::vector<long double>& risk,
                   int64_t chosen, double unit);
    void ClearCurve();

    QChart& DistributionChart() const { return *FDistribution; }
    QChart& CurveChart() const { return *FCurve; }
    QLineSeries& DistributionSeries() const { return *FResults; }
    QLineSeries& CurveSeries() const { return *FRisk; }
    QScatterSeries& ChosenPoint() const { return *FChosen; }

  private:
    QChart* FDistribution = nullptr;
    QChart* FCurve = nullptr;
    QChartView* FDistributionView = nullptr;
    QChartView* FCurveView = nullptr;
    QLineSeries* FResults = nullptr;
    QLineSeries* FRisk = nullptr;
    QScatterSeries* FChosen = nullptr;
    QValueAxis* FAxes[4] = {}; // result, probability, bankroll, risk
};

} // namespace drawmentor
