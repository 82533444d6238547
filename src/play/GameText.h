#pragma once

#include <QString>

#include <string>

namespace drawmentor {

class TTexts;

// A game's name as the player reads it, in the interface's language. The
// catalogue's spelling stays the name stored files and logs know; the
// language file's [GameNames] section gives the name shown, and a game it
// leaves alone shows as the catalogue spells it.
QString GameNameText(const std::string& name, const TTexts& texts);
// The caption of a game key, "NAME  (n)" (or the whole log's), as menus and
// the table show it, with the name in the interface's language.
QString GameKeyText(const std::string& key, const TTexts& texts);

} // namespace drawmentor
