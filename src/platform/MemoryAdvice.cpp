#include "platform/MemoryAdvice.h"

#include <cstdint>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace tavrelo {

void AdviseLargePages(const void* data, size_t bytes)
{
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    constexpr uintptr_t kLargePage = uintptr_t(2) << 20;
    const auto start = (reinterpret_cast<uintptr_t>(data) + kLargePage - 1) & ~(kLargePage - 1);
    const auto end = (reinterpret_cast<uintptr_t>(data) + bytes) & ~(kLargePage - 1);
    if (data && end > start)
        madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE); // advice only: a refusal changes nothing
#else
    (void)data;
    (void)bytes;
#endif
}

} // namespace tavrelo
