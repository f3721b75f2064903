// Linux only: SIGINT through a pipe. The handler only writes one byte, which is
// all a signal handler may safely do; a thread reads the pipe and calls back.
#include "app/cli/InterruptWatcher.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>
#include <thread>

namespace com::quorvex::products::tamblix::cli {

namespace {

constexpr char INTERRUPT = 'i';
constexpr char STOP = 's';

// The write end for the handler; a process has one watcher at a time.
volatile sig_atomic_t handlerPipe = -1;

void onSignal(int) {
    const int saved = errno;
    const char byte = INTERRUPT;
    if (handlerPipe >= 0) (void)!::write(handlerPipe, &byte, 1);
    errno = saved;
}

}  // namespace

class InterruptWatcher::Platform {
public:
    explicit Platform(std::function<void()> onInterrupt) : _onInterrupt(std::move(onInterrupt)) {
        if (::pipe2(_pipe, O_CLOEXEC) != 0) throw std::system_error(errno, std::generic_category(), "pipe2");
        handlerPipe = _pipe[1];
        _thread = std::thread([this] { _watch(); });
        struct sigaction action {};
        action.sa_handler = onSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        ::sigaction(SIGINT, &action, &_previous);
    }

    ~Platform() {
        ::sigaction(SIGINT, &_previous, nullptr);
        const char byte = STOP;
        while (::write(_pipe[1], &byte, 1) < 0 && errno == EINTR) {
        }
        _thread.join();
        handlerPipe = -1;
        ::close(_pipe[0]);
        ::close(_pipe[1]);
    }

private:
    void _watch() {
        for (;;) {
            char byte;
            const ssize_t got = ::read(_pipe[0], &byte, 1);
            if (got < 0 && errno == EINTR) continue;
            if (got <= 0 || byte == STOP) return;
            _onInterrupt();
        }
    }

    std::function<void()> _onInterrupt;
    int _pipe[2] = {-1, -1};
    std::thread _thread;
    struct sigaction _previous {};
};

InterruptWatcher::InterruptWatcher(std::function<void()> onInterrupt)
    : _platform(std::make_unique<Platform>(std::move(onInterrupt))) {}

InterruptWatcher::~InterruptWatcher() = default;

bool standardErrorIsTerminal() { return ::isatty(STDERR_FILENO) == 1; }

}  // namespace com::quorvex::products::tamblix::cli
