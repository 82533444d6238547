#pragma once

#include <QObject>

#include <array>

class QAction;
class QMainWindow;

namespace drawmentor {

class TTableSizer;
class TTableSounds;

// The table's own items at the end of the Options menu: the table size as
// three choices, and the sounds on or off. Texts come with the rest of the menu (property
// "textKey").
class TTableMenu : public QObject {
    Q_OBJECT

  public:
    TTableMenu(QMainWindow& window, TTableSizer& sizer, TTableSounds& sounds);

    QAction* SizeItem(int size) const { return FSizes.at(size); }
    QAction* SoundItem() const { return FSound; }

  signals:
    // A size or the sound was chosen.
    void Chosen();

  private:
    void Refresh();

    TTableSizer& FSizer;
    TTableSounds& FSounds;
    std::array<QAction*, 3> FSizes{};
    QAction* FSound = nullptr;
};

} // namespace drawmentor
