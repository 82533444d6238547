#include "LineText.h"

#include "games/PokerDescription.h"
#include "play/ChartLineText.h"
#include "prefs/Texts.h"

namespace drawmentor {

QString LineText(const TPokerDescription& game, int line, const TTexts& texts) {
    return LineText(QString::fromStdString(game.LineName(line)), texts);
}

QString LineText(const QString& name, const TTexts& texts) {
    return PaytableLineText(name.toStdString(), texts);
}

} // namespace drawmentor
