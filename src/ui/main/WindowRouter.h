#pragma once

#include "play/GameWindows.h"

class QWidget;

namespace drawmentor {

class TPreferences;

// Opens the program's windows: the game engine asks through IGameWindows, the
// main window's menu through the router's own methods, so that no opener of
// a dialog lives in the main window.
class TWindowRouter : public IGameWindows {
  public:
    TWindowRouter(QWidget& parent, TPreferences& preferences);

    QWidget& Parent() const { return FParent; }
    TPreferences& Preferences() const { return FPreferences; }

  private:
    QWidget& FParent;
    TPreferences& FPreferences;
};

} // namespace drawmentor
