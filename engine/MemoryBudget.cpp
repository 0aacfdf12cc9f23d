#include "MemoryBudget.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <malloc.h>

namespace quirekit {

namespace {

constexpr std::int64_t kUnlimited = std::numeric_limits<std::int64_t>::max();

// What a block takes, as the allocator itself knows it: no header of our own is needed, which
// would add to every one of MuPDF's many small objects.
std::int64_t sizeOf(void *block)
{
    return static_cast<std::int64_t>(::malloc_usable_size(block));
}

} // namespace

MemoryBudget::MemoryBudget() : m_allocator{this, allocate, reallocate, release}, m_ceiling(kUnlimited)
{
}

void MemoryBudget::limit(std::size_t bytes)
{
    const std::int64_t held = m_held.load(std::memory_order_relaxed);
    const bool unlimited = bytes == 0 || bytes > static_cast<std::size_t>(kUnlimited - held);
    m_ceiling.store(unlimited ? kUnlimited : held + static_cast<std::int64_t>(bytes), std::memory_order_relaxed);
    m_refused.store(false, std::memory_order_relaxed);
}

bool MemoryBudget::admits(std::size_t more)
{
    const std::int64_t ceiling = m_ceiling.load(std::memory_order_relaxed);
    if (ceiling == kUnlimited)
        return true;
    const std::int64_t held = m_held.load(std::memory_order_relaxed);
    if (more <= static_cast<std::size_t>(std::max<std::int64_t>(0, ceiling - held)))
        return true;
    m_refused.store(true, std::memory_order_relaxed);
    return false;
}

void *MemoryBudget::allocate(void *user, std::size_t size)
{
    auto *budget = static_cast<MemoryBudget *>(user);
    if (!budget->admits(size))
        return nullptr;
    void *block = std::malloc(size);
    if (block)
        budget->m_held.fetch_add(sizeOf(block), std::memory_order_relaxed);
    return block;
}

void *MemoryBudget::reallocate(void *user, void *block, std::size_t size)
{
    if (!block)
        return allocate(user, size);
    auto *budget = static_cast<MemoryBudget *>(user);
    if (size == 0) {
        release(user, block);
        return nullptr;
    }
    const std::int64_t old = sizeOf(block);
    if (size > static_cast<std::size_t>(old) && !budget->admits(size - static_cast<std::size_t>(old)))
        return nullptr;
    void *moved = std::realloc(block, size);
    if (moved)
        budget->m_held.fetch_add(sizeOf(moved) - old, std::memory_order_relaxed);
    return moved;
}

void MemoryBudget::release(void *user, void *block)
{
    if (!block)
        return;
    auto *budget = static_cast<MemoryBudget *>(user);
    budget->m_held.fetch_sub(sizeOf(block), std::memory_order_relaxed);
    std::free(block);
}

} // namespace quirekit
