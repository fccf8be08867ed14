#pragma once

#include <QtGlobal>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

// Notices a program that stopped answering: the driver beats at every step
// it takes from the event loop, and when no beat comes for the limit the
// watchdog names the seed, the event and what was sent last, and ends the
// process with status 3, rather than waiting for ever.
class SoakWatchdog {
public:
    SoakWatchdog(quint64 seed, int limitSeconds);
    ~SoakWatchdog();
    SoakWatchdog(const SoakWatchdog&) = delete;
    SoakWatchdog& operator=(const SoakWatchdog&) = delete;

    void Beat(int event, const std::string& sent);

private:
    void Watch();

    const quint64 seed_;
    const std::chrono::seconds limit_;
    std::mutex mutex_;
    std::condition_variable stop_;
    bool stopping_ = false;
    std::chrono::steady_clock::time_point lastBeat_;
    int event_ = 0;
    std::string sent_;
    std::thread thread_;
};
