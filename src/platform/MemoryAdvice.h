#pragma once
// Large tables that are filled once from start to end (the map tables of a run of a
// million observations) take a page fault for every 4 KiB they grow into. Backed by
// large pages they take one for every 2 MiB.
#include <cstddef>

namespace tavrelo {

// Asks the system to back the whole large pages inside [data, data + bytes) with
// large pages; does nothing where the system does not offer them or the block is small.
void AdviseLargePages(const void* data, size_t bytes);

} // namespace tavrelo
