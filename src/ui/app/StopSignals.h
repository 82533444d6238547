#pragma once

#include <QObject>

class QSocketNotifier;

namespace drawmentor {

// A request to stop from outside (SIGTERM at logout or shutdown, SIGHUP when
// the terminal goes, SIGINT) ends the program as Exit does: the windows
// close, so an open hand is collected, and the event loop returns to main,
// which writes the settings. The handler only writes a byte to a socket; the
// work runs in the event loop, where it is safe. One object per process.
class TStopSignals : public QObject {
    Q_OBJECT

  public:
    explicit TStopSignals(QObject* parent = nullptr);
    ~TStopSignals() override;

  private:
    void Stop();

    QSocketNotifier* FNotifier = nullptr;
};

} // namespace drawmentor
