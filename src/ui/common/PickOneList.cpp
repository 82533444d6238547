#include "PickOneList.h"

#include "prefs/Preferences.h"
#include "ui/common/TextSections.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace drawmentor {

int ChooseFromList(QWidget* parent, const QString& caption, const QStringList& items, int index,
                   const TPreferences& preferences) {
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("  ") + caption);
    auto* layout = new QVBoxLayout(&dialog);
    auto* list = new QListWidget(&dialog);
    list->setObjectName(QStringLiteral("lbItems"));
    for (const QString& item : items) list->addItem(QStringLiteral(" ") + item);
    list->setCurrentRow(index);
    layout->addWidget(list);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Ok)
        ->setText(preferences.Texts().Translate(kMainButtonsTexts, QStringLiteral("OK")));
    buttons->button(QDialogButtonBox::Cancel)
        ->setText(preferences.Texts().Translate(kMainButtonsTexts, QStringLiteral("Cancel")));
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(list, &QListWidget::itemDoubleClicked, &dialog, &QDialog::accept);
    // Every item visible without scrolling, unless that passes half the screen.
    const int rowHeight = list->sizeHintForRow(0) > 0 ? list->sizeHintForRow(0) : 18;
    const int screenHalf =
        (parent && parent->screen() ? parent->screen() : QApplication::primaryScreen())
            ->availableGeometry()
            .height() /
        2;
    list->setFixedHeight(
        std::min(rowHeight * static_cast<int>(items.size()) + 2 * list->frameWidth(), screenHalf));
    return dialog.exec() == QDialog::Accepted ? list->currentRow() : -1;
}

} // namespace drawmentor
