#pragma once

#include <QObject>

#include <functional>

class QMainWindow;

namespace drawmentor {

// The play keys of the main window, seen before any control: Space deals or
// draws, 1..5 hold, Esc releases, H hints, D doubles, + and - change the bet.
// They reach the game whenever no menu is open, even when the menu bar kept
// the keyboard after a menu was closed with Esc. A key acts on release and is
// consumed only when it did something (Esc and the card keys always are).
class TPlayKeys : public QObject {
    Q_OBJECT

  public:
    // `act` performs a key and says whether it did something.
    TPlayKeys(QMainWindow& window, std::function<bool(int key)> act);
    ~TPlayKeys() override;

    static bool IsPlayKey(int key);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QMainWindow& FWindow;
    std::function<bool(int key)> FAct;
};

} // namespace drawmentor
