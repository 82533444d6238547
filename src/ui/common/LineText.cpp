#include "LineText.h"

#include "charts/ChartLine.h"
#include "games/PokerDescription.h"
#include "prefs/Texts.h"

namespace drawmentor {

QString LineText(const TPokerDescription& game, int line, const TTexts& texts) {
    return LineText(QString::fromStdString(game.LineName(line)), texts);
}

QString LineText(const QString& name, const TTexts& texts) {
    const TChartLanguage language =
        texts.Code().compare(QLatin1String("RUS"), Qt::CaseInsensitive) == 0
            ? TChartLanguage::Russian
            : TChartLanguage::English;
    return QString::fromStdString(PaytableLineName(name.toStdString(), language));
}

} // namespace drawmentor
