// The global operator new and delete, replaced by ones that count and then
// take the memory from malloc. Every form is replaced (plain, array,
// nothrow, aligned), so that no allocation slips past the count and every
// block goes back the way it came (a sanitizer's own nothrow form would not
// match our delete).
#include "counting_new.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<std::size_t> count{0};

void* take(std::size_t size) {
    ++count;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}

void* take_aligned(std::size_t size, std::align_val_t alignment) {
    ++count;
    const std::size_t a = static_cast<std::size_t>(alignment);
    // Room for the alignment and the pointer to give back to free.
    void* raw = std::malloc(size + a + sizeof(void*));
    if (!raw) throw std::bad_alloc();
    const auto start = reinterpret_cast<std::size_t>(raw) + sizeof(void*);
    void* aligned = reinterpret_cast<void*>((start + a - 1) / a * a);
    static_cast<void**>(aligned)[-1] = raw;
    return aligned;
}

void give_back_aligned(void* p) {
    if (p) std::free(static_cast<void**>(p)[-1]);
}
}  // namespace

std::size_t counting_new::allocations() { return count.load(); }

void* operator new(std::size_t size) { return take(size); }
void* operator new[](std::size_t size) { return take(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    ++count;
    return std::malloc(size ? size : 1);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    ++count;
    return std::malloc(size ? size : 1);
}
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
void* operator new(std::size_t size, std::align_val_t a) { return take_aligned(size, a); }
void* operator new[](std::size_t size, std::align_val_t a) { return take_aligned(size, a); }
void operator delete(void* p, std::align_val_t) noexcept { give_back_aligned(p); }
void operator delete[](void* p, std::align_val_t) noexcept { give_back_aligned(p); }
void operator delete(void* p, std::size_t, std::align_val_t) noexcept { give_back_aligned(p); }
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept { give_back_aligned(p); }
