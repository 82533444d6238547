#pragma once

#include <QString>

#include <exception>

class QWidget;

namespace drawmentor {

class TPreferences;

// The text of the exception report: version, the message with its context
// lines, the raising address and the return addresses of the trace.
QString ExceptionReportText(const std::exception_ptr& error);
void ShowExceptionReport(QWidget* parent, const QString& text, const TPreferences& preferences);

} // namespace drawmentor
