#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace drawmentor {

class TPreferences;

// A small pick-one list: the chosen index, or -1 when cancelled.
int ChooseFromList(QWidget* parent, const QString& caption, const QStringList& items, int index,
                   const TPreferences& preferences);

} // namespace drawmentor
