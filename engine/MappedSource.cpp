#include "MappedSource.h"

#include <atomic>
#include <csignal>
#include <cstdint>
#include <sys/mman.h>
#include <unistd.h>

namespace quirekit {

namespace {

// The handler can only reach static storage: the guarded mappings live in a few slots.
struct Guarded {
    std::atomic<std::uintptr_t> start{0}; // 0: the slot is free
    std::atomic<std::uintptr_t> end{0};
    std::atomic<bool> shrank{false};
};
constexpr int kSlots = 16;
Guarded s_guarded[kSlots];
struct sigaction s_previous;
std::atomic<bool> s_installed{false};
std::uintptr_t s_pageSize = 4096; // read when the handler is installed: sysconf is not for handlers

// A read past the end of a truncated file: zero pages are put in place of the rest of the
// mapping so the read goes on, and the slot remembers it. Faults anywhere else go to the
// handler that was there before (a sanitizer's, or the default one that ends the process).
extern "C" void onBusError(int signo, siginfo_t *info, void *context)
{
    const auto address = reinterpret_cast<std::uintptr_t>(info->si_addr);
    for (Guarded &slot : s_guarded) {
        const std::uintptr_t start = slot.start.load();
        const std::uintptr_t end = slot.end.load();
        if (start == 0 || address < start || address >= end)
            continue;
        const std::uintptr_t from = address & ~(s_pageSize - 1);
        // mmap is a plain system call here, safe in a handler in practice though POSIX
        // does not list it.
        if (::mmap(reinterpret_cast<void *>(from), end - from, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1,
                   0)
            == MAP_FAILED)
            break;
        slot.shrank.store(true);
        return;
    }
    if (s_previous.sa_flags & SA_SIGINFO) {
        if (s_previous.sa_sigaction)
            s_previous.sa_sigaction(signo, info, context);
        return;
    }
    if (s_previous.sa_handler != SIG_IGN && s_previous.sa_handler != SIG_DFL) {
        s_previous.sa_handler(signo);
        return;
    }
    ::signal(signo, SIG_DFL); // the fault repeats on return, now with the default action
}

bool installHandler()
{
    if (s_installed.exchange(true))
        return true;
    s_pageSize = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    struct sigaction action { };
    action.sa_sigaction = onBusError;
    action.sa_flags = SA_SIGINFO | SA_NODEFER;
    sigemptyset(&action.sa_mask);
    if (::sigaction(SIGBUS, &action, &s_previous) != 0) {
        s_installed = false;
        return false;
    }
    return true;
}

} // namespace

MappedSource::~MappedSource()
{
    if (!m_data)
        return;
    ::munmap(const_cast<unsigned char *>(m_data), m_size);
    s_guarded[m_slot].shrank = false;
    s_guarded[m_slot].end = 0;
    s_guarded[m_slot].start = 0;
}

bool MappedSource::map(int fd, std::size_t size)
{
    if (m_data || size == 0 || !installHandler())
        return false;
    int slot = -1;
    for (int i = 0; i < kSlots && slot < 0; ++i) {
        std::uintptr_t free = 0;
        // Claimed with a placeholder until the mapping's address is known.
        if (s_guarded[i].start.compare_exchange_strong(free, 1))
            slot = i;
    }
    if (slot < 0)
        return false;
    void *data = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
    if (data == MAP_FAILED) {
        s_guarded[slot].start = 0;
        return false;
    }
    m_data = static_cast<const unsigned char *>(data);
    m_size = size;
    m_slot = slot;
    s_guarded[slot].shrank = false;
    s_guarded[slot].end = reinterpret_cast<std::uintptr_t>(data) + size;
    s_guarded[slot].start = reinterpret_cast<std::uintptr_t>(data);
    return true;
}

bool MappedSource::shrank() const
{
    return m_data && s_guarded[m_slot].shrank.load();
}

} // namespace quirekit
