// The replaced global operator new and delete family. They allocate with malloc and free with
// free, as the ones they replace, and count while asked to. The counter has to be global: operator
// new is reached from everywhere without a context.

#include "counting_new.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace volley::testing {

namespace {

std::atomic<bool> counting{false};
std::atomic<long> counted{0};
std::atomic<size_t> firstSize{0};

void Note(size_t size) {
    if (counting.load(std::memory_order_relaxed)) {
        if (counted.fetch_add(1, std::memory_order_relaxed) == 0) {
            firstSize.store(size, std::memory_order_relaxed);
        }
    }
}

void* Allocate(size_t size) {
    Note(size);
    // malloc(0) may give null; new must give a distinct pointer.
    return std::malloc(size == 0 ? 1 : size);
}

void* AllocateAligned(size_t size, std::align_val_t alignment) {
    Note(size);
    const auto align = static_cast<size_t>(alignment);
    // aligned_alloc wants a size that is a whole number of alignments.
    const size_t rounded = (size + align - 1) / align * align;
    return std::aligned_alloc(align, rounded == 0 ? align : rounded);
}

void* AllocateOrThrow(size_t size) {
    if (void* p = Allocate(size)) {
        return p;
    }
    throw std::bad_alloc();
}

void* AllocateAlignedOrThrow(size_t size, std::align_val_t alignment) {
    if (void* p = AllocateAligned(size, alignment)) {
        return p;
    }
    throw std::bad_alloc();
}

}  // namespace

void StartCountingAllocations() {
    counting = true;
}

bool StopCountingAllocations() {
    return counting.exchange(false);
}

long CountedAllocations() {
    return counted;
}

size_t FirstCountedSize() {
    return firstSize;
}

}  // namespace volley::testing

using volley::testing::Allocate;
using volley::testing::AllocateAligned;
using volley::testing::AllocateAlignedOrThrow;
using volley::testing::AllocateOrThrow;

void* operator new(size_t size) {
    return AllocateOrThrow(size);
}
void* operator new[](size_t size) {
    return AllocateOrThrow(size);
}
void* operator new(size_t size, const std::nothrow_t&) noexcept {
    return Allocate(size);
}
void* operator new[](size_t size, const std::nothrow_t&) noexcept {
    return Allocate(size);
}
void* operator new(size_t size, std::align_val_t alignment) {
    return AllocateAlignedOrThrow(size, alignment);
}
void* operator new[](size_t size, std::align_val_t alignment) {
    return AllocateAlignedOrThrow(size, alignment);
}
void* operator new(size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
    return AllocateAligned(size, alignment);
}
void* operator new[](size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
    return AllocateAligned(size, alignment);
}

void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, size_t) noexcept {
    std::free(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}
void operator delete(void* p, std::align_val_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::align_val_t) noexcept {
    std::free(p);
}
void operator delete(void* p, size_t, std::align_val_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, size_t, std::align_val_t) noexcept {
    std::free(p);
}
void operator delete(void* p, std::align_val_t, const std::nothrow_t&) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::align_val_t, const std::nothrow_t&) noexcept {
    std::free(p);
}
