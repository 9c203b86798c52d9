#pragma once
// The benchmark's memory measure: the largest resident size the process has had.
#include <sys/resource.h>

namespace tavrelo::bench {

// Peak resident memory of this process so far, in KiB.
inline long PeakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace tavrelo::bench
