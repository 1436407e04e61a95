#pragma once

#include <cstddef>

namespace velk::posix {

// Faults in `bytes` of the heap with one call and keeps them for the rest of the process, for a
// short-lived program whose small allocations would otherwise fault in a fresh page each: on a
// virtual machine a fault costs about 13 µs, and drawing one page touches about a megabyte of
// heap in blocks of a few bytes to a few hundred kilobytes. Blocks up to `bytes` come from the
// heap from then on, so that such blocks land in the faulted-in memory rather than in mappings
// of their own. Meant for the start of a program, before it allocates much.
void PrepareHeap(std::size_t bytes);

} // namespace velk::posix
