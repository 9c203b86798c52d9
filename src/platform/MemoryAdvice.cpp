#include "platform/MemoryAdvice.h"

#include <cstdint>
#include <system_error>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace tavrelo {

namespace {

constexpr uintptr_t kLargePage = uintptr_t(2) << 20;
constexpr size_t kSmallPage = 4096;
// Below this much the kernel's clearing costs less than a thread.
constexpr size_t kWorthAThread = size_t(16) << 20;
// Each block is faulted in this many steps, all blocks one step at a time, so that
// every table stays ahead of its writer.
constexpr size_t kSteps = 64;

#if defined(__linux__) && defined(MADV_POPULATE_WRITE)
void populate(const char* from, const char* to)
{
    const auto start = reinterpret_cast<uintptr_t>(from) & ~(uintptr_t(kSmallPage) - 1);
    const auto end = reinterpret_cast<uintptr_t>(to);
    if (end > start)
        madvise(reinterpret_cast<void*>(start), end - start, MADV_POPULATE_WRITE); // a refusal changes nothing
}
#endif

} // namespace

void AdviseLargePages(const void* data, size_t bytes)
{
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    const auto start = (reinterpret_cast<uintptr_t>(data) + kLargePage - 1) & ~(kLargePage - 1);
    const auto end = (reinterpret_cast<uintptr_t>(data) + bytes) & ~(kLargePage - 1);
    if (data && end > start)
        madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE); // advice only: a refusal changes nothing
#else
    (void)data;
    (void)bytes;
#endif
}

BackgroundPrefault::~BackgroundPrefault()
{
    if (m_thread.joinable())
        m_thread.join();
}

void BackgroundPrefault::add(const void* data, size_t bytes)
{
    if (data && bytes > 0)
        m_blocks.emplace_back(static_cast<const char*>(data), bytes);
}

void BackgroundPrefault::start()
{
#if defined(__linux__) && defined(MADV_POPULATE_WRITE)
    size_t total = 0;
    for (const auto& block : m_blocks)
        total += block.second;
    if (m_thread.joinable() || total < kWorthAThread)
        return;
    try {
        m_thread = std::thread([blocks = m_blocks] {
            for (size_t step = 0; step < kSteps; ++step)
                for (const auto& [data, bytes] : blocks)
                    populate(data + bytes * step / kSteps, data + bytes * (step + 1) / kSteps);
        });
    } catch (const std::system_error&) {
        // No thread to be had: the writer clears its own pages as before.
    }
#endif
}

} // namespace tavrelo
