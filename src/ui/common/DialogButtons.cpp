#include "DialogButtons.h"

#include <QBoxLayout>
#include <QDialog>
#include <QPushButton>

namespace drawmentor {

TDialogButtons AddDialogButtons(QDialog& dialog, QBoxLayout& layout) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    TDialogButtons buttons{new QPushButton(&dialog), new QPushButton(&dialog)};
    buttons.OK->setObjectName(QStringLiteral("btnOK"));
    buttons.OK->setDefault(true);
    buttons.Cancel->setObjectName(QStringLiteral("btnCancel"));
    row->addWidget(buttons.OK);
    row->addWidget(buttons.Cancel);
    layout.addLayout(row);
    QObject::connect(buttons.OK, &QPushButton::clicked, &dialog, &QDialog::accept);
    QObject::connect(buttons.Cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
    return buttons;
}

} // namespace drawmentor
