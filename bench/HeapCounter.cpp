#include "HeapCounter.h"

#include <algorithm>
#include <cstdlib>
#include <new>

namespace {

// Per thread, so that the bookkeeping stays a few plain instructions, small beside the
// allocation itself, and leaves the comparison of two benchmarks as it is.
thread_local std::size_t liveBytes = 0;
thread_local std::size_t peakBytes = 0;
// Each block starts with its size, in a header that keeps the block's alignment.
constexpr std::size_t kHeader = alignof(std::max_align_t);

} // namespace

std::size_t HeapCounter::BytesInUse() {
    return liveBytes;
}
std::size_t HeapCounter::PeakBytes() {
    return peakBytes;
}
void HeapCounter::RestartPeak() {
    peakBytes = liveBytes;
}

void* operator new(std::size_t size) {
    void* block = std::malloc(size + kHeader);
    if (block == nullptr)
        throw std::bad_alloc();
    *static_cast<std::size_t*>(block) = size;
    liveBytes += size;
    peakBytes = std::max(peakBytes, liveBytes);
    return static_cast<char*>(block) + kHeader;
}

void operator delete(void* pointer) noexcept {
    if (pointer == nullptr)
        return;
    void* block = static_cast<char*>(pointer) - kHeader;
    liveBytes -= *static_cast<std::size_t*>(block);
    std::free(block);
}

void operator delete(void* pointer, std::size_t) noexcept {
    operator delete(pointer);
}
