#include "crashnote.h"

#include <unistd.h>

#include <atomic>
#include <csignal>
#include <cstdio>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
#endif

namespace {

std::atomic<int> currentEvent{0};
quint64 currentSeed = 0;

// Only what a signal handler may call: the line is put together in a
// buffer of its own and written at once.
void WriteNote(const char* what) {
    char line[200];
    const int length =
        std::snprintf(line, sizeof line,
                      "soak: seed %llu: event %d: %s\n"
                      "soak: replay with --seed %llu --events %d\n",
                      static_cast<unsigned long long>(currentSeed), currentEvent.load(), what,
                      static_cast<unsigned long long>(currentSeed), currentEvent.load());
    if (length > 0) {
        [[maybe_unused]] const ssize_t written =
            ::write(STDERR_FILENO, line, static_cast<size_t>(qMin<int>(length, sizeof line - 1)));
    }
}

#if !defined(__SANITIZE_ADDRESS__)
void OnCrash(int signal) {
    WriteNote(signal == SIGABRT ? "crash (abort)" : "crash (signal)");
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}
#endif

}  // namespace

void NoteCrashesOf(quint64 seed) {
    currentSeed = seed;
#if defined(__SANITIZE_ADDRESS__)
    // The sanitizers keep their own handlers, which print the stack.
    __sanitizer_set_death_callback([] { WriteNote("crash (sanitizer finding)"); });
#else
    for (const int signal : {SIGSEGV, SIGABRT, SIGBUS, SIGFPE, SIGILL}) {
        std::signal(signal, OnCrash);
    }
#endif
}

void NoteEvent(int event) {
    currentEvent.store(event);
}
