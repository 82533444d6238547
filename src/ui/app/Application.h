#pragma once

#include <QApplication>

#include <exception>
#include <functional>
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
    template <class TWork> static void Guarded(TWork&& work) {
        try {
            std::forward<TWork>(work)();
        } catch (...) {
            Report(std::current_exception());
        }
    }
    // A slot for connect() that runs `member` of `object` through Guarded.
    template <class TObject> static auto GuardedSlot(TObject* object, void (TObject::*member)()) {
        return [object, member] { Guarded([&] { (object->*member)(); }); };
    }
};

} // namespace drawmentor
