#include "PageWatchdog.h"

#include <atomic>
#include <system_error>

namespace quirekit {

PageWatchdog::~PageWatchdog()
{
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_ending = true;
    }
    m_changed.notify_one();
    if (m_thread.joinable())
        m_thread.join();
}

void PageWatchdog::watch(int *abort, std::chrono::milliseconds time, int page, Stuck stuck)
{
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_thread.joinable()) {
            try {
                m_thread = std::thread([this] { run(); });
            } catch (const std::system_error &) {
                return;
            }
        }
        m_abort = abort;
        m_deadline = std::chrono::steady_clock::now() + time;
        m_page = page;
        m_stuck = stuck;
        m_fired = false;
    }
    m_changed.notify_one();
}

bool PageWatchdog::stop()
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_abort = nullptr;
    return m_fired;
}

void PageWatchdog::run()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    while (!m_ending) {
        if (!m_abort) {
            m_changed.wait(lock);
            continue;
        }
        if (std::chrono::steady_clock::now() < m_deadline) {
            m_changed.wait_until(lock, m_deadline);
            continue;
        }
        if (m_fired) {
            m_stuck.endStuck(m_page); // does not come back
            continue;
        }
        // MuPDF reads the flag as a plain int while it draws; it is written once, whole.
        std::atomic_ref<int>(*m_abort).store(1, std::memory_order_relaxed);
        m_fired = true;
        if (m_stuck.endStuck)
            m_deadline += m_stuck.after;
        else
            m_abort = nullptr;
    }
}

} // namespace quirekit
