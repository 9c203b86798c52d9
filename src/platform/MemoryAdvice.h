#pragma once
// Large tables that are filled once from start to end (the map tables of a run of a
// million observations) take a page fault for every 4 KiB they grow into. Backed by
// large pages they take one for every 2 MiB.
#include <cstddef>
#include <thread>
#include <utility>
#include <vector>

namespace tavrelo {

// Asks the system to back the whole large pages inside [data, data + bytes) with
// large pages; does nothing where the system does not offer them or the block is small.
void AdviseLargePages(const void* data, size_t bytes);

// Fresh memory costs the kernel a page clearing at its first write, which on a run of
// a million records is a fifth of the time. A prefaulter has the kernel map reserved
// blocks writable on a thread of its own, in step from their starts, while the owner
// fills them; the contents are never touched. Where the system cannot do it, or the
// blocks are small, it does nothing. The destructor waits for the thread.
class BackgroundPrefault {
public:
    BackgroundPrefault() = default;
    ~BackgroundPrefault();
    BackgroundPrefault(const BackgroundPrefault&) = delete;
    BackgroundPrefault& operator=(const BackgroundPrefault&) = delete;

    void add(const void* data, size_t bytes);
    // Starts the thread, once, when the blocks together are large enough to repay it.
    void start();

private:
    std::vector<std::pair<const char*, size_t>> m_blocks;
    std::thread m_thread;
};

} // namespace tavrelo
