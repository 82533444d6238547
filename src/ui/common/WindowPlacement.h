#pragma once

#include <QSize>
#include <QString>

class QWidget;

namespace drawmentor {

class TIniFile;

// A window's place and size, kept per screen size: section "<name> W#H".
QString PlacementSection(const QWidget& window, const QString& name);
// Restores a stored placement; false (nothing moved) when none is stored.
bool RestorePlacement(QWidget& window, const TIniFile& ini, const QString& name);
// `size`, when given, is kept instead of the window's own.
void SavePlacement(const QWidget& window, TIniFile& ini, const QString& name, QSize size = {});

} // namespace drawmentor
