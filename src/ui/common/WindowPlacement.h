#pragma once

#include <QString>

class QWidget;

namespace drawmentor {

class TIniFile;

// A window's place and size, kept per screen size: section "<name> W#H".
QString PlacementSection(const QWidget& window, const QString& name);
// Restores a stored placement; false (nothing moved) when none is stored.
bool RestorePlacement(QWidget& window, const TIniFile& ini, const QString& name);
void SavePlacement(const QWidget& window, TIniFile& ini, const QString& name);

} // namespace drawmentor
