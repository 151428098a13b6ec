#pragma once
// A malloc of the program's own, counting the bytes in use, so that a test or
// a benchmark can tell the most memory an operation held at once. Linked only
// into the programs that measure.
#include <cstddef>

namespace portdesk::test {

// Bytes allocated and not yet freed, whoever asked (Qt, the C++ library).
std::size_t heapInUse();
// The most heapInUse() has been since the last resetHeapPeak().
std::size_t heapPeak();
void resetHeapPeak();

} // namespace portdesk::test
