#pragma once

namespace drawmentor {

class TMainWindow;
class TPreferences;

// On the first start (no deck in the settings) the player chooses a deck
// once the shown window is first idle, as if from the menu. Called by the
// program entry only, so that windows made by tests never wait on it.
void OfferDeckAtFirstStart(TMainWindow& window, TPreferences& preferences);

// Tells the player, once the window shows, what could not be read at start
// (the settings file, the remembered deck) and what was used instead.
void ShowStartNotices(TMainWindow& window, const TPreferences& preferences);

} // namespace drawmentor
