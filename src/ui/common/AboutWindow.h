#pragma once

#include <QString>

class QWidget;

namespace drawmentor {

class TPreferences;

void ShowAbout(QWidget* parent, const TPreferences& preferences);
// The build's version, four numbers.
QString ProgramVersion();
// "DrawMentor" and the major and minor version: the title of the program's own boxes.
QString ProgramTitle();

} // namespace drawmentor
