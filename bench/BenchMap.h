#pragma once

namespace tavrelo::bench {

// tavrelo-bench map: redraw and hit-test timings of a large map; figures to standard
// error. Returns 0 when the grid's answers equal the plain walk's.
int BenchMap(int argc, char** argv);

} // namespace tavrelo::bench
