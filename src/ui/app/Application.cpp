#include "Application.h"

#include "ExceptionReport.h"

#include "core/Error.h"
#include "prefs/Preferences.h"

#include <execinfo.h>

namespace drawmentor {
namespace {

std::function<void(const QString&)>& ReportHandler() {
    static std::function<void(const QString&)> handler;
    return handler;
}

// Return addresses of the raising code, innermost first, without the frames
// of the capture itself.
std::vector<const void*> CaptureTrace() {
    void* frames[52];
    const int count = backtrace(frames, 52);
    std::vector<const void*> trace;
    for (int i = 2; i < count; ++i) trace.push_back(frames[i]);
    return trace;
}

} // namespace

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {
    SetTraceCapture(&CaptureTrace);
}

void TApplication::SetReportHandler(std::function<void(const QString&)> handler) {
    ReportHandler() = std::move(handler);
}

void TApplication::Report(const std::exception_ptr& error) {
    const QString text = ExceptionReportText(error);
    if (ReportHandler()) {
        ReportHandler()(text);
        return;
    }
    ShowExceptionReport(QApplication::activeWindow(), text, Preferences());
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        Report(std::current_exception());
        return true;
    }
}

} // namespace drawmentor
