#include "app/quitsignals.h"

#include <sys/signalfd.h>
#include <unistd.h>

#include <pthread.h>

namespace quarvel {

QuitSignals::QuitSignals()
{
    sigset_t taken;
    sigemptyset(&taken);
    sigaddset(&taken, SIGTERM);
    sigaddset(&taken, SIGINT);
    struct sigaction hangup {};
    if (sigaction(SIGHUP, nullptr, &hangup) == 0 && hangup.sa_handler != SIG_IGN)
        sigaddset(&taken, SIGHUP);
    if (pthread_sigmask(SIG_BLOCK, &taken, nullptr) != 0)
        return;
    descriptor_ = signalfd(-1, &taken, SFD_NONBLOCK | SFD_CLOEXEC);
    if (descriptor_ < 0) // the signals keep their ordinary effect
        pthread_sigmask(SIG_UNBLOCK, &taken, nullptr);
}

// The signals stay blocked: the program is ending, and one that comes now
// must not kill it before it has.
QuitSignals::~QuitSignals()
{
    notifier_.reset();
    if (descriptor_ >= 0)
        close(descriptor_);
}

void QuitSignals::onArrival(std::function<void()> quit)
{
    if (descriptor_ < 0)
        return;
    notifier_ = std::make_unique<QSocketNotifier>(descriptor_, QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(),
                     [descriptor = descriptor_, quit = std::move(quit)] {
                         signalfd_siginfo arrived;
                         bool any = false;
                         while (read(descriptor, &arrived, sizeof arrived) == sizeof arrived)
                             any = true;
                         if (any)
                             quit();
                     });
}

} // namespace quarvel
