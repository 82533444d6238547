#pragma once

#include <QString>

class QWidget;

namespace drawmentor {

class TPreferences;

void ShowAbout(QWidget* parent, const TPreferences& preferences);
QString ProgramVersion();

} // namespace drawmentor
