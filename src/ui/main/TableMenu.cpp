#include "TableMenu.h"

#include "TableSize.h"
#include "TableSounds.h"

#include "ui/app/Application.h"

#include <QAction>
#include <QActionGroup>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace drawmentor {
namespace {

QAction* Item(QMenu* menu, const char* name, const char* key) {
    auto* action = menu->addAction(QString());
    action->setObjectName(QString::fromLatin1(name));
    action->setProperty("textKey", QString::fromLatin1(key));
    return action;
}

} // namespace

TTableMenu::TTableMenu(QMainWindow& window, TTableSizer& sizer, TTableSounds& sounds)
    : QObject(&window), FSizer(sizer), FSounds(sounds) {
    auto* options = window.menuBar()->findChild<QMenu*>(QStringLiteral("miPreferences"));
    if (!options) return;
    options->addSeparator();
    QMenu* sizes = options->addMenu(QString());
    sizes->setObjectName(QStringLiteral("miTableSize"));
    sizes->menuAction()->setProperty("textKey", QStringLiteral("TableSize"));
    auto* group = new QActionGroup(sizes);
    const char* names[3][2] = {
        {"miSizeStandard", "SizeStandard"}, {"miSizeLarge", "SizeLarge"}, {"miSizeFit", "SizeFit"}};
    for (int size = 0; size < 3; ++size) {
        FSizes[size] = Item(sizes, names[size][0], names[size][1]);
        FSizes[size]->setCheckable(true);
        group->addAction(FSizes[size]);
        connect(FSizes[size], &QAction::triggered, this, [this, size] {
            TApplication::Guarded([&] { FSizer.SetSize(static_cast<TTableSize>(size), true); });
            emit Chosen();
        });
    }
    connect(sizes, &QMenu::aboutToShow, this, &TTableMenu::Refresh);
    FSound = Item(options, "miSound", "Sound");
    FSound->setCheckable(true);
    // The setting decides, not the check mark: it may have been read since.
    connect(FSound, &QAction::triggered, this, [this] {
        FSounds.SetEnabled(!FSounds.Enabled());
        Refresh();
        emit Chosen();
    });
    connect(options, &QMenu::aboutToShow, this, &TTableMenu::Refresh);
    Refresh();
}

void TTableMenu::Refresh() {
    FSizes.at(static_cast<int>(FSizer.Size()))->setChecked(true);
    FSound->setChecked(FSounds.Enabled());
}

} // namespace drawmentor
