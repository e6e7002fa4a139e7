#pragma once

#include <QSocketNotifier>

#include <csignal>
#include <functional>
#include <memory>

namespace quarvel {

// SIGTERM, SIGINT and SIGHUP end the program as closing its window does,
// instead of killing it wherever it stands. The signals are blocked and read
// from a descriptor on the event thread, so that nothing runs inside a
// signal handler and nothing is kept where a handler could find it.
//
// SIGHUP ignored from the start (nohup) stays ignored. SIGINT and SIGTERM
// are taken even so: a shell without job control starts a program in the
// background with SIGINT ignored, and `kill -INT` is still meant to end it.
class QuitSignals {
public:
    // Blocks the signals in this thread and in every thread started after
    // it: made before the application, which starts threads of its own.
    QuitSignals();
    ~QuitSignals();
    QuitSignals(const QuitSignals &) = delete;
    QuitSignals &operator=(const QuitSignals &) = delete;

    // Runs `quit` on the event thread each time one of the signals arrives.
    void onArrival(std::function<void()> quit);

private:
    int descriptor_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
};

} // namespace quarvel
