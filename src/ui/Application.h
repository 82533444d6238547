#pragma once

#include <QApplication>
#include <QLocalServer>

#include <exception>
#include <functional>
#include <memory>
#include <utility>

namespace drawmentor {

// The application object: every exception that reaches the event loop is
// reported (the message with all its context lines, the raising address and
// the trace) and the program goes on.
//
// An exception should not get that far: Qt's own frames are built without
// exception cleanup, so one that unwinds through them leaks what they hold
// (the mouse event QApplication::notify copies for the receiver, guard
// pointers, accessibility objects). Slots connected to widgets therefore run
// their work through Guarded, which reports the error inside our own frame;
// notify's catch is the last resort.
class TApplication : public QApplication {
    Q_OBJECT

public:
    TApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

    // Where reports go: the report window by default; tests collect them.
    static void SetReportHandler(std::function<void(const QString&)> handler);
    static void Report(const std::exception_ptr& error);

    // Runs `work`; an exception it raises is reported here instead of
    // travelling on into Qt.
    template <class TWork>
    static void Guarded(TWork&& work) {
        try {
            std::forward<TWork>(work)();
        } catch (...) {
            Report(std::current_exception());
        }
    }
    // A slot for connect() that runs `member` of `object` through Guarded.
    template <class TObject>
    static auto GuardedSlot(TObject* object, void (TObject::*member)()) {
        return [object, member] { Guarded([&] { (object->*member)(); }); };
    }
};

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
