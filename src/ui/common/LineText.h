#pragma once

#include <QString>

namespace drawmentor {

class TPokerDescription;
class TTexts;

// A paytable line's name for a sentence in the interface's language, so that a
// Russian sentence does not carry an English hand name.
QString LineText(const TPokerDescription& game, int line, const TTexts& texts);
// The same for a line's name as the game gives it.
QString LineText(const QString& name, const TTexts& texts);

} // namespace drawmentor
