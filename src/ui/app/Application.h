#pragma once

#include <QApplication>

#include <functional>

namespace drawmentor {

// The application object: every exception that reaches the event loop is
// reported (the message with all its context lines, the raising address and
// the trace) and the program goes on.
class TApplication : public QApplication {
    Q_OBJECT

  public:
    TApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

    // Where reports go: the report window by default; tests collect them.
    static void SetReportHandler(std::function<void(const QString&)> handler);
    static void Report(const std::exception_ptr& error);
};

} // namespace drawmentor
