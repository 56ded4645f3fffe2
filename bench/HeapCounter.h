#pragma once

#include <cstddef>

// Counts the heap bytes a thread holds through operator new, replaced for the whole program in
// HeapCounter.cpp, so that a benchmark can tell its subject's memory from that of its input.
namespace HeapCounter {
// The bytes this thread holds now.
std::size_t BytesInUse();
// The most bytes this thread held at once since the last RestartPeak.
std::size_t PeakBytes();
// Starts a new peak at what the thread holds now.
void RestartPeak();
} // namespace HeapCounter
