#pragma once

#include <QLocalServer>
#include <QObject>

#include <memory>

class QWidget;

namespace drawmentor {

// One running trainer per user: the first start listens on a local socket that
// only the same user can reach; a second start asks the first to come to the
// front and ends. Anything else arriving on the socket is ignored.
class TSingleInstance : public QObject {
    Q_OBJECT

  public:
    explicit TSingleInstance(const QString& name = DefaultName());
    // True when another instance answered (and was asked to show itself).
    bool ActivateRunning();
    // Starts listening; false when the socket cannot be had.
    bool Listen();
    static QString DefaultName();

  signals:
    void ActivationRequested();

  private:
    QString FName;
    std::unique_ptr<QLocalServer> FServer;
};

// Brings a window to the front, restored if it was minimised.
void BringToFront(QWidget* window);

} // namespace drawmentor
