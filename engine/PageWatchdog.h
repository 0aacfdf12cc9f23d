#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace quirekit {

// Stops the drawing of a page whose time is up: MuPDF looks at its cookie's abort flag
// between drawing operators, and this sets it from a thread of its own when the page's
// deadline passes. The thread is started for the first page watched and ends with the
// watchdog; a watchdog serves one drawing thread.
class PageWatchdog {
public:
    PageWatchdog() = default;
    ~PageWatchdog();

    PageWatchdog(const PageWatchdog &) = delete;
    PageWatchdog &operator=(const PageWatchdog &) = delete;

    // What happens to a drawing that does not stop when asked: MuPDF looks at the flag only
    // between operators, and some single steps (decoding an image, a content stream that
    // inflates to endless blanks) can take minutes or never end. Once `after` has passed
    // since the flag was set, endStuck(page) is called from the watchdog's thread, which
    // must end the process; with a null endStuck, the drawing is left to end when it can.
    struct Stuck {
        std::chrono::milliseconds after{0};
        void (*endStuck)(int page) = nullptr;
    };

    // Sets *abort to 1 once `time` has passed, unless stop() comes first. The flag must stay
    // valid until stop(). Where no thread can be had, the page is simply not watched.
    void watch(int *abort, std::chrono::milliseconds time, int page, Stuck stuck);
    // Ends the watch; true when the time was up first.
    bool stop();

private:
    void run();

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::thread m_thread;
    int *m_abort = nullptr; // the flag of the page watched, null between pages
    std::chrono::steady_clock::time_point m_deadline;
    int m_page = 0;
    Stuck m_stuck;
    bool m_fired = false;
    bool m_ending = false;
};

} // namespace quirekit
