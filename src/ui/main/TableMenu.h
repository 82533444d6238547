#pragma once

#include <QObject>

#include <array>

class QAction;
class QMainWindow;

namespace drawmentor {

class TTableSizer;

// The table's own items at the end of the Options menu: the table size as
// three choices. Texts come with the rest of the menu (property "textKey").
class TTableMenu : public QObject {
    Q_OBJECT

  public:
    TTableMenu(QMainWindow& window, TTableSizer& sizer);

    QAction* SizeItem(int size) const { return FSizes.at(size); }

  private:
    void Refresh();

    TTableSizer& FSizer;
    std::array<QAction*, 3> FSizes{};
};

} // namespace drawmentor
