#include "soakwatchdog.h"

#include <cstdio>
#include <cstdlib>

SoakWatchdog::SoakWatchdog(quint64 seed, int limitSeconds)
    : seed_(seed), limit_(limitSeconds), lastBeat_(std::chrono::steady_clock::now()) {
    thread_ = std::thread([this] { Watch(); });
}

SoakWatchdog::~SoakWatchdog() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    stop_.notify_all();
    thread_.join();
}

void SoakWatchdog::Beat(int event, const std::string& sent) {
    std::lock_guard<std::mutex> lock(mutex_);
    lastBeat_ = std::chrono::steady_clock::now();
    event_ = event;
    sent_ = sent;
}

void SoakWatchdog::Watch() {
    std::unique_lock<std::mutex> lock(mutex_);
    while (!stopping_) {
        stop_.wait_for(lock, std::chrono::seconds(1));
        if (stopping_ || std::chrono::steady_clock::now() - lastBeat_ < limit_) {
            continue;
        }
        std::fprintf(stderr,
                     "soak: seed %llu: event %d: hang: the program has not answered for %lld s "
                     "(last sent: %s)\n"
                     "soak: replay with --seed %llu --events %d\n",
                     static_cast<unsigned long long>(seed_), event_,
                     static_cast<long long>(limit_.count()), sent_.c_str(),
                     static_cast<unsigned long long>(seed_), event_);
        std::fflush(stderr);
        std::_Exit(3);
    }
}
