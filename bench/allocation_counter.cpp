#include "bench/allocation_counter.h"

#include <atomic>
#include <cstdlib>
#include <new>

#ifdef _WIN32
#include "platform/platform_log.h"
#endif

namespace {

std::atomic<std::uint64_t> counted{0};

#ifdef _WIN32
void* counted_new(std::size_t bytes) {
    counted.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(bytes == 0 ? 1 : bytes)) return p;
    throw std::bad_alloc();
}
#endif

}  // namespace

#ifndef _WIN32
// glibc's own allocator under the names the program's calls reach. (The
// native benchmark is built without AddressSanitizer, which would replace
// these itself.)
extern "C" {
void* __libc_malloc(std::size_t);
void* __libc_calloc(std::size_t, std::size_t);
void* __libc_realloc(void*, std::size_t);
void __libc_free(void*);

void* malloc(std::size_t bytes) {
    counted.fetch_add(1, std::memory_order_relaxed);
    return __libc_malloc(bytes);
}
void* calloc(std::size_t count, std::size_t bytes) {
    counted.fetch_add(1, std::memory_order_relaxed);
    return __libc_calloc(count, bytes);
}
void* realloc(void* block, std::size_t bytes) {
    counted.fetch_add(1, std::memory_order_relaxed);
    return __libc_realloc(block, bytes);
}
void free(void* block) { __libc_free(block); }
}

// Natively operator new reaches malloc, counted above.
std::uint64_t bench::allocations() { return counted.load(std::memory_order_relaxed); }
#else
void* operator new(std::size_t bytes) { return counted_new(bytes); }
void* operator new[](std::size_t bytes) { return counted_new(bytes); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

std::uint64_t bench::allocations() {
    return counted.load(std::memory_order_relaxed) +
           static_cast<std::uint64_t>(platform::platform_log().heap_allocations);
}
#endif
