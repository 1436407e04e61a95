#pragma once

#include <cstddef>

namespace velk::posix {

// Faults in the heap's next `bytes`, rounded up to whole huge pages, with one call, in huge
// pages where the kernel gives them, and keeps them for the rest of the process. For a
// short-lived program whose allocations would otherwise fault in a fresh page each: on a
// virtual machine a small page costs microseconds at its first write, even when it was faulted
// in ahead, and a huge page does not. Drawing one page allocates about a megabyte in blocks of
// a few bytes to a few hundred kilobytes. Blocks up to the prepared size come from the heap
// from then on, so that such blocks land in the prepared memory rather than in mappings of
// their own. Meant for the start of a program, before it allocates much.
void PrepareHeap(std::size_t bytes);

} // namespace velk::posix
