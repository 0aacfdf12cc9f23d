#pragma once

extern "C" {
#include <mupdf/fitz.h> // fz_alloc_context has no name of its own to declare ahead
}

#include <atomic>
#include <cstddef>
#include <cstdint>

namespace quirekit {

// The allocator of one MuPDF context: it counts the bytes the context holds (as malloc sizes
// its blocks) and, while a limit is set, refuses any allocation that would take them more
// than that limit past what they were when it was set. A page drawn under a limit cannot take
// the process's memory with a single huge image, a stream that inflates without end or a path
// of millions of points: the allocation fails, and MuPDF turns that into its out-of-memory
// error after first letting go of what it keeps for later. Must outlive the context made
// with it.
class MemoryBudget {
public:
    MemoryBudget();

    MemoryBudget(const MemoryBudget &) = delete;
    MemoryBudget &operator=(const MemoryBudget &) = delete;

    // For fz_new_context().
    const fz_alloc_context *allocator() const { return &m_allocator; }
    // From now on at most `bytes` more may be held; 0 lifts the limit.
    void limit(std::size_t bytes);
    // Whether an allocation was refused since limit() was last called.
    bool refused() const { return m_refused.load(std::memory_order_relaxed); }

private:
    static void *allocate(void *budget, std::size_t size);
    static void *reallocate(void *budget, void *block, std::size_t size);
    static void release(void *budget, void *block);
    bool admits(std::size_t more);

    fz_alloc_context m_allocator;
    // Held by the context; atomic, as MuPDF lets a font shaper allocate through whichever
    // context set it up last, from another thread.
    std::atomic<std::int64_t> m_held{0};
    std::atomic<std::int64_t> m_ceiling; // the most that may be held, while limited
    std::atomic<bool> m_refused{false};
};

} // namespace quirekit
