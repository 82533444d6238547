#include "ChartWhyText.h"

#include "prefs/Texts.h"
#include "ui/common/TextSections.h"

#include "games/Catalogue.h"
#include "play/ChartLineText.h"
#include "prefs/Preferences.h"

namespace drawmentor {

namespace {

QString Text(const TPreferences& preferences, const char* key, const QStringList& values) {
    return FormatText(preferences.Texts().Translate(kChartWhyTexts, QString::fromLatin1(key)),
                      values);
}

} // namespace

QString ChartLineText(const TStrategyChart& chart, int line, THoldClass hold,
                      const TPreferences& preferences) {
    if (line >= 0 && line < static_cast<int>(chart.Lines.size())) {
        const TChartLine& entry = chart.Lines[static_cast<size_t>(line)];
        return Text(preferences, "Line",
                    {ChartNameText(entry.Name, preferences.Texts()), QString::number(line + 1)});
    }
    // A hold the chart never plays is named by its class.
    const auto game = CreateDescription(chart.GameIndex);
    const QString name = game ? ChartNameText(HoldClassName(hold, MakeHoldRules(*game, chart.Pays)),
                                              preferences.Texts())
                              : QString();
    return Text(preferences, "OffChart", {name});
}

QString HoldWhyText(const TChartAdvice& advice, const TStrategyChart& chart,
                    const TPreferences& preferences) {
    const QString held = ChartLineText(chart, advice.HeldLine, advice.HeldClass, preferences);
    const QString played = ChartLineText(chart, advice.ChartLine, advice.ChartClass, preferences);
    const QString best = ChartLineText(chart, advice.BestLine, advice.BestClass, preferences);
    if (advice.HeldMask == advice.BestMask) return {};
    const bool followed = advice.HeldMask == advice.ChartMask;
    if (advice.ChartIsBest) {
        if (advice.HeldLine == advice.ChartLine && advice.HeldLine >= 0)
            return Text(preferences, "SameLine", {held});
        return Text(preferences, "Held", {held, played});
    }
    if (followed) return Text(preferences, "FollowedChart", {held, best});
    return Text(preferences, "Held", {held, played}) + QLatin1Char(' ') +
           Text(preferences, "Exception", {best});
}

QString HintWhyText(const TChartAdvice& advice, const TStrategyChart& chart,
                    const TPreferences& preferences) {
    const QString best = ChartLineText(chart, advice.BestLine, advice.BestClass, preferences);
    if (advice.ChartIsBest) return Text(preferences, "Hint", {best});
    const QString played = ChartLineText(chart, advice.ChartLine, advice.ChartClass, preferences);
    return Text(preferences, "HintException", {best, played});
}

} // namespace drawmentor
