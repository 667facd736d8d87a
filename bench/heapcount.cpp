#include "bench/heapcount.h"

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<std::int64_t> liveBytes{0};

// The allocator keeps one size word in front of each block it hands out.
constexpr std::int64_t kBlockHeader = sizeof(std::size_t);

std::int64_t Footprint(void* block) {
    return static_cast<std::int64_t>(malloc_usable_size(block)) + kBlockHeader;
}

void* Allocate(std::size_t size) {
    void* block = std::malloc(size == 0 ? 1 : size);
    if (!block) throw std::bad_alloc();
    liveBytes.fetch_add(Footprint(block), std::memory_order_relaxed);
    return block;
}

void Release(void* block) noexcept {
    if (!block) return;
    liveBytes.fetch_sub(Footprint(block), std::memory_order_relaxed);
    std::free(block);
}

}  // namespace

std::int64_t LiveHeapBytes() {
    return liveBytes.load(std::memory_order_relaxed);
}

void* operator new(std::size_t size) {
    return Allocate(size);
}
void* operator new[](std::size_t size) {
    return Allocate(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return Allocate(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return Allocate(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
void operator delete(void* block) noexcept {
    Release(block);
}
void operator delete[](void* block) noexcept {
    Release(block);
}
void operator delete(void* block, std::size_t) noexcept {
    Release(block);
}
void operator delete[](void* block, std::size_t) noexcept {
    Release(block);
}
void operator delete(void* block, const std::nothrow_t&) noexcept {
    Release(block);
}
void operator delete[](void* block, const std::nothrow_t&) noexcept {
    Release(block);
}
