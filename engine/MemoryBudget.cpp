#include "MemoryBudget.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace quirekit {

namespace {

// Each block carries its size ahead of it, so that freeing it can count it off. Sixteen
// bytes keep the block as aligned as malloc's.
constexpr std::size_t kHeader = 16;
constexpr std::int64_t kUnlimited = std::numeric_limits<std::int64_t>::max();

std::size_t sizeOf(void *block)
{
    std::size_t size = 0;
    std::memcpy(&size, static_cast<char *>(block) - kHeader, sizeof size);
    return size;
}

void *withSize(void *base, std::size_t size)
{
    std::memcpy(base, &size, sizeof size);
    return static_cast<char *>(base) + kHeader;
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
    if (size > std::numeric_limits<std::size_t>::max() - kHeader || !budget->admits(size))
        return nullptr;
    void *base = std::malloc(size + kHeader);
    if (!base)
        return nullptr;
    budget->m_held.fetch_add(static_cast<std::int64_t>(size), std::memory_order_relaxed);
    return withSize(base, size);
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
    const std::size_t old = sizeOf(block);
    if (size > std::numeric_limits<std::size_t>::max() - kHeader || (size > old && !budget->admits(size - old)))
        return nullptr;
    void *base = std::realloc(static_cast<char *>(block) - kHeader, size + kHeader);
    if (!base)
        return nullptr;
    budget->m_held.fetch_add(static_cast<std::int64_t>(size) - static_cast<std::int64_t>(old),
                             std::memory_order_relaxed);
    return withSize(base, size);
}

void MemoryBudget::release(void *user, void *block)
{
    if (!block)
        return;
    auto *budget = static_cast<MemoryBudget *>(user);
    budget->m_held.fetch_sub(static_cast<std::int64_t>(sizeOf(block)), std::memory_order_relaxed);
    std::free(static_cast<char *>(block) - kHeader);
}

} // namespace quirekit
