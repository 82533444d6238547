#pragma once

#include <QString>
#include <QStringList>

#include <exception>

class QWidget;

namespace drawmentor {

class TPreferences;

// A small pick-one list: the chosen index, or -1 when cancelled.
int ChooseFromList(QWidget* parent, const QString& caption, const QStringList& items, int index,
                   const TPreferences& preferences);

// The program's help: the topic page of a help context in the help language,
// in a help window with links between the topics. False (after telling the
// player) when no help is installed.
bool ShowHelp(QWidget* parent, int helpContext, const TPreferences& preferences);
QString HelpTopic(int helpContext);

void ShowAbout(QWidget* parent, const TPreferences& preferences);
QString ProgramVersion();

// The text of the exception report: version, the message with its context
// lines, the raising address and the return addresses of the trace.
QString ExceptionReportText(const std::exception_ptr& error);
void ShowExceptionReport(QWidget* parent, const QString& text, const TPreferences& preferences);

} // namespace drawmentor
