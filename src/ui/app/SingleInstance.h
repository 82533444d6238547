#pragma once

#include <QLocalServer>
#include <QObject>

#include <memory>

class QWidget;

namespace drawmentor {

// One running trainer per user: the first start listens on a local socket in
// the user's private runtime folder; a second start asks the first to come to
// the front and ends. Anything else arriving on the socket is ignored.
class TSingleInstance : public QObject {
    Q_OBJECT

  public:
    explicit TSingleInstance(const QString& name = DefaultName());
    // True when another instance answered (and was asked to show itself).
    bool ActivateRunning();
    // Starts listening; false when the socket cannot be had (another instance
    // holds it, or there is no private folder for it).
    bool Listen();
    // "DrawMentor.socket" in $XDG_RUNTIME_DIR, else in the platform's runtime
    // folder; empty when neither is a folder only this user can enter.
    static QString DefaultName();
    static bool IsPrivateFolder(const QString& folder);

  signals:
    void ActivationRequested();

  private:
    QString FName;
    std::unique_ptr<QLocalServer> FServer;
};

// Brings a window to the front, restored if it was minimised.
void BringToFront(QWidget* window);

} // namespace drawmentor
