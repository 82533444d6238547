#include "GameText.h"

#include "games/Catalogue.h"
#include "games/GameKey.h"
#include "prefs/Texts.h"

namespace drawmentor {

QString GameNameText(const std::string& name, const TTexts& texts) {
    const QString key = QString::fromStdString(name);
    const QString section = QStringLiteral("GameNames");
    const QString shown = texts.HasText(section, key) ? texts.Translate(section, key) : QString();
    return shown.isEmpty() ? key : shown;
}

QString GameKeyText(const std::string& key, const TTexts& texts) {
    const int game = KeyGameIndex(key);
    if (game < 0) return QString::fromStdString(GameKeyCaption(key));
    return GameNameText(GameName(game), texts).toUpper() +
           QStringLiteral("  (%1)").arg(KeyPayIndex(key) + 1);
}

} // namespace drawmentor
